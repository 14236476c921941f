#pragma once

#include "output/optionsdialog.h"
#include "output/printjob.h"

#include <memory>
#include <optional>

namespace quadrivium {

/// Whether the page of page command `command` has a printed report
/// (kNoPage: the introduction report).
bool HasReport(int command);
/// The options dialog asked before the report of `command`; none when the
/// report has no options.
std::optional<OptionsDialogSpec> ReportOptions(int command);
/// A new job for the report of `command` with the options word chosen;
/// null when the page has no report.
std::unique_ptr<CPrintJob> CreateReport(int command, const PrintSettings &settings, std::uint32_t options);

} // namespace quadrivium
