#include "printcommands.h"

#include "commandregistry.h"
#include "writtennotice.h"
#include "savepicture.h"

#include "output/errorfunnel.h"
#include "output/optionsdialog.h"
#include "output/printjob.h"
#include "output/reportoutput.h"
#include "pages/quadriviumdoc.h"
#include "pages/reports.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

#include <optional>

namespace quadrivium {

CPrintCommands::CPrintCommands(QWidget *window, CQuadriviumDoc &document, QSettings &settings,
                               CCommandRegistry &registry)
    : QObject(window), m_window(window), m_document(document), m_settings(settings), m_registry(registry)
{
    using F = CCommandRegistry;
    registry.add(kCmdPrint, tr("&Print..."), F::NoFlags, QKeySequence::Print,
                 ProgramIcon(QStringLiteral("document-print")));
    registry.add(kCmdPrintPreview, tr("&Print Preview"), F::NoFlags, QKeySequence(),
                 ProgramIcon(QStringLiteral("document-print-preview")));
    registry.add(kCmdExportPdf, tr("Export as &PDF..."), F::NoFlags, QKeySequence(),
                 ProgramIcon(QStringLiteral("application-pdf"), QStringLiteral(":/icons/document-print.svg")));
    registry.add(kCmdPageSetup, tr("Page Setup..."));
    registry.add(kCmdPrinterSetup, tr("Printer &Setup..."));
    registry.add(kCmdPrinterFont, tr("Change &Printer Font"));
    registry.add(kCmdPreparedBy, tr("Prepared &By..."));
    for (int id : {kCmdPrint, kCmdPrintPreview, kCmdExportPdf})
        registry.setEnableRule(id, [this] { return printable(); });
}

CPrintCommands::~CPrintCommands() = default;

void CPrintCommands::addToMenu(QMenu &file) const
{
    const int ids[] = {kCmdPrint, kCmdPrintPreview, kCmdExportPdf, 0, kCmdPageSetup, kCmdPrinterSetup, kCmdPrinterFont, kCmdPreparedBy};
    for (int id : ids) {
        if (id == 0)
            file.addSeparator();
        else if (QAction *a = m_registry.action(id))
            file.addAction(a);
    }
}

bool CPrintCommands::handles(int id)
{
    switch (id) {
    case kCmdPrint:
    case kCmdPrintPreview:
    case kCmdPrinterSetup:
    case kCmdPageSetup:
    case kCmdPrinterFont:
    case kCmdExportPdf:
    case kCmdPreparedBy:
        return true;
    default:
        return false;
    }
}

void CPrintCommands::run(int id)
{
    switch (id) {
    case kCmdPrint:
        print();
        break;
    case kCmdPrintPreview:
        preview();
        break;
    case kCmdExportPdf:
        exportPdf();
        break;
    case kCmdPageSetup:
        pageSetup();
        break;
    case kCmdPrinterFont:
        printerFont();
        break;
    case kCmdPrinterSetup:
        printerSetup();
        break;
    case kCmdPreparedBy:
        preparedBy();
        break;
    default:
        break;
    }
}

QPrinter &CPrintCommands::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageOrientation(QPageLayout::Portrait);
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

bool CPrintCommands::printable() const
{
    const int command = m_document.currentCommand();
    return HasReport(command) || (command == kTextEditorMode && m_editedText);
}

std::unique_ptr<CPrintJob> CPrintCommands::prepareJob()
{
    const int command = m_document.currentCommand();
    if (!printable())
        return nullptr;
    std::optional<PrintedText> text;
    std::uint32_t options = 0;
    if (command == kTextEditorMode) {
        // One text prints as it stands: the report options have nothing to choose.
        text = m_editedText();
        if (text->title.isEmpty() && text->body.trimmed().isEmpty()) {
            ShowError(m_window, QStringLiteral("There is nothing to print: the text is empty."));
            return nullptr;
        }
    } else if (const auto form = ReportOptions(command)) {
        COptionsDialog dialog(m_settings, *form, m_window);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        options = dialog.options();
    }
    m_print = LoadPrintSettings(m_settings, m_print);
    std::unique_ptr<CPrintJob> job = text ? std::make_unique<CIntroPrintJob>(m_print, std::move(*text))
                                          : CreateReport(command, m_print, options, m_document, SystemToday);
    if (!job) {
        ShowError(m_window, QStringLiteral("There is nothing to print: please choose a person with a valid "
                                           "date of birth first."));
        return nullptr;
    }
    if (!Succeeded(m_window, job->Compose(PrinterPaper(printer()), PrinterSheet(printer()))))
        return nullptr;
    if (job->truncated()) {
        ShowError(m_window, job->truncationMessage());
        return nullptr;
    }
    if (job->pageCount() == 0) {
        ShowError(m_window, QStringLiteral("There is nothing to print: the report has no pages."));
        return nullptr;
    }
    return job;
}

void CPrintCommands::print()
{
    auto job = prepareJob();
    if (!job)
        return;
    QPrinter &p = printer();
    QPrintDialog dialog(&p, m_window);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, job->pageCount());
    p.setFromTo(0, 0);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Succeeded(m_window, PrintReport(*job, p));
}

