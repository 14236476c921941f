#pragma once

#include "readingprintjob.h"

namespace quadrivium {

/// The pyramid report. Options: 0x1 the graphic page, 0x2 the
/// introduction, 0x2000 the texts of the climax numbers.
class CPyramidPrintJob : public CReadingPrintJob {
public:
    using CReadingPrintJob::CReadingPrintJob;
    /// "Pyramid Interpretation for NAME".
    QString documentTitle() const override;
    QString documentSubject() const override;

    /// The title of the text of climax `n` (0..3) in the report: its name,
    /// number and span of ages and years, "First Climax: 5 (age 35 to 43,
    /// 1986-1994)", naming as well the later climaxes of the same number;
    /// marked when one of them is in force in the year of the report's day.
    QString climaxTitle(int n) const;

protected:
    /// The introduction, then the climax texts in the order of life, a
    /// number that comes again only at its first climax.
    void ComposeContent() override;
    /// The table of the person, Ruling Number and climax ages, and the
    /// pyramid figure below it.
    void PrintGraphicPage(CPrintSurface &surface) override;
};

} // namespace quadrivium
