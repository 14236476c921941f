#pragma once

#include "store/result.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <map>
#include <vector>

class QMenu;
class QSettings;

class QDialog;

namespace quadrivium {

class CAdvancedSplitterWnd;
class CCalendarBar;
class CChartLineBar;
class CDayBarSettings;
class CCommandRegistry;
class CExportCommands;
class CHelpWindow;
class CMainBar;
class CPersonsFileWatch;
class CPrintCommands;
class CQuadriviumDoc;
class CQuadriviumView;
class CReadingPage;
class CRichView;
class CSettingsCommand;
class CStatusBar;
class CTextEditor;

/// The main window: the view with the tabbed sheet above the text pane in a
/// locked splitter, the main bar with the person list, the calendar bar and
/// the status bar. It routes every command: page commands, the person
/// commands, bars, help. Errors of a command are shown and the command
/// abandoned; the program goes on.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    /// `settings` is the program's settings store and `personsDatabase` the
    /// persons file found or made at start-up (or why there is none).
    CMainFrame(CQuadriviumDoc &document, QSettings &settings, const Result<QString> &personsDatabase,
               QWidget *parent = nullptr);
    ~CMainFrame() override;

    /// The program's settings store.
    QSettings &settings() { return m_settings; }

    CQuadriviumDoc &document() const { return m_document; }
    CCommandRegistry &registry() const { return *m_registry; }
    CQuadriviumView *view() const { return m_view; }
    CRichView *textPane() const { return m_textPane; }
    CTextEditor *textEditor() const { return m_editor; }
    CPrintCommands *printCommands() const { return m_print; }
    CMainBar *mainBar() const { return m_mainBar; }
    CCalendarBar *calendarBar() const { return m_calendarBar; }
    CChartLineBar *chartLineBar() const { return m_chartLineBar; }
    CDayBarSettings *dayBarSettings() const { return m_dayBar; }
    CAdvancedSplitterWnd *splitter() const { return m_splitter; }
    CStatusBar *statusBarWidget() const { return m_statusBar; }
    CSettingsCommand *settingsCommand() const { return m_settingsCommand; }
    /// The page of a page command; null when the program has no such page.
    CReadingPage *page(int command) const;
    const QString &personsDatabasePath() const { return m_personsPath; }

    /// Whether a window placement was stored when the window was made
    /// (false on the first start).
    bool hadStoredPlacement() const { return m_hadPlacement; }
    /// Places and shows the window: the stored placement, or normally.
    void RestoreWindow();

    /// Runs command `id` as the menus and toolbars do, guarded by the
    /// error funnel.
    void RunCommand(int id);
    /// The start-up action: ShowIntroductionText(), then with "Autoload"
    /// on, shows the person of "LastID" with the birth chart, or lets the
    /// user pick one.
    void RunStartupAction();
    /// While the introduction page shows, shows the program's introduction
    /// text in the text pane.
    void ShowIntroductionText();

    /// "%s %s" of the current person's name and date of birth.
    QString documentTitle() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createCommands();
    void createMenus();
    void createBars();
    void createPanes();
    void addReadingPages();
    void applySplit();
    /// Locks or frees the splitter and sizes the panes for the page in front.
    void arrangeSplitter(const CReadingPage *page);

    void dispatch(int id);
    /// A page command: nothing when it is current, else the page is
    /// recomputed, made active and shows its introduction text.
    void runPageCommand(int id);
    /// Runs the page command showing again so that its page is rebuilt.
    void rebuildPage();
    /// After the current person changed: list, title and the page showing
    /// (the birth chart when no reading shows yet).
    void afterPersonChosen();
    void runPersonDialog(QDialog &dialog);
    void openPerson();
    void newPerson();
    void editPerson();
    void personListChosen(int id);
    /// Back to the introduction without a current person when that person
    /// is no longer in the persons file.
    void dropCurrentPersonIfGone();
    void refillPersonList();
    void selectCurrentPerson();
    void updateTitle();
    void showHelp();
    void showTip();
    void showTextOf(int table, int numberId);
    void showTriple(int table, int a, int b, int c);
    /// After the text manager: the page it was entered from, or the introduction.
    void returnFromEditor(int command);

    CQuadriviumDoc &m_document;
    QSettings &m_settings;
    QString m_personsPath;
    QString m_personsError;
    bool m_hadPlacement = false;
    CCommandRegistry *m_registry = nullptr;
    CPrintCommands *m_print = nullptr;
    CMainBar *m_mainBar = nullptr;
    CCalendarBar *m_calendarBar = nullptr;
    CChartLineBar *m_chartLineBar = nullptr;
    CDayBarSettings *m_dayBar = nullptr;
    CStatusBar *m_statusBar = nullptr;
    CAdvancedSplitterWnd *m_splitter = nullptr;
    CQuadriviumView *m_view = nullptr;
    CRichView *m_textPane = nullptr;
    CTextEditor *m_editor = nullptr;
    CSettingsCommand *m_settingsCommand = nullptr;
    CExportCommands *m_export = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_barsMenu = nullptr;
    std::map<int, CReadingPage *> m_pages;
    std::vector<CReadingPage *> m_pageOrder; ///< in sheet order
    QPointer<CHelpWindow> m_help;
    CPersonsFileWatch *m_personsWatch = nullptr;
    bool m_closed = false;
};

} // namespace quadrivium
