#pragma once

#include "readingprintjob.h"

#include "engine/forecast.h"
#include "output/exportassembly.h"
#include "output/optionsdialog.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace quadrivium {

class CQuadriviumDoc;

/// The introduction records of the forecast's sections (table "Intro"); the
/// personal year keeps the chart's introduction of it.
enum ForecastIntro : int {
    kIntroPersonalYear = 10,
    kIntroForecast = 11,
    kIntroPersonalMonth = 12,
    kIntroPersonalDay = 13,
    kIntroChallenges = 14,
    kIntroKarmicLessons = 15,
};

/// The forecast of the document's current person for its chosen day (today
/// from `today` while none is chosen); nothing without a person with a
/// valid date of birth.
std::optional<Forecast> ForecastOf(const CQuadriviumDoc &document, const Clock &today);
/// The forecast of a report's subject for its day.
std::optional<Forecast> ForecastOf(const ReportSubject &subject);

/// The export sections: "intro", "year", "month", "day", "challenges",
/// "lessons".
QStringList ForecastSections();
/// The records of the chosen sections, each section's introduction first.
/// A challenge number met twice is given once, labelled with both spans.
std::vector<ExportRecord> ForecastExportRecords(const Forecast &forecast, std::uint32_t sections);
/// The print options: 0x1 the graphic page, 0x2 the introduction, then
/// 0x4000 year, 0x8000 month, 0x10000 day, 0x20000 challenges, 0x40000
/// karmic lessons; stored as "PrintForecastDialogOptions".
OptionsDialogForm ForecastPrintOptions();
/// The export sections of a print options word (bit i: section i).
std::uint32_t ForecastSectionsOfPrintOptions(std::uint32_t options);

/// The forecast as the command line's JSON: date, personalYear,
/// personalMonth, personalDay, months ({month, number} x 12), challenges
/// ({number, fromAge, toAge} x 4), karmicLessons.
QJsonObject ForecastJson(const Forecast &forecast);
/// The forecast as lines of text for `name`, born on `birth`; dates as
/// YYYY-MM-DD.
QString ForecastText(const Forecast &forecast, const QString &name, const DateTimeValue &birth);

/// "January".."December" for 1..12.
QString MonthName(int month);
/// " (ages 0 to 29)", " (ages 29 to 38 and 47 to 56)": the spans of the
/// challenges with number `number`.
QString ChallengeSpans(const Forecast &forecast, int number);

} // namespace quadrivium
