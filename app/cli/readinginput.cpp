#include "readinginput.h"

#include "clicommon.h"
#include "personscommand.h"

#include "pages/quadriviumdoc.h"
#include "store/location.h"
#include "store/personname.h"
#include "store/personstore.h"

#include <QCommandLineParser>
#include <QDate>
#include <QRegularExpression>

namespace quadrivium::cli {

namespace {

QString displayName(const QString &first, const QString &last)
{
    if (first.isEmpty())
        return last;
    if (last.isEmpty())
        return first;
    return first + QLatin1Char(' ') + last;
}

/// The date of option `name`, or `fallback` when it is not given.
std::optional<DateTimeValue> dateOption(const QCommandLineParser &parser, const QString &name,
                                        const DateTimeValue &fallback)
{
    if (!parser.optionNames().contains(name)) // also when the command has no such option
        return fallback;
    const auto given = parseDateArgument(parser.value(name), QStringLiteral("--") + name);
    if (!given.value)
        fail(given.error);
    return given.value;
}

/// The option names that give one person.
struct PersonOptions {
    QString person, first, last, born, time;
};

const PersonOptions kFirstPerson{QStringLiteral("person"), QStringLiteral("first"), QStringLiteral("last"),
                                 QStringLiteral("born"), QStringLiteral("time")};
const PersonOptions kSecondPerson{QStringLiteral("with"), QStringLiteral("with-first"),
                                  QStringLiteral("with-last"), QStringLiteral("with-born"),
                                  QStringLiteral("with-time")};

/// The stored person of option `o.person`, or the names and dates of the
/// other options.
std::optional<int> readPerson(const QCommandLineParser &parser, const PersonOptions &o, ReadingInput &input)
{
    if (parser.isSet(o.person)) {
        bool ok = false;
        const int id = parser.value(o.person).toInt(&ok);
        if (!ok)
            return fail(QStringLiteral("--%1 wants the ID of a stored person").arg(o.person));
        if (const QString gone = personsFileGone(); !gone.isEmpty())
            return storeFailure(gone);
        if (PersonsDatabasePath().isEmpty())
            return storeFailure(QStringLiteral("no persons database found"));
        notePersonsFileChoice();
        const auto row = PersonStore().find(id);
        if (!row)
            return storeFailure(row.error());
        if (!row->has_value() || (*row)->folder)
            return storeFailure(QStringLiteral("no person with ID %1").arg(id));
        const PersonRow &person = **row;
        input.name = person.displayName();
        input.born = person.born;
        input.time = person.hasTime() ? person.time : DateTimeValue();
        const DateTimeValue &b = person.born;
        input.bornText = QStringLiteral("%1-%2-%3").arg(b.year(), 4, 10, QLatin1Char('0'))
                             .arg(b.month(), 2, 10, QLatin1Char('0')).arg(b.day(), 2, 10, QLatin1Char('0'));
        return std::nullopt;
    }
    if (!parser.isSet(o.born))
        return fail(QStringLiteral("a reading needs --%1 YYYY-MM-DD or --%2 ID").arg(o.born, o.person));
    const auto born = parseDateArgument(parser.value(o.born), QStringLiteral("--") + o.born);
    if (!born.value)
        return fail(born.error);
    input.born = *born.value;
    input.bornText = parser.value(o.born);
    const QString first = NormalizedName(parser.value(o.first));
    const QString last = NormalizedName(parser.value(o.last));
    for (const auto &[typed, what] : {std::pair{&first, "first name"}, std::pair{&last, "last name"}}) {
        if (const auto problem = NameProblem(*typed, QString::fromLatin1(what)))
            return fail(*problem);
    }
    input.name = displayName(first, last);
    input.time = DateTimeValue();
    if (parser.optionNames().contains(o.time) && parser.isSet(o.time)) {
        QString error;
        const auto time = parseTime(parser.value(o.time), &error);
        if (!time)
            return fail(QStringLiteral("--%1: ").arg(o.time) + error);
        input.time = *time;
    }
    return std::nullopt;
}

} // namespace

void addReadingOptions(QCommandLineParser &parser, bool withTime, bool withDays)
{
    parser.addOptions({
        {"first", "First name (UTF-8; may be empty).", "name"},
        {"last", "Last name (UTF-8; may be empty).", "name"},
        {"born", "Date of birth.", "YYYY-MM-DD"},
        {"person", "Read the stored person with this ID instead of --first/--last/--born.", "ID"},
        {"rules", "Counting rules of the name numbers: accents=ignore|base,y=consonant|vowel-if-needed "
                  "(default: accents=ignore,y=consonant).", "RULES"},
    });
    if (withDays) {
        parser.addOptions({
            {"today", "Date whose year gives the personal year numbers (default: today).", "YYYY-MM-DD"},
            {"day", "Day of the biorhythm (default: today).", "YYYY-MM-DD"},
        });
    }
    if (withTime)
        parser.addOption({"time", "Time of birth.", "HH:MM"});
}

std::optional<int> parseReadingArguments(QCommandLineParser &parser, const QStringList &arguments)
{
    if (const auto status = parseArguments(parser, arguments))
        return status;
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));
    applyDatabaseOptions(parser);
    return std::nullopt;
}

