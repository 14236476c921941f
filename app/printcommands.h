#pragma once

#include "output/printsettings.h"
#include "pages/introprintjob.h"

#include <QObject>

#include <functional>
#include <memory>

class QMenu;
class QPrinter;
class QSettings;
class QWidget;

namespace quadrivium {

class CCommandRegistry;
class CPrintJob;
class CQuadriviumDoc;

/// Command ids of printing.
enum PrintCommandId {
    kCmdPrint = 11001,
    kCmdPrintPreview = 32847,
    kCmdPrinterSetup = 57606,
    kCmdPageSetup = 3060,
    kCmdPrinterFont = 3070,
    kCmdExportPdf = 32860,
    kCmdPreparedBy = 3080,
};

/// Greys out the orientation buttons of a page setup dialog: reports are
/// always printed in portrait orientation.
void DisableOrientationChoice(QWidget &pageSetup);

/// Printing for the main window: print, print preview and PDF export of
/// the report of the page showing (after its options dialog), printer
/// setup, page setup, the printer font and the name reports are prepared
/// by. Holds the program's printer.
/// Print, preview and PDF export are enabled only while the page showing
/// has a report, or in text editor mode, where they print the text being
/// edited.
class CPrintCommands : public QObject {
    Q_OBJECT
public:
    /// Adds the commands to `registry`; `window` parents the dialogs.
    CPrintCommands(QWidget *window, CQuadriviumDoc &document, QSettings &settings, CCommandRegistry &registry);
    ~CPrintCommands() override;

    /// Adds the commands to the File menu.
    void addToMenu(QMenu &file) const;
    /// Whether `id` is one of these commands.
    static bool handles(int id);
    /// Runs command `id`; errors are raised for the error funnel or shown.
    void run(int id);

    /// The program's printer (made on first use).
    QPrinter &printer();
    /// Where the next PDF export is written without asking (for tests);
    /// empty: the save dialog asks.
    void setPdfTarget(const QString &path) { m_pdfTarget = path; }
    /// What text editor mode prints: the text being edited.
    void setEditedText(std::function<PrintedText()> text) { m_editedText = std::move(text); }

private:
    /// Whether the page or mode showing has something to print.
    bool printable() const;
    /// A composed job for the page showing, after its options dialog, or for
    /// the edited text; null when there is no report, the dialog was
    /// cancelled or composing failed (then already shown).
    std::unique_ptr<CPrintJob> prepareJob();
    void print();
    void preview();
    void exportPdf();
    void pageSetup();
    void printerFont();
    void printerSetup();
    void preparedBy();

    QWidget *m_window;
    CQuadriviumDoc &m_document;
    QSettings &m_settings;
    CCommandRegistry &m_registry;
    PrintSettings m_print;
    std::unique_ptr<QPrinter> m_printer;
    QString m_pdfTarget;
    std::function<PrintedText()> m_editedText;
};

} // namespace quadrivium
