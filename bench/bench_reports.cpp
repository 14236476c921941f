// Report benchmark: the whole birth chart report with every section (the
// graphic page, all texts, the contents) written as a PDF file, for one
// person of the supplied texts. Aim: under 100 ms, and at least 30 times
// faster than LibreOffice turning the same reading's RTF export into PDF
// (bench/report_vs_libreoffice.sh times both as whole processes).
//
// The text database is QUADRIVIUM_TEXT_DB, else Quadrivium.mdb beside the
// benchmark program.

#include "output/reportoutput.h"
#include "pages/chartprintjob.h"
#include "pages/quadriviumdoc.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageSize>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quadrivium;

namespace {

// A copy of the supplied texts, since a report writes its heading records
// into the text database it reads.
QString textDatabase()
{
    static QTemporaryDir copies;
    const QString copy = copies.filePath(QStringLiteral("Quadrivium.mdb"));
    if (!QFile::exists(copy)) {
        const QString given = qEnvironmentVariable("QUADRIVIUM_TEXT_DB");
        QFile::copy(given.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/Quadrivium.mdb") : given,
                    copy);
    }
    return copy;
}

void BM_ChartReportPdf(benchmark::State &state)
{
    if (!QFile::exists(textDatabase())) {
        state.SkipWithError("no text database (set QUADRIVIUM_TEXT_DB)");
        return;
    }
    CQuadriviumDoc document;
    document.setCurrentPerson(QStringLiteral("Anna Berg"), DateTimeValue::fromFields(1987, 3, 12), DateTimeValue());
    document.setChosenDay(DateTimeValue::fromFields(2026, 12, 7));
    const auto subject = ReportSubjectOf(document, [] { return CivilDate{2026, 12, 7}; });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    int pages = 0;
    for (auto _ : state) {
        CChartPrintJob job(PrintSettings(), 0x3FF, *subject, textDatabase());
        if (!WriteReportPdf(job, QPageSize(QPageSize::A4), path)) {
            state.SkipWithError("writing failed");
            return;
        }
        pages = job.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ChartReportPdf)->Unit(benchmark::kMillisecond);

} // namespace
