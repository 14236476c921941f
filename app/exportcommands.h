#pragma once

#include "engine/corenumbers.h"
#include "output/exportassembly.h"

#include <QObject>
#include <QPageSize>

#include <functional>

#include <optional>

class QMenu;
class QSettings;
class QWidget;

namespace quadrivium {

class CCommandRegistry;
class CQuadriviumDoc;
class CRichView;
struct OptionsDialogForm;

/// Command ids of the export.
enum ExportCommandId {
    kCmdSaveAs = 22838,
    kCmdExport = 32848,
};

/// The export options dialogs of the readings ("Export", one box per
/// section, "All"), each remembering its last choice.
OptionsDialogForm ExportOptions(ExportReading reading);

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
    /// Fixes "today" for the personal year numbers (tests).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    /// The paper an RTF file is laid out on, with the margins of the page
    /// setup; A4 until it is set.
    void setPaper(std::function<QPageSize()> paper) { m_paper = std::move(paper); }

private:
    std::optional<ExportReading> readingShowing() const;
    void exportReading();
    void saveAs();

    CQuadriviumDoc &m_document;
    CCommandRegistry &m_registry;
    CRichView &m_pane;
    QSettings &m_settings;
    QWidget *m_window;
    Clock m_clock;
    std::function<QPageSize()> m_paper;
};

} // namespace quadrivium
