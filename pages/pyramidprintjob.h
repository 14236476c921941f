#pragma once

#include "readingprintjob.h"

namespace quadrivium {

/// The pyramid report. Options: 0x1 the graphic page, 0x2 the
/// introduction, 0x2000 the texts of the climax numbers.
class CPyramidPrintJob : public CReadingPrintJob {
public:
    using CReadingPrintJob::CReadingPrintJob;

protected:
    /// The introduction, then each distinct climax number once, smallest first.
    void ComposeContent() override;
    /// The table of the person, Ruling Number and climax ages, and the
    /// pyramid figure below it.
    void PrintGraphicPage(CPrintSurface &surface) override;
};

} // namespace quadrivium
