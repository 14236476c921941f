#include "personscommand.h"
#include "readinginput.h"

#include "clicommon.h"
#include "personscsv.h"

#include "store/store.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

namespace quadrivium::cli {

namespace {

QString isoDate(const DateTimeValue &value)
{
    if (!value.isValid())
        return {};
    return QStringLiteral("%1-%2-%3")
        .arg(value.year(), 4, 10, QLatin1Char('0'))
        .arg(value.month(), 2, 10, QLatin1Char('0'))
        .arg(value.day(), 2, 10, QLatin1Char('0'));
}

QString timeText(const PersonRow &row)
{
    if (!row.hasTime())
        return {};
    return QStringLiteral("%1:%2").arg(row.time.hour(), 2, 10, QLatin1Char('0')).arg(row.time.minute(), 2, 10, QLatin1Char('0'));
}

/// The store of --persons-db or the shared persons file; `create` makes a
/// missing file first.
Result<PersonStore> openStore(bool create)
{
    QString path = PersonsDatabasePath();
    if (const QString gone = personsFileGone(); !gone.isEmpty())
        return Result<PersonStore>::failure(gone);
    notePersonsFileChoice();
    if (path.isEmpty() || (create && !QFileInfo::exists(path))) {
        if (!path.isEmpty()) {
            const Status made = CreatePersonsDatabase(path);
            if (!made)
                return Result<PersonStore>::failure(made.error());
        } else {
            const auto ensured = EnsurePersonsDatabase();
            if (!ensured)
                return Result<PersonStore>::failure(ensured.error());
            path = *ensured;
        }
    }
    return PersonStore(path);
}

QMap<int, QString> groupNames(const PersonStore &store, QString *error)
{
    QMap<int, QString> names;
    const auto groups = store.listGroups();
    if (!groups) {
        *error = groups.error();
        return names;
    }
    for (const PersonRow &group : *groups)
        names.insert(group.child, group.name);
    return names;
}

/// Why a name of `e` cannot be stored; nothing when all can.
std::optional<QString> namesProblem(const PersonEntry &e)
{
    for (const auto &[name, what] : {std::pair{&e.last, "last name"}, std::pair{&e.first, "first name"},
                                     std::pair{&e.group, "group name"}}) {
        if (auto problem = NameProblem(*name, QString::fromLatin1(what)))
            return problem;
    }
    return std::nullopt;
}

const QStringList kCsvColumns{QStringLiteral("last"), QStringLiteral("first"), QStringLiteral("born"),
                              QStringLiteral("time"), QStringLiteral("group")};

/// Every person row with the names of the groups by key.
struct PersonsAndGroups {
    std::vector<PersonRow> persons;
    QMap<int, QString> groups;
};

Result<PersonsAndGroups> loadPersons()
{
    using R = Result<PersonsAndGroups>;
    const auto store = openStore(false);
    if (!store)
        return R::failure(store.error());
    auto persons = store->listPersons();
    if (!persons)
        return R::failure(persons.error());
    QString error;
    QMap<int, QString> groups = groupNames(*store, &error);
    if (!error.isEmpty())
        return R::failure(error);
    return PersonsAndGroups{std::move(persons.value()), std::move(groups)};
}

int listPersons(const QCommandLineParser &parser)
{
    const auto loaded = loadPersons();
    if (!loaded)
        return storeFailure(loaded.error());
    const auto *persons = &loaded->persons;
    const QMap<int, QString> &groups = loaded->groups;
    QTextStream out(stdout);
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray array;
        for (const PersonRow &p : *persons) {
            const QString time = timeText(p);
            array.append(QJsonObject{
                {"id", p.id},
                {"last", p.name},
                {"first", p.first},
                {"born", isoDate(p.born)},
                {"time", time.isEmpty() ? QJsonValue() : QJsonValue(time)},
                {"group", groups.contains(p.parent) ? QJsonValue(groups.value(p.parent)) : QJsonValue()},
            });
        }
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return 0;
    }
    for (const PersonRow &p : *persons) {
        out << QString::number(p.id).rightJustified(6) << "  " << p.displayName().leftJustified(30) << "  "
            << isoDate(p.born) << "  " << timeText(p).leftJustified(5) << "  "
            << groups.value(p.parent) << '\n';
    }
    return 0;
}

int addPerson(const QCommandLineParser &parser)
{
    if (!parser.isSet(QStringLiteral("born")))
        return fail(QStringLiteral("persons add needs --born YYYY-MM-DD"));
    PersonEntry entry;
    entry.first = NormalizedName(parser.value(QStringLiteral("first")));
    entry.last = NormalizedName(parser.value(QStringLiteral("last")));
    entry.group = NormalizedName(parser.value(QStringLiteral("group")));
    if (entry.first.isEmpty() && entry.last.isEmpty())
        return fail(QStringLiteral("persons add needs --first or --last"));
    if (const auto problem = namesProblem(entry))
        return fail(*problem);
    const auto born = parseDateArgument(parser.value(QStringLiteral("born")), QStringLiteral("--born"));
    if (!born.value)
        return fail(born.error);
    entry.born = *born.value;
    if (parser.isSet(QStringLiteral("time"))) {
        QString error;
        const auto time = parseTime(parser.value(QStringLiteral("time")), &error);
        if (!time)
            return fail(QStringLiteral("--time: ") + error);
        entry.time = *time;
    }
    const auto store = openStore(true);
    if (!store)
        return storeFailure(store.error());
    if (parser.isSet(QStringLiteral("allow-duplicate"))) {
        const auto added = store->addPerson(entry);
        if (!added)
            return storeFailure(added.error());
        QTextStream(stdout) << added->id << '\n';
        return 0;
    }
    const auto outcome = store->addPersonUnlessDuplicate(entry);
    if (!outcome)
        return storeFailure(outcome.error());
    if (outcome->duplicateGroup) {
        QTextStream(stderr) << "quadrivium-cli: " << DisplayName(entry.first, entry.last)
                            << " exists already in group \"" << *outcome->duplicateGroup
                            << "\" (--allow-duplicate adds the person again)" << Qt::endl;
        return kDuplicateExit;
    }
    QTextStream(stdout) << outcome->added->id << '\n';
    return 0;
}

int deletePerson(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    bool ok = false;
    const int id = args.size() == 2 ? args[1].toInt(&ok) : 0;
    if (!ok)
        return fail(QStringLiteral("persons delete needs one ID"));
    const auto store = openStore(false);
    if (!store)
        return storeFailure(store.error());
    const auto outcome = store->deleteRow(id);
    if (!outcome)
        return storeFailure(outcome.error());
    switch (*outcome) {
    case DeleteOutcome::Deleted:
        return 0;
    case DeleteOutcome::GroupNotEmpty:
        return storeFailure(QStringLiteral("There is still data saved in this group"));
    case DeleteOutcome::TopLevel:
        return storeFailure(QStringLiteral("the top level cannot be deleted"));
    case DeleteOutcome::NotFound:
        break;
    }
    return storeFailure(QStringLiteral("no row with ID %1").arg(id));
}

int exportPersons(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(QStringLiteral("persons export needs one FILE.csv"));
    const auto loaded = loadPersons();
    if (!loaded)
        return storeFailure(loaded.error());
    const auto *persons = &loaded->persons;
    const QMap<int, QString> &groups = loaded->groups;
    QByteArray csv = kCsvColumns.join(QLatin1Char(',')).toUtf8() + '\n';
    for (const PersonRow &p : *persons) {
        const QStringList fields{p.name, p.first, isoDate(p.born), timeText(p), groups.value(p.parent)};
        QStringList cells;
        for (const QString &f : fields)
            cells << CsvCell(f);
        csv += cells.join(QLatin1Char(',')).toUtf8() + '\n';
    }
    const Status written = WriteOutputFile(args[1], csv, true);
    return written ? 0 : storeFailure(written.error());
}

int importPersons(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(QStringLiteral("persons import needs one FILE.csv"));
    const QString &path = args[1];
    const auto bytes = ReadInputFile(path);
    if (!bytes)
        return storeFailure(bytes.error());
    auto bad = [&](int line, const QString &message) {
        return storeFailure(QStringLiteral("%1:%2: %3; nothing was imported").arg(path).arg(line).arg(message));
    };
    const auto records = ParseCsv(*bytes);
    if (!records)
        return storeFailure(QStringLiteral("%1:%2; nothing was imported").arg(path, records.error().mid(5)));
    if (records->empty()) {
        if (!bytes->trimmed().isEmpty())
            return storeFailure(QStringLiteral("%1: no persons to import").arg(path));
        QTextStream(stdout) << "0 persons imported\n";
        return 0;
    }
    QMap<QString, int> column;
    const CsvRecord &header = records->front();
    for (qsizetype i = 0; i < header.fields.size(); ++i)
        column.insert(header.fields[i].trimmed().toLower(), int(i));
    for (const char *required : {"last", "first", "born"}) {
        if (!column.contains(QLatin1String(required)))
            return bad(header.line, QStringLiteral("the header row needs the columns %1").arg(kCsvColumns.join(QLatin1Char(','))));
    }
    if (records->size() == 1)
        return storeFailure(QStringLiteral("%1: no persons below the header row; nothing was imported").arg(path));
    std::vector<PersonEntry> entries;
    entries.reserve(records->size() - 1);
    for (auto record = records->begin() + 1; record != records->end(); ++record) {
        auto field = [&](const char *name) {
            const auto found = column.constFind(QLatin1String(name));
            return found == column.cend() ? QString() : NormalizedName(CsvValue(record->fields.value(*found).trimmed()));
        };
        PersonEntry e;
        e.last = field("last");
        e.first = field("first");
        e.group = field("group");
        if (e.last.isEmpty() && e.first.isEmpty())
            return bad(record->line, QStringLiteral("no last and no first name"));
        if (const auto problem = namesProblem(e))
            return bad(record->line, *problem);
        const auto born = parseDateArgument(field("born"), QStringLiteral("born"));
        if (!born.value)
            return bad(record->line, born.error);
        e.born = *born.value;
        if (!field("time").isEmpty()) {
            QString error;
            const auto time = parseTime(field("time"), &error);
            if (!time)
                return bad(record->line, error);
            e.time = *time;
        }
        entries.push_back(e);
    }
    const auto store = openStore(true);
    if (!store)
        return storeFailure(store.error());
    const auto count = store->importPersons(entries);
    if (!count)
        return storeFailure(count.error() + QStringLiteral("; nothing was imported"));
    QTextStream out(stdout);
    out << count->imported << " persons imported";
    if (count->alreadyPresent > 0)
        out << ", " << count->alreadyPresent << " already present (same names, date and time of birth) skipped";
    out << '\n';
    return 0;
}

} // namespace

void addDatabaseOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {"persons-db", "Persons database file to use.", "PATH"},
        {"text-db", "Text database file to use.", "PATH"},
    });
}

void applyDatabaseOptions(const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("persons-db")))
        SetPersonsDatabasePath(parser.value(QStringLiteral("persons-db")));
    if (parser.isSet(QStringLiteral("text-db")))
        SetTextDatabasePath(parser.value(QStringLiteral("text-db")));
}

int runPersons(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists and changes the stored persons.\n"
        "  persons list [--json]\n"
        "  persons add --first F --last L --born YYYY-MM-DD [--time HH:MM] [--group G] [--allow-duplicate]\n"
        "  persons delete ID\n"
        "  persons export FILE.csv\n"
        "  persons import FILE.csv   (UTF-8, header row last,first,born,time,group)"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("action"), QStringLiteral("list, add, delete, export or import"));
    parser.addOptions({
        {"json", "list: print a JSON array."},
        {"first", "add: first name.", "name"},
        {"last", "add: last name.", "name"},
        {"born", "add: date of birth.", "YYYY-MM-DD"},
        {"time", "add: time of birth.", "HH:MM"},
        {"group", "add: group to file the person in (made when missing).", "name"},
        {"allow-duplicate", "add: add even when the names exist already."},
    });
    addDatabaseOptions(parser);
    if (const auto status = parseArguments(parser, arguments))
        return *status;
    applyDatabaseOptions(parser);
    const QStringList args = parser.positionalArguments();
    const QString action = args.value(0);
    if (action == QLatin1String("list") && args.size() == 1)
        return listPersons(parser);
    if (action == QLatin1String("add") && args.size() == 1)
        return addPerson(parser);
    if (action == QLatin1String("delete"))
        return deletePerson(parser);
    if (action == QLatin1String("export"))
        return exportPersons(parser);
    if (action == QLatin1String("import"))
        return importPersons(parser);
    return fail(QStringLiteral("persons wants list, add, delete, export or import"));
}

} // namespace quadrivium::cli
