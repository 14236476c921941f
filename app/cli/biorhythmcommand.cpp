#include "biorhythmcommand.h"

#include "clicommon.h"
#include "readinginput.h"
#include "personscommand.h"

#include "engine/biorhythm.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

namespace quadrivium::cli {

namespace {

const char *const kKeys[3] = {"physical", "emotional", "intellectual"};
const char *const kClassWords[4] = {"off", "high", "middle", "low"};

QString isoDate(const DateTimeValue &d)
{
    return QStringLiteral("%1-%2-%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

struct Day {
    DateTimeValue date;
    double value[3];
    int kind[3];
    QStringList critical;
};

} // namespace

int runBiorhythm(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the biorhythm of one month: the three curve values of every day at 00:00, "
        "their classes and the critical days."));
    parser.addHelpOption();
    addReadingOptions(parser, true, false);
    parser.addOptions({
        {"month", "The month to print.", "YYYY-MM"},
        {"json", "Print one JSON object."},
    });
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    if (!parser.isSet(QStringLiteral("month")))
        return fail(QStringLiteral("biorhythm needs --month YYYY-MM"));
    static const QRegularExpression monthPattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const QString monthText = parser.value(QStringLiteral("month")).trimmed();
    const auto match = monthPattern.match(monthText);
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    if (!match.hasMatch() || month < 1 || month > 12 || year < 1600 || year > 2100)
        return fail(QStringLiteral("--month wants a month as YYYY-MM of the years 1600..2100, not \"%1\"")
                        .arg(parser.value(QStringLiteral("month"))));
    ReadingInput input;
    if (const auto status = readReadingInput(parser, input))
        return *status;

    // As on the biorhythm page the curves count from the date of birth; a
    // time of birth names the person but does not move them.
    const DateTimeValue &birth = input.born;
    std::vector<Day> days;
    for (int d = 1; d <= DaysInMonth(year, month); ++d) {
        Day day{DateTimeValue::fromFields(year, month, d), {}, {}, {}};
        for (Curve c : kCurves) {
            const auto i = static_cast<std::size_t>(c);
            day.value[i] = CurveValue(birth, day.date, CurvePeriod(c));
            day.kind[i] = Classify(day.value[i]);
            if (IsCriticalDay(birth, day.date, CurvePeriod(c)))
                day.critical << QString::fromLatin1(kKeys[i]);
        }
        days.push_back(day);
    }

    QTextStream out(stdout);
    const QString monthKey = QStringLiteral("%1-%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray dayArray, criticalArray;
        for (const Day &day : days) {
            QJsonObject o{{"date", isoDate(day.date)}};
            for (std::size_t i = 0; i < 3; ++i)
                o.insert(QLatin1String(kKeys[i]), QJsonObject{{"value", day.value[i]}, {"class", day.kind[i]}});
            dayArray.append(o);
            if (!day.critical.isEmpty())
                criticalArray.append(QJsonObject{{"date", isoDate(day.date)},
                                                 {"curves", QJsonArray::fromStringList(day.critical)}});
        }
        const QJsonObject object{{"month", monthKey}, {"days", dayArray}, {"critical", criticalArray}};
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return 0;
    }
    out << "Biorhythm of " << (input.name.isEmpty() ? QStringLiteral("(no name)") : input.name) << ", born "
        << input.bornText << ", " << monthKey << "\n\n"
        << "Date        Physical         Spiritual        Intellectual\n";
    for (const Day &day : days) {
        out << isoDate(day.date);
        for (std::size_t i = 0; i < 3; ++i)
            out << "  " << QString::number(day.value[i], 'f', 3).rightJustified(6) << ' '
                << QString::fromLatin1(kClassWords[day.kind[i]]).leftJustified(8);
        out << '\n';
    }
    out << "\nCritical days\n";
    bool any = false;
    for (const Day &day : days) {
        if (day.critical.isEmpty())
            continue;
        out << "  " << isoDate(day.date) << "  " << day.critical.join(QStringLiteral(", ")) << '\n';
        any = true;
    }
    if (!any)
        out << "  (none)\n";
    return 0;
}

} // namespace quadrivium::cli
