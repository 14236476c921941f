#pragma once

#include "readingprintjob.h"

#include "output/biorhythmgraph.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace quadrivium {

/// The biorhythm report of the subject's present day. Options: 0x1 the
/// graphic page, 0x2 the introduction, 0x400, 0x800 and 0x1000 the texts
/// of the physical, emotional and intellectual curves.
class CBiorhythmPrintJob : public CReadingPrintJob {
public:
    CBiorhythmPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                       QString textDatabase);

    /// The printed graph: the present day's month with the curves that the
    /// subject's settings show, each in its own dash pattern.
    const CBiorhythmGraph &graph() const { return m_graph; }

    /// "Biorhythm for NAME, MONTH YEAR".
    QString documentTitle() const override;
    QString documentSubject() const override;

    /// The days of the month on which a shown curve crosses zero, with the
    /// names of those curves ("physical", "spiritual", "intellectual").
    std::vector<std::pair<DateTimeValue, QStringList>> criticalDays() const;
    /// The printed dash run of each curve: solid, long dashes, short dashes,
    /// so that the curves stay apart on a grey printer.
    static int PrintedRun(Curve curve);

protected:
    /// Classifies the present day on the printed graph, then adds the
    /// introduction and the text of each chosen curve that is shown.
    void ComposeContent() override;
    /// The heading, the month, the graph and its legend.
    void PrintGraphicPage(CPrintSurface &surface) override;

private:
    void Evaluate();
    /// The key to the curves, the present day and the critical days under
    /// the graph at `top`.
    void drawLegend(CPrintSurface &surface, int left, int top) const;
    QString monthText() const;

    CBiorhythmGraph m_graph;
};

} // namespace quadrivium
