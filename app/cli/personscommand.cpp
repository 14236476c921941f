#include "personscommand.h"
#include "readinginput.h"

#include "clicommon.h"

#include "store/store.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
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

QString csvField(const QString &value)
{
    if (!value.contains(QRegularExpression(QStringLiteral("[\",\\r\\n]"))))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

/// One CSV line split into fields; nothing when a quote is left open.
std::optional<QStringList> splitCsv(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    if (quoted)
        return std::nullopt;
    fields << field;
    return fields;
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
    entry.first = parser.value(QStringLiteral("first")).trimmed();
    entry.last = parser.value(QStringLiteral("last")).trimmed();
    entry.group = parser.value(QStringLiteral("group")).trimmed();
    if (entry.first.isEmpty() && entry.last.isEmpty())
        return fail(QStringLiteral("persons add needs --first or --last"));
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
    if (!parser.isSet(QStringLiteral("allow-duplicate"))) {
        const auto duplicate = store->findDuplicateGroupName(entry.last, entry.first);
        if (!duplicate)
            return storeFailure(duplicate.error());
        if (duplicate->has_value()) {
            QTextStream(stderr) << "quadrivium-cli: " << DisplayName(entry.first, entry.last)
                                << " exists already in group \"" << **duplicate
                                << "\" (--allow-duplicate adds the person again)" << Qt::endl;
            return kDuplicateExit;
        }
    }
    const auto added = store->addPerson(entry);
    if (!added)
        return storeFailure(added.error());
    QTextStream(stdout) << added->id << '\n';
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
    QSaveFile file(args[1]);
    if (!file.open(QIODevice::WriteOnly))
        return storeFailure(QStringLiteral("cannot write %1: %2").arg(args[1], file.errorString()));
    QByteArray csv = kCsvColumns.join(QLatin1Char(',')).toUtf8() + '\n';
    for (const PersonRow &p : *persons) {
        const QStringList fields{p.name, p.first, isoDate(p.born), timeText(p), groups.value(p.parent)};
        QStringList quoted;
        for (const QString &f : fields)
            quoted << csvField(f);
        csv += quoted.join(QLatin1Char(',')).toUtf8() + '\n';
    }
    file.write(csv);
    if (!file.commit())
        return storeFailure(QStringLiteral("cannot write %1: %2").arg(args[1], file.errorString()));
    return 0;
}

int importPersons(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(QStringLiteral("persons import needs one FILE.csv"));
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly))
        return storeFailure(QStringLiteral("cannot read %1: %2").arg(args[1], file.errorString()));
    QString content = QString::fromUtf8(file.readAll());
    if (content.startsWith(QChar(0xfeff)))
        content.remove(0, 1);
    const QStringList lines = content.split(QLatin1Char('\n'));
    auto bad = [&](int line, const QString &message) {
        return storeFailure(QStringLiteral("%1:%2: %3; nothing was imported").arg(args[1]).arg(line).arg(message));
    };
    const auto header = splitCsv(lines.value(0).trimmed());
    QMap<QString, int> column;
    if (header) {
        for (qsizetype i = 0; i < header->size(); ++i)
            column.insert(header->at(i).trimmed().toLower(), int(i));
    }
    for (const char *required : {"last", "first", "born"}) {
        if (!column.contains(QLatin1String(required)))
            return bad(1, QStringLiteral("the header row needs the columns %1").arg(kCsvColumns.join(QLatin1Char(','))));
    }
    std::vector<PersonEntry> entries;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        const int lineNumber = int(n) + 1;
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const auto fields = splitCsv(line);
        if (!fields)
            return bad(lineNumber, QStringLiteral("a quoted field is not closed"));
        auto field = [&](const char *name) {
            return column.contains(QLatin1String(name)) ? fields->value(column.value(QLatin1String(name))).trimmed()
                                                         : QString();
        };
        PersonEntry e;
        e.last = field("last");
        e.first = field("first");
        e.group = field("group");
        if (e.last.isEmpty() && e.first.isEmpty())
            return bad(lineNumber, QStringLiteral("no last and no first name"));
        if (e.last.size() > kMaxNameLength || e.first.size() > kMaxNameLength || e.group.size() > kMaxNameLength)
            return bad(lineNumber, QStringLiteral("a name is longer than %1 characters").arg(kMaxNameLength));
        const auto born = parseDateArgument(field("born"), QStringLiteral("born"));
        if (!born.value)
            return bad(lineNumber, born.error);
        e.born = *born.value;
        if (!field("time").isEmpty()) {
            QString error;
            const auto time = parseTime(field("time"), &error);
            if (!time)
                return bad(lineNumber, error);
            e.time = *time;
        }
        entries.push_back(e);
    }
    const auto store = openStore(true);
    if (!store)
        return storeFailure(store.error());
    const Status added = store->addPersons(entries);
    if (!added)
        return storeFailure(added.error() + QStringLiteral("; nothing was imported"));
    QTextStream(stdout) << entries.size() << " persons imported\n";
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
