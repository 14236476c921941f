#pragma once

#include "engine/corenumbers.h"

#include <QObject>
#include <QString>
#include <QPageSize>

#include <functional>

#include <functional>
#include <optional>

class QMenu;
class QSettings;
class QWidget;

namespace quadrivium {

class CCommandRegistry;
class CQuadriviumDoc;
class CRichView;
struct ReadingKind;

/// Command ids of the export.
enum ExportCommandId {
    kCmdSaveAs = 22838,
    kCmdExport = 32848,
};

/// Export (32848): asks which sections of the reading showing to export
/// and assembles them in the text pane, headed by the person's name, date
/// and time of birth. Save as (22838): writes the text pane to an RTF or a
/// plain-text file.
class CExportCommands : public QObject {
    Q_OBJECT
public:
    CExportCommands(CQuadriviumDoc &document, CCommandRegistry &registry, CRichView &pane, QSettings &settings,
                    QWidget *window);

    /// Adds Save as and Export to the file menu.
    void AddMenus(QMenu &file);
    /// Before the pane shows something else or the program closes: while
    /// it still shows an export that was not saved, asks whether to save
    /// it (Save as), drop it or cancel. False when the user cancels, or
    /// saving does not happen.
    bool SettleExport();
    /// Asked before an export replaces the pane; false keeps the pane.
    void setPaneGuard(std::function<bool()> guard) { m_paneGuard = std::move(guard); }
    /// Fixes "today" for the personal year numbers (tests).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    /// The paper an RTF file is laid out on, with the margins of the page
    /// setup; A4 until it is set.
    void setPaper(std::function<QPageSize()> paper) { m_paper = std::move(paper); }

private:
    /// The reading in front; null when none is.
    const ReadingKind *readingShowing() const;
    void exportReading();
    /// True when the pane was written to a file.
    bool saveAs();

    CQuadriviumDoc &m_document;
    CCommandRegistry &m_registry;
    CRichView &m_pane;
    QSettings &m_settings;
    QWidget *m_window;
    Clock m_clock;
    std::function<bool()> m_paneGuard;
    QString m_unsavedExport; ///< the pane's text after Export, until saved or dropped
    std::function<QPageSize()> m_paper;
};

} // namespace quadrivium
