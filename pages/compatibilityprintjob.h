#pragma once

#include "readingprintjob.h"

#include "output/optionsdialog.h"

#include "engine/compatibility.h"

namespace quadrivium {

/// The compatibility report's options: 0x1 the graphic page, 0x2 the
/// introductions, 0x4 the texts of the number pairs, 0x8 the texts of the
/// lines completed together. First use: all of them.
OptionsDialogForm CompatibilityPrintOptions();

/// The reading of the subject and its partner; nothing without a partner.
std::optional<Compatibility> CompatibilityOf(const ReportSubject &subject);

/// The notes of a compatibility reading: the letters of each name not
/// counted and why a Number of Fate is missing, each naming its person,
/// then the rules both names are counted by.
QStringList CompatibilityNotes(const ReportSubject &subject);

/// The text records of the compatibility export: "intro" (the reading's
/// and the shared chart's introductions), "numbers" (the relation of each
/// pair that has one), "lines" (each line completed together).
std::vector<ExportRecord> CompatibilityExportRecords(const Compatibility &reading, std::uint32_t sections);

/// The compatibility report of the subject and its partner: a graphic page
/// with both persons, their numbers in pairs and the shared chart, then the
/// texts of the chosen sections.
class CCompatibilityPrintJob : public CReadingPrintJob {
public:
    using CReadingPrintJob::CReadingPrintJob;

protected:
    void ComposeContent() override;
    void PrintGraphicPage(CPrintSurface &surface) override;
};

} // namespace quadrivium
