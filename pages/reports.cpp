#include "reports.h"

#include "introprintjob.h"
#include "quadriviumdoc.h"
#include "readingkind.h"

#include "store/location.h"

namespace quadrivium {

bool HasReport(int command)
{
    return command == kNoPage || ReadingKindOf(command);
}

std::optional<OptionsDialogForm> ReportOptions(int command)
{
    if (const ReadingKind *kind = ReadingKindOf(command))
        return kind->printOptions();
    return std::nullopt;
}

std::unique_ptr<CPrintJob> CreateReport(int command, const PrintSettings &settings, std::uint32_t options,
                                        const CQuadriviumDoc &document, const Clock &today)
{
    if (command == kNoPage)
        return std::make_unique<CIntroPrintJob>(settings, TextDatabasePath());
    const ReadingKind *kind = ReadingKindOf(command);
    if (!kind)
        return nullptr;
    auto subject = ReportSubjectOf(document, today);
    if (!subject)
        return nullptr;
    return kind->makeReport(settings, options, std::move(*subject), TextDatabasePath());
}

} // namespace quadrivium
