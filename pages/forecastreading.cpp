#include "forecastreading.h"

#include "quadriviumdoc.h"

#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/datetext.h"
#include "store/personname.h"
#include "store/textstore.h"

#include <QJsonArray>
#include <QObject>

#include <algorithm>

namespace quadrivium {

namespace {

constexpr int kIntroTable = 0;

// Print option bits of the sections after the introduction (year, month,
// day, challenges, lessons), each with its box id.
constexpr std::uint32_t kFirstSectionBit = 0x4000;
constexpr int kFirstSectionBox = 1105;

QString isoDate(const CivilDate &d)
{
    return QStringLiteral("%1-%2-%3")
        .arg(d.year, 4, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.day, 2, 10, QLatin1Char('0'));
}

} // namespace

std::optional<Forecast> ForecastOf(const CQuadriviumDoc &document, const Clock &today)
{
    if (!document.hasPerson())
        return std::nullopt;
    const DateTimeValue &chosen = document.chosenDay();
    CivilDate day;
    if (chosen.isValid() && chosen.days() != 0.0)
        day = CivilDate{chosen.year(), chosen.month(), chosen.day()};
    else
        day = today();
    // The karmic lessons count the name's letters as the other readings do.
    const AccentRule accents = document.letterRules().accents;
    return ComputeForecast(EngineName(document.personName(), accents), document.birthDate(), day, accents);
}

std::optional<Forecast> ForecastOf(const ReportSubject &subject)
{
    const CivilDate day{subject.day.year(), subject.day.month(), subject.day.day()};
    const AccentRule accents = subject.values.rules.accents;
    return ComputeForecast(EngineName(subject.name, accents), subject.birth, day, accents);
}

QStringList ForecastSections()
{
    return {QStringLiteral("intro"), QStringLiteral("year"), QStringLiteral("month"),
            QStringLiteral("day"), QStringLiteral("challenges"), QStringLiteral("lessons")};
}

QString MonthName(int month)
{
    return month >= 1 && month <= 12 ? LoadString(kStrJanuary + month - 1) : QString();
}

QString ChallengeSpans(const Forecast &f, int number)
{
    QStringList spans;
    for (const Challenge &c : f.challenges) {
        if (c.number == number)
            spans << QStringLiteral("%1 to %2").arg(c.fromAge).arg(c.toAge);
    }
    return QStringLiteral(" (ages %1)").arg(spans.join(QStringLiteral(" and ")));
}

std::vector<ExportRecord> ForecastExportRecords(const Forecast &f, std::uint32_t sections)
{
    std::vector<ExportRecord> out;
    auto section = [sections](int bit) { return ((sections >> bit) & 1U) != 0; };
    const DateTimeValue day = DateTimeValue::fromFields(f.date.year, f.date.month, f.date.day);
    if (section(0))
        out.push_back({kIntroTable, kIntroForecast, {}});
    if (section(1)) {
        out.push_back({kIntroTable, kIntroPersonalYear, {}});
        out.push_back({kPersonalYearTable, f.personalYear, QStringLiteral(" (%1)").arg(f.date.year)});
    }
    if (section(2)) {
        out.push_back({kIntroTable, kIntroPersonalMonth, {}});
        out.push_back({kPersonalMonthTable, f.personalMonth,
                       QStringLiteral(" (%1 %2)").arg(MonthName(f.date.month)).arg(f.date.year)});
    }
    if (section(3)) {
        out.push_back({kIntroTable, kIntroPersonalDay, {}});
        out.push_back({kPersonalDayTable, f.personalDay, QStringLiteral(" (%1)").arg(FormatDateValue(day))});
    }
    if (section(4)) {
        out.push_back({kIntroTable, kIntroChallenges, {}});
        std::vector<int> given;
        for (const Challenge &c : f.challenges) {
            if (std::find(given.begin(), given.end(), c.number) != given.end())
                continue;
            given.push_back(c.number);
            out.push_back({kChallengeTable, c.number, ChallengeSpans(f, c.number)});
        }
    }
    if (section(5)) {
        out.push_back({kIntroTable, kIntroKarmicLessons, {}});
        for (int lesson : f.karmicLessons)
            out.push_back({kKarmicLessonTable, lesson, {}});
    }
    return out;
}

OptionsDialogForm ForecastPrintOptions()
{
    OptionsDialogForm form;
    form.title = QObject::tr("Print");
    form.valueName = QStringLiteral("PrintForecastDialogOptions");
    form.boxes = {{0x1, QObject::tr("Graphic"), 1089}, {0x2, QObject::tr("Introduction"), 1091}};
    const QString texts[] = {QObject::tr("Personal Year"), QObject::tr("Personal Month"),
                             QObject::tr("Personal Day"), QObject::tr("Challenges"),
                             QObject::tr("Karmic Lessons")};
    for (int i = 0; i < 5; ++i)
        form.boxes.append(OptionBox{kFirstSectionBit << i, texts[i], kFirstSectionBox + i});
    for (const OptionBox &box : form.boxes)
        form.mask |= box.bit;
    return form;
}

std::uint32_t ForecastSectionsOfPrintOptions(std::uint32_t options)
{
    std::uint32_t sections = (options & 0x2U) ? 1U : 0U;
    for (int i = 0; i < 5; ++i) {
        if (options & (kFirstSectionBit << i))
            sections |= 2U << i;
    }
    return sections;
}

QJsonObject ForecastJson(const Forecast &f)
{
    QJsonArray months;
    for (int m = 1; m <= 12; ++m)
        months.append(QJsonObject{{"month", m}, {"number", f.months[std::size_t(m - 1)]}});
    QJsonArray challenges;
    for (const Challenge &c : f.challenges)
        challenges.append(QJsonObject{{"number", c.number}, {"fromAge", c.fromAge}, {"toAge", c.toAge}});
    QJsonArray lessons;
    for (int lesson : f.karmicLessons)
        lessons.append(lesson);
    return QJsonObject{
        {"date", isoDate(f.date)},
        {"personalYear", f.personalYear},
        {"personalMonth", f.personalMonth},
        {"personalDay", f.personalDay},
        {"months", months},
        {"challenges", challenges},
        {"karmicLessons", lessons},
    };
}

QString ForecastText(const Forecast &f, const QString &name, const DateTimeValue &birth)
{
    const QString born = isoDate(CivilDate{birth.year(), birth.month(), birth.day()});
    QString text;
    text += QStringLiteral("Forecast for %1, born %2, on %3\n\n")
                .arg(name.isEmpty() ? QStringLiteral("(no name)") : name, born, isoDate(f.date));
    text += QStringLiteral("Personal Year    %1 (%2)\n").arg(f.personalYear).arg(f.date.year);
    text += QStringLiteral("Personal Month   %1 (%2)\n").arg(f.personalMonth).arg(MonthName(f.date.month));
    text += QStringLiteral("Personal Day     %1\n\nMonths of %2\n").arg(f.personalDay).arg(f.date.year);
    for (int m = 1; m <= 12; ++m)
        text += QStringLiteral("  %1 %2\n").arg(MonthName(m).leftJustified(10)).arg(f.months[std::size_t(m - 1)]);
    static const char *const ordinals[] = {"First", "Second", "Third", "Fourth"};
    text += QStringLiteral("\nChallenges\n");
    for (std::size_t i = 0; i < 4; ++i) {
        const Challenge &c = f.challenges[i];
        text += QStringLiteral("  %1 %2   ages %3 to %4\n")
                    .arg(QString::fromLatin1(ordinals[i]).leftJustified(7))
                    .arg(c.number)
                    .arg(c.fromAge)
                    .arg(c.toAge);
    }
    QStringList lessons;
    for (int lesson : f.karmicLessons)
        lessons << QString::number(lesson);
    text += QStringLiteral("\nKarmic lessons   %1\n")
                .arg(lessons.isEmpty() ? QStringLiteral("none") : lessons.join(QStringLiteral(", ")));
    return text;
}

} // namespace quadrivium
