#include "reportoutput.h"

#include "pdfdocinfo.h"

#include "store/outputfile.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace quadrivium {

QString ReportCreator()
{
    return QStringLiteral("Quadrivium " QUADRIVIUM_VERSION);
}

QSize PrinterPaper(const QPrinter &printer)
{
    return PaperSize(printer.pageLayout().pageSize());
}

QSize PrinterSheet(const QPrinter &printer)
{
    return SheetSize(printer.pageLayout().pageSize());
}

namespace {

/// Dots per inch of a report written as PDF, as a printer's high resolution.
constexpr int kPdfResolution = 1200;

/// Draws pages `first`..`last` of the composed `job` onto `device`.
Status drawPages(CPrintJob &job, QPagedPaintDevice &device, int first, int last, int colours)
{
    QPainter painter;
    if (!painter.begin(&device))
        return Status::failure(QStringLiteral("The printer could not be started."));
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            painter.end();
            return Status::failure(QStringLiteral("The printer stopped after page %1.").arg(page - 1));
        }
        CPainterSurface surface(painter, colours);
        job.PrintPage(surface, page);
    }
    if (!painter.end())
        return Status::failure(QStringLiteral("The printer could not finish the report."));
    return Done{};
}

Status compose(CPrintJob &job, QSize paper, QSize sheet)
{
    const Status composed = job.Compose(paper, sheet);
    if (!composed)
        return composed;
    if (job.truncated())
        return Status::failure(job.truncationMessage());
    if (job.pageCount() == 0)
        return Status::failure(QStringLiteral("There is nothing to print: the report has no pages."));
    return Done{};
}

} // namespace

Status PrintReport(CPrintJob &job, QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    const Status composed = compose(job, PrinterPaper(printer), PrinterSheet(printer));
    if (!composed)
        return composed;
    int first = 1;
    int last = job.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = qMax(1, printer.fromPage());
        last = qMin(last, printer.toPage() > 0 ? printer.toPage() : last);
        if (first > last)
            return Status::failure(QStringLiteral("The report has only %1 pages.").arg(job.pageCount()));
    }
    return drawPages(job, printer, first, last, printer.colorMode() == QPrinter::GrayScale ? 2 : 0);
}

Status WriteReportPdf(CPrintJob &job, const QPageSize &pageSize, const QString &path)
{
    const auto failed = [&path](const QString &why) {
        return Status::failure(QStringLiteral("The report could not be saved as %1: %2").arg(path, why));
    };
    const Result<QString> target = OutputTarget(path);
    if (!target)
        return Status::failure(target.error());
    const Status composed = compose(job, PaperSize(pageSize), SheetSize(pageSize));
    if (!composed)
        return failed(composed.error());
    // Drawn in memory, then saved in one step: a failure leaves an existing
    // file as it was, and an interrupted writing leaves no draft behind.
    QBuffer drawn;
    drawn.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&drawn);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(job.documentTitle());
        writer.setCreator(ReportCreator());
        const Status written = drawPages(job, writer, 1, job.pageCount(), 0);
        if (!written)
            return failed(written.error());
    }
    if (drawn.data().isEmpty())
        return failed(QStringLiteral("nothing was written"));
    const QByteArray bytes = WithDocumentInfo(drawn.data(), {job.documentTitle(), job.author(), job.documentSubject(),
                                                             ReportCreator(), QDateTime::currentDateTime()});
    QSaveFile file(*target);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failed(file.errorString());
    return Done{};
}

} // namespace quadrivium
