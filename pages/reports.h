#pragma once

#include "output/optionsdialog.h"
#include "output/printjob.h"

#include "engine/corenumbers.h"

#include <memory>
#include <optional>

namespace quadrivium {

class CQuadriviumDoc;

/// Whether the page of page command `command` has a printed report
/// (kNoPage: the introduction report).
bool HasReport(int command);
/// The options dialog asked before the report of `command`; none when the
/// report has no options.
std::optional<OptionsDialogForm> ReportOptions(int command);
/// The name a file of the reading of `command` is offered under, without
/// extension: "NAME - Birth Chart", "NAME - Pyramid", "NAME - Biorhythm
/// December 2026" (the month of the chosen day, else of `today`); empty
/// without a person or for a page that shows no reading. Characters that a
/// file name cannot hold become "-".
QString ReadingFileName(int command, const CQuadriviumDoc &document, const Clock &today);

/// A new job for the report of `command` with the options word chosen, for
/// the current person of `document` and today's date from `today`; null
/// when the page has no report or a reading report has no person with a
/// valid date of birth.
std::unique_ptr<CPrintJob> CreateReport(int command, const PrintSettings &settings, std::uint32_t options,
                                        const CQuadriviumDoc &document, const Clock &today);

} // namespace quadrivium
