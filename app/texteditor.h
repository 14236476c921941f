#pragma once

#include "store/textstore.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QComboBox;
class QMenu;
class QWidget;

namespace quadrivium {

class CCommandRegistry;
class CMainBar;
class CQuadriviumDoc;
class CRichView;
struct PrintedText;

/// Command ids of the text manager and of the text pane's editing.
enum TextCommandId {
    kCmdSave = 22823,
    kCmdEnterTextManager = 22824,
    kCmdLeaveTextManager = 22825,
    kCmdTableIntro = 22826,     ///< first of the table entries 22826..22837 (no 22832) and 22860..22864
    kCmdTableBiorhythm = 22837, ///< last of them
    kCmdUndo = 57643,
    kCmdCut = 57635,
    kCmdPaste = 57637,
    kCmdFont = 57696,
    kCmdBold = 22793,
    kCmdItalic = 22794,
    kCmdAlignLeft = 22788,
    kCmdAlignRight = 22789,
    kCmdCenter = 22790,
    kCmdColor = 22791,
};

/// Asks `question` with Save, Discard and Cancel (Save the default) and
/// runs `save` for Save. True when the caller may go on: saved, or
/// discarded after `discard` ran.
bool SettleUnsaved(QWidget *parent, const QString &question, const std::function<bool()> &save,
                   const std::function<void()> &discard);

/// The text table a text manager entry (22826..22837) shows; -1 for other ids.
int TableOfTextCommand(int id);

/// The text manager: while it is on, the text pane is editable, the main
/// bar's drop-down lists the titles of one text table (each entry carrying
/// its record's NumberID) and Save writes the pane into that record. Edits
/// are never dropped silently: whatever would replace them asks first
/// whether to save them.
class CTextEditor : public QObject {
    Q_OBJECT
public:
    /// `readingView` is the sheet of reading pages, inert while texts are
    /// edited; `window` parents the questions.
    CTextEditor(CQuadriviumDoc &document, CCommandRegistry &registry, CRichView &pane, QWidget &readingView,
                QWidget *window);

    /// Adds Save to the file menu, the editing commands to the edit menu
    /// and the text manager's submenu to the view menu.
    void AddMenus(QMenu &file, QMenu &edit, QMenu &view);
    /// Adds the title list beside the person list and the text manager's
    /// buttons to the main bar.
    void AddButtons(CMainBar &bar);

    bool isActive() const;
    /// The table whose titles are listed.
    int table() const { return m_table; }
    QComboBox *titleList() const { return m_titles; }
    /// The text pane as it stands, unsaved edits included, split as Save
    /// splits it: the title is the first line, the body follows the line
    /// breaks after it. Both empty when the pane holds only blanks.
    PrintedText paneText() const;

    /// Outside the text manager: lets the user edit the one text the pane
    /// shows (`on`) and save it with Save into its record (the document's
    /// editTable and editNumberId), or makes the pane read-only again.
    void EditInPlace(bool on);
    /// Before the pane shows another text: asks about unsaved edits of a
    /// text edited in place. False when the user cancels.
    bool SettleInPlace();

    /// Before another page takes the pane: asks about unsaved edits and
    /// turns the text manager, or editing in place, off. False when the
    /// user cancels.
    bool ReleaseForPage();
    /// Before the program closes: asks about unsaved edits. False when the
    /// user cancels.
    bool MayClose();

signals:
    /// The text manager was left; the page command `command` should run again.
    void pageWanted(int command);

private:
    void run(int id);
    void enter(int tableCommand);
    void leave();
    void switchOff();
    void chooseEntry(int index);
    bool fillTitles(int numberIdToSelect);
    void showSelected();
    void saveCommand();
    /// Writes the pane into the record of the selected entry.
    bool writePane();
    /// Save, discard or cancel unsaved edits; true when the caller may go on.
    bool settleEdits();
    bool isModified() const;
    /// In the text manager or editing a shown text in place.
    bool editable() const { return isActive() || m_inPlace; }
    QString currentTitle() const;
    int selectedNumberId() const;
    QString question() const;

    CQuadriviumDoc &m_document;
    CCommandRegistry &m_registry;
    CRichView &m_pane;
    QWidget &m_readingView;
    QWidget *m_window;
    QComboBox *m_titles = nullptr;
    QAction *m_titlesAction = nullptr;
    QAction *m_personsAction = nullptr;
    QList<QAction *> m_editorButtons;
    int m_table = 0;
    int m_tableCommand = kCmdTableIntro;
    int m_returnCommand = 0;
    bool m_inPlace = false;
};

} // namespace quadrivium
