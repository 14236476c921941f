#include "reports.h"

#include "biorhythmprintjob.h"
#include "chartprintjob.h"
#include "introprintjob.h"
#include "pyramidprintjob.h"
#include "quadriviumdoc.h"

#include "store/location.h"

namespace quadrivium {

bool HasReport(int command)
{
    return command == kNoPage || command == kBirthChartPage || command == kPyramidPage
        || command == kBiorhythmPage;
}

std::optional<OptionsDialogForm> ReportOptions(int command)
{
    switch (command) {
    case kBirthChartPage: return ChartPrintOptions();
    case kPyramidPage: return PyramidPrintOptions();
    case kBiorhythmPage: return BiorhythmPrintOptions();
    default: return std::nullopt;
    }
}

std::unique_ptr<CPrintJob> CreateReport(int command, const PrintSettings &settings, std::uint32_t options,
                                        const CQuadriviumDoc &document, const Clock &today)
{
    if (command == kNoPage)
        return std::make_unique<CIntroPrintJob>(settings, TextDatabasePath());
    if (!HasReport(command))
        return nullptr;
    auto subject = ReportSubjectOf(document, today);
    if (!subject)
        return nullptr;
    switch (command) {
    case kBirthChartPage:
        return std::make_unique<CChartPrintJob>(settings, options, std::move(*subject), TextDatabasePath());
    case kPyramidPage:
        return std::make_unique<CPyramidPrintJob>(settings, options, std::move(*subject), TextDatabasePath());
    default:
        return std::make_unique<CBiorhythmPrintJob>(settings, options, std::move(*subject), TextDatabasePath());
    }
}

} // namespace quadrivium