void CPrintCommands::preview()
{
    auto job = prepareJob();
    if (!job)
        return;
    QPrintPreviewDialog dialog(&printer(), m_window);
    QString failure;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&job, &failure](QPrinter *target) {
        // The preview draws again when its page settings change; errors are
        // kept for after the dialog.
        try {
            const Status drawn = PrintReport(*job, *target);
            if (!drawn)
                failure = drawn.error();
        } catch (const std::exception &e) {
            failure = QString::fromLocal8Bit(e.what());
        }
    });
    dialog.exec();
    if (!failure.isEmpty())
        ShowError(m_window, failure);
}

void CPrintCommands::exportPdf()
{
    auto job = prepareJob();
    if (!job)
        return;
    QString path = m_pdfTarget;
    if (path.isEmpty()) {
        QString name = ReadingFileName(m_document.currentCommand(), m_document, SystemToday);
        if (name.isEmpty())
            name = QStringLiteral("Report");
        path = QFileDialog::getSaveFileName(m_window, tr("Export as PDF"),
                                            QDir(DocumentsFolder()).filePath(name + QStringLiteral(".pdf")),
                                            tr("PDF Files (*.pdf)"));
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".pdf");
    }
    if (Succeeded(m_window, WriteReportPdf(*job, printer().pageLayout().pageSize(), path)))
        ShowWritten(m_window, WrittenTo(tr("PDF report"), path));
}

void DisableOrientationChoice(QWidget &pageSetup)
{
    // Reports are laid out upright: the box with the orientation buttons is
    // shown, but greyed out with a word why.
    for (QRadioButton *button : pageSetup.findChildren<QRadioButton *>()) {
        const QString text = button->text().remove(QLatin1Char('&'));
        if (!text.contains(QLatin1String("Portrait"), Qt::CaseInsensitive)
            && !text.contains(QLatin1String("Landscape"), Qt::CaseInsensitive))
            continue;
        QWidget *box = button->parentWidget() && button->parentWidget() != &pageSetup ? button->parentWidget() : button;
        box->setEnabled(false);
        box->setToolTip(QObject::tr("Reports are always printed in portrait orientation."));
    }
}

void CPrintCommands::pageSetup()
{
    m_print = LoadPrintSettings(m_settings, m_print);
    QPrinter &p = printer();
    const PaperMargins &m = m_print.margins;
    p.setPageOrientation(QPageLayout::Portrait);
    p.setPageMargins(QMarginsF(m.left / 100.0, m.top / 100.0, m.right / 100.0, m.bottom / 100.0),
                     QPageLayout::Millimeter);
    QPageSetupDialog dialog(&p, m_window);
    DisableOrientationChoice(dialog);
    dialog.exec();
    // The dialog's margins count also after Cancel (then they are unchanged).
    const QMarginsF chosen = p.pageLayout().margins(QPageLayout::Millimeter);
    m_print.margins = PaperMargins{qRound(chosen.left() * 100), qRound(chosen.top() * 100),
                                   qRound(chosen.right() * 100), qRound(chosen.bottom() * 100)};
    p.setPageOrientation(QPageLayout::Portrait);
    SavePrintSettings(m_settings, m_print);
}

void CPrintCommands::printerFont()
{
    m_print = LoadPrintSettings(m_settings, m_print);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, m_print.font.toDialogFont(), m_window, tr("Printer Font"));
    if (!ok)
        return;
    m_print.font = LogFont::fromDialogFont(chosen);
    SavePrintSettings(m_settings, m_print);
}

void CPrintCommands::preparedBy()
{
    m_print = LoadPrintSettings(m_settings, m_print);
    bool ok = false;
    const QString name = QInputDialog::getText(
        m_window, tr("Prepared By"),
        tr("Your name as printed reports give their author.\nLeave it empty to use your account's name (%1).")
            .arg(ReportAuthor(QString())),
        QLineEdit::Normal, m_print.preparedBy, &ok);
    if (!ok)
        return;
    m_print.preparedBy = name.simplified();
    SavePrintSettings(m_settings, m_print);
}

void CPrintCommands::printerSetup()
{
    QPrinter &p = printer();
    QPrintDialog dialog(&p, m_window);
    dialog.setWindowTitle(tr("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintDialogOptions());
    // Choosing the printer prints nothing.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(tr("OK"));
    }
    dialog.exec();
    p.setPageOrientation(QPageLayout::Portrait);
}

} // namespace quadrivium
