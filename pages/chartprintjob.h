#pragma once

#include "readingprintjob.h"

namespace quadrivium {

/// The birth chart report. Options: 0x1 the graphic page, then one bit per
/// text section from 0x2 (introduction) to 0x200 (personal year), in the
/// order of the chart export's sections.
class CChartPrintJob : public CReadingPrintJob {
public:
    using CReadingPrintJob::CReadingPrintJob;
    /// "Numerological Interpretation for NAME".
    QString documentTitle() const override;
    QString documentSubject() const override;

protected:
    void ComposeContent() override;
    /// The heading table with the numbers, the chart and its formed lines.
    void PrintGraphicPage(CPrintSurface &surface) override;

private:
    void drawLines(CPrintSurface &surface, QPoint chartTopLeft, int cell);
    /// The notes on the name's letters and the rules, below the chart.
    void drawNotes(CPrintSurface &surface, int chartBottom);
};

} // namespace quadrivium
