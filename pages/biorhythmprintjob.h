#pragma once

#include "readingprintjob.h"

#include "output/biorhythmgraph.h"

namespace quadrivium {

/// The biorhythm report of the subject's present day. Options: 0x1 the
/// graphic page, 0x2 the introduction, 0x400, 0x800 and 0x1000 the texts
/// of the physical, emotional and intellectual curves.
class CBiorhythmPrintJob : public CReadingPrintJob {
public:
    CBiorhythmPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                       QString textDatabase);

    /// The printed graph: the present day's month in the subject's curve
    /// settings.
    const CBiorhythmGraph &graph() const { return m_graph; }

protected:
    /// Classifies the present day on the printed graph, then adds the
    /// introduction and the text of each chosen curve that is shown.
    void ComposeContent() override;
    /// The heading, the month, the graph and its legend.
    void PrintGraphicPage(CPrintSurface &surface) override;

private:
    void Evaluate();

    CBiorhythmGraph m_graph;
};

} // namespace quadrivium
