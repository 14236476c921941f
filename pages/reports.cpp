#include "reports.h"

#include "introprintjob.h"
#include "quadriviumdoc.h"
#include "readingkind.h"

#include "output/stringtable.h"
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

QString ReadingFileName(int command, const CQuadriviumDoc &document, const Clock &today)
{
    if (!document.hasPerson())
        return {};
    QString reading;
    switch (command) {
    case kBirthChartPage:
        reading = QStringLiteral("Birth Chart");
        break;
    case kPyramidPage:
        reading = QStringLiteral("Pyramid");
        break;
    case kBiorhythmPage: {
        const DateTimeValue &chosen = document.chosenDay();
        int month = 0, year = 0;
        if (chosen.isValid() && chosen.days() != 0.0) {
            month = chosen.month();
            year = chosen.year();
        } else {
            const CivilDate now = today();
            month = now.month;
            year = now.year;
        }
        reading = QStringLiteral("Biorhythm %1 %2").arg(LoadString(522 + month)).arg(year);
        break;
    }
    default:
        return {};
    }
    QString name = document.personName().simplified() + QStringLiteral(" - ") + reading;
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('-');
    }
    if (name.startsWith(QLatin1Char('.')))
        name.replace(0, 1, QLatin1Char('-'));
    return name;
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
