#include "reports.h"

#include "introprintjob.h"
#include "quadriviumdoc.h"

#include "store/location.h"

namespace quadrivium {

bool HasReport(int command)
{
    return command == kNoPage;
}

std::optional<OptionsDialogSpec> ReportOptions(int)
{
    return std::nullopt;
}

std::unique_ptr<CPrintJob> CreateReport(int command, const PrintSettings &settings, std::uint32_t)
{
    if (command == kNoPage)
        return std::make_unique<CIntroPrintJob>(settings, TextDatabasePath());
    return nullptr;
}

} // namespace quadrivium
