#include "reportoutput.h"

#include "pdfdocinfo.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryDir>

namespace quadrivium {

QString ReportCreator()
{
    return QStringLiteral("Quadrivium " QUADRIVIUM_VERSION);
}

QSize PrinterPaper(const QPrinter &printer)
{
    return PaperSize(printer.pageLayout().pageSize());
}

Status PrintReport(CPrintJob &job, QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    const Status composed = job.Compose(PrinterPaper(printer));
    if (!composed)
        return composed;
    if (job.pageCount() == 0)
        return Status::failure(QStringLiteral("There is nothing to print: the report has no pages."));
    int first = 1;
    int last = job.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = qMax(1, printer.fromPage());
        last = qMin(last, printer.toPage() > 0 ? printer.toPage() : last);
        if (first > last)
            return Status::failure(QStringLiteral("The report has only %1 pages.").arg(job.pageCount()));
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return Status::failure(QStringLiteral("The printer could not be started."));
    const int colours = printer.colorMode() == QPrinter::GrayScale ? 2 : 0;
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) {
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

Status WriteReportPdf(CPrintJob &job, const QPageSize &pageSize, const QString &path)
{
    const auto failed = [&path](const QString &why) {
        return Status::failure(QStringLiteral("The report could not be saved as %1: %2").arg(path, why));
    };
    // Drawn into a scratch file first and then saved in one step, so that a
    // failure leaves an existing file as it was.
    QTemporaryDir dir;
    if (!dir.isValid())
        return failed(dir.errorString());
    const QString draft = dir.filePath(QStringLiteral("report.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(draft);
        printer.setPageSize(pageSize);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        printer.setDocName(job.documentTitle());
        printer.setCreator(ReportCreator());
        const Status printed = PrintReport(job, printer);
        if (!printed)
            return failed(printed.error());
    }
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly))
        return failed(written.errorString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    const QByteArray drawn = written.readAll();
    if (drawn.isEmpty())
        return failed(QStringLiteral("nothing was written"));
    const QByteArray bytes = WithDocumentInfo(drawn, {job.documentTitle(), job.author(), job.documentSubject(),
                                                      ReportCreator(), QDateTime::currentDateTime()});
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failed(file.errorString());
    return Done{};
}

} // namespace quadrivium