std::optional<int> readReadingInput(const QCommandLineParser &parser, ReadingInput &input)
{
    if (const auto status = readPerson(parser, kFirstPerson, input))
        return status;
    if (parser.isSet(QStringLiteral("rules"))) {
        std::string error;
        const auto rules = ParseLetterRules(parser.value(QStringLiteral("rules")).toStdString(), &error);
        if (!rules)
            return fail(QStringLiteral("--rules: ") + QString::fromStdString(error));
        input.rules = *rules;
    }
    const QDate now = QDate::currentDate();
    const DateTimeValue system = DateTimeValue::fromFields(now.year(), now.month(), now.day());
    const auto today = dateOption(parser, QStringLiteral("today"), system);
    if (!today)
        return kUsageError;
    const auto day = dateOption(parser, QStringLiteral("day"), system);
    if (!day)
        return kUsageError;
    const DateTimeValue t = *today;
    input.today = [t] { return CivilDate{t.year(), t.month(), t.day()}; };
    input.day = *day;
    return std::nullopt;
}

void addSecondPersonOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {"with", "Compare with the stored person with this ID.", "ID"},
        {"with-first", "First name of the other person (UTF-8; may be empty).", "name"},
        {"with-last", "Last name of the other person (UTF-8; may be empty).", "name"},
        {"with-born", "Date of birth of the other person.", "YYYY-MM-DD"},
        {"with-time", "Time of birth of the other person.", "HH:MM"},
    });
}

std::optional<int> readSecondPerson(const QCommandLineParser &parser, ReadingInput &input)
{
    return readPerson(parser, kSecondPerson, input);
}

std::optional<int> applySecondPerson(const QCommandLineParser &parser, bool needsPartner, const Clock &today,
                                     CQuadriviumDoc &document)
{
    if (!needsPartner) {
        for (const QString &name : {kSecondPerson.person, kSecondPerson.first, kSecondPerson.last,
                                    kSecondPerson.born, kSecondPerson.time}) {
            if (parser.optionNames().contains(name) && parser.isSet(name))
                return fail(QStringLiteral("--%1: only a reading of two persons (compatibility) takes a second person")
                                .arg(name));
        }
        return std::nullopt;
    }
    ReadingInput second;
    second.today = today;
    if (const auto status = readSecondPerson(parser, second))
        return status;
    document.setPartner(second.name, second.born, second.time);
    return std::nullopt;
}

std::optional<DateTimeValue> parseTime(const QString &text, QString *error)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const auto match = pattern.match(text.trimmed());
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (!match.hasMatch() || hour > 23 || minute > 59) {
        *error = QStringLiteral("a time of birth is HH:MM, not \"%1\"").arg(text);
        return std::nullopt;
    }
    return DateTimeValue::fromTime(hour, minute);
}

} // namespace quadrivium::cli
