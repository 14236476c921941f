// Printing benchmark: a report of 20 pages (titles and body text) composed
// into recorded pages, and those pages played into a PDF file, measured
// apart and together. Aim: under 100 ms for the whole 20 pages on one core.

#include "output/printjob.h"
#include "output/reportoutput.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quadrivium;

namespace {

/// Sixteen sections of a title and eight paragraphs: 20 pages on A4.
class BenchJob : public CPrintJob {
public:
    BenchJob() : CPrintJob(PrintSettings(), 0) {}

protected:
    void ComposeContent() override
    {
        for (int section = 0; section < 16; ++section) {
            AddText(1, QStringLiteral("Section %1 of the Report").arg(section + 1));
            QStringList paragraphs;
            for (int p = 0; p < 8; ++p) {
                QStringList words;
                for (int w = 0; w < 75; ++w)
                    words << QStringLiteral("word%1").arg((w * 7 + p) % 13 + w);
                paragraphs << words.join(QLatin1Char(' '));
            }
            AddText(2, paragraphs.join(QStringLiteral("\r\n\r\n")));
        }
    }
};

constexpr QSize kA4(2100, 2970);

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_Compose20Pages(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        BenchJob job;
        if (!job.Compose(kA4)) {
            state.SkipWithError("compose failed");
            return;
        }
        pages = job.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_Compose20Pages)->Unit(benchmark::kMillisecond);

void BM_Play20PagesToPdf(benchmark::State &state)
{
    BenchJob job;
    if (!job.Compose(kA4)) {
        state.SkipWithError("compose failed");
        return;
    }
    const QString path = scratch().filePath(QStringLiteral("play.pdf"));
    for (auto _ : state) {
        QPrinter writer(QPrinter::HighResolution);
        writer.setOutputFormat(QPrinter::PdfFormat);
        writer.setOutputFileName(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setFullPage(true);
        QPainter painter(&writer);
        for (int page = 1; page <= job.pageCount(); ++page) {
            if (page > 1)
                writer.newPage();
            CPainterSurface surface(painter);
            job.PrintPage(surface, page);
        }
        painter.end();
    }
    state.counters["pages"] = job.pageCount();
}
BENCHMARK(BM_Play20PagesToPdf)->Unit(benchmark::kMillisecond);

// The whole PDF export: compose, play through the printer in PDF mode and
// save the file.
void BM_WriteReportPdf(benchmark::State &state)
{
    const QString path = scratch().filePath(QStringLiteral("report.pdf"));
    int pages = 0;
    for (auto _ : state) {
        BenchJob job;
        if (!WriteReportPdf(job, QPageSize(QPageSize::A4), path)) {
            state.SkipWithError("writing failed");
            return;
        }
        pages = job.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_WriteReportPdf)->Unit(benchmark::kMillisecond);

} // namespace
