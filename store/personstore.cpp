#include "personstore.h"

#include "location.h"
#include "personname.h"
#include "statement.h"

#include <QHash>

#include <algorithm>
#include <cstdlib>

namespace quadrivium {

namespace {

std::vector<FieldBinding> personFields()
{
    return {
        {QStringLiteral("ID"), FieldKind::Integer},
        {QStringLiteral("Name"), FieldKind::Text},
        {QStringLiteral("Vorname"), FieldKind::Text},
        {QStringLiteral("Geburtsdatum"), FieldKind::DateTime},
        {QStringLiteral("Zeit"), FieldKind::DateTime},
        {QStringLiteral("Parent"), FieldKind::Integer},
        {QStringLiteral("Child"), FieldKind::Integer},
        {QStringLiteral("Folder"), FieldKind::Boolean},
    };
}

/// An expected refusal of an operation, turned into the Result's message.
struct Refusal {
    QString message;
};

template<typename T, typename F>
Result<T> guarded(F &&work)
{
    try {
        return work();
    } catch (const DatabaseError &error) {
        return Result<T>::failure(error.message());
    } catch (const Refusal &refusal) {
        return Result<T>::failure(refusal.message);
    }
}

/// Key -1 is the top level's; a group never gets it, even in a file that
/// lacks the top-level row.
int groupKeyBelow(int key)
{
    return std::min(key, kTopLevelKey - 1);
}

void setName(CDaoGebDataInfo &dao, int field, const QString &name)
{
    if (name.isEmpty())
        dao.setNull(field);
    else
        dao.setText(field, name);
}

void checkName(const QString &name, const char *what)
{
    if (const auto problem = NameProblem(name, QString::fromLatin1(what)))
        throw Refusal{*problem};
}

PersonEntry cleaned(const PersonEntry &entry)
{
    PersonEntry e = entry;
    e.last = NormalizedName(e.last);
    e.first = NormalizedName(e.first);
    e.group = NormalizedName(e.group);
    if (e.last.isEmpty() && e.first.isEmpty())
        throw Refusal{QStringLiteral("a person needs a last name or a first name")};
    checkName(e.last, "last name");
    checkName(e.first, "first name");
    checkName(e.group, "group name");
    if (!e.born.isValid())
        throw Refusal{QStringLiteral("the date of birth of %1 is not valid").arg(DisplayName(e.first, e.last))};
    if (!e.time.isValid())
        e.time = DateTimeValue();
    return e;
}

/// Every entry cleaned; refuses all when one is refused.
std::vector<PersonEntry> cleanedAll(const std::vector<PersonEntry> &entries)
{
    std::vector<PersonEntry> clean;
    clean.reserve(entries.size());
    for (const PersonEntry &entry : entries)
        clean.push_back(cleaned(entry));
    return clean;
}

/// The key of the group row with this name; nothing when no group has it.
std::optional<int> groupKeyByName(Connection &db, const QString &group)
{
    if (group.isEmpty())
        return std::nullopt;
    CDaoGebDataInfo dao(db);
    dao.setFilter(QStringLiteral("Name = %1 AND Folder = True").arg(SqlQuote(group)));
    dao.open();
    if (dao.isEOF())
        return std::nullopt;
    return dao.integer(CDaoGebDataInfo::ChildField);
}

/// The key for a group made while adding a person: walking the rows from
/// the first, r drops by one at every group row and takes the smaller of
/// itself and the row's key; the key is -1 - |r|. Person rows leave r as
/// it is, so only group rows are read.
int nextGroupKeyByWalk(Connection &db)
{
    CDaoGebDataInfo dao(db);
    dao.setFilter(QStringLiteral("Folder = True"));
    dao.open();
    int r = 0;
    for (; !dao.isEOF(); dao.moveNext())
        r = std::min(r - 1, int(dao.integer(CDaoGebDataInfo::ChildField)));
    return groupKeyBelow(-1 - std::abs(r));
}

void writePersonFields(CDaoGebDataInfo &dao, const PersonEntry &e, int parent)
{
    setName(dao, CDaoGebDataInfo::NameField, e.last);
    setName(dao, CDaoGebDataInfo::VornameField, e.first);
    dao.setDateTime(CDaoGebDataInfo::GeburtsdatumField, e.born);
    dao.setDateTime(CDaoGebDataInfo::ZeitField, e.time);
    dao.setInteger(CDaoGebDataInfo::ParentField, parent);
}

PersonRow rowById(Connection &db, long long id)
{
    CDaoGebDataInfo dao(db);
    dao.setFilter(QStringLiteral("ID = %1").arg(id));
    dao.open();
    if (dao.isEOF())
        throw Refusal{QStringLiteral("no row with ID %1").arg(id)};
    return dao.row();
}

/// Adds one cleaned entry on an open transaction; returns the new ID.
/// The key of the group named `group`; a name no group carries makes that
/// group at the top level. An empty name is the top level.
int groupKeyMadeIfMissing(Connection &db, const QString &group)
{
    if (group.isEmpty())
        return kTopLevelKey;
    if (const auto key = groupKeyByName(db, group))
        return *key;
    const int newKey = nextGroupKeyByWalk(db);
    CDaoGebDataInfo dao(db);
    dao.setFilter(QStringLiteral("ID = 0")); // a set to add to, not the whole table
    dao.open();
    dao.addNew();
    dao.setText(CDaoGebDataInfo::NameField, group);
    dao.setInteger(CDaoGebDataInfo::ParentField, kTopLevelKey);
    dao.setInteger(CDaoGebDataInfo::ChildField, newKey);
    dao.setBoolean(CDaoGebDataInfo::FolderField, true);
    dao.update();
    return newKey;
}

long long addPersonOn(Connection &db, const PersonEntry &e)
{
    const int parent = groupKeyMadeIfMissing(db, e.group);
    CDaoGebDataInfo dao(db);
    dao.setFilter(QStringLiteral("ID = 0"));
    dao.open();
    dao.addNew();
    writePersonFields(dao, e, parent);
    dao.setInteger(CDaoGebDataInfo::ChildField, 0);
    dao.setBoolean(CDaoGebDataInfo::FolderField, false);
    dao.update();
    return dao.lastInsertedId();
}

// Names sort without regard to letter case ("smith" beside "Smith", not
// after "Zander"), groups first within a level.
const QString kNameOrder = QStringLiteral("Name COLLATE NOCASE, Vorname COLLATE NOCASE");
const QString kLevelOrder = QStringLiteral("Folder, ") + kNameOrder;

std::vector<PersonRow> rowsOf(Connection &db, const QString &filter, const QString &sort)
{
    CDaoGebDataInfo dao(db);
    dao.setFilter(filter);
    dao.setSort(sort);
    dao.open();
    std::vector<PersonRow> rows;
    for (; !dao.isEOF(); dao.moveNext())
        rows.push_back(dao.row());
    return rows;
}

} // namespace

QString TopLevelName()
{
    return QStringLiteral("Persons");
}

QString DisplayName(const QString &first, const QString &last)
{
    if (first.isEmpty())
        return last;
    if (last.isEmpty())
        return first;
    return first + QLatin1Char(' ') + last;
}

QString PersonRow::displayName() const
{
    return DisplayName(first, name);
}

CDaoGebDataInfo::CDaoGebDataInfo() : CDaoGebDataInfo(PersonsDatabasePath())
{
}

CDaoGebDataInfo::CDaoGebDataInfo(const QString &path)
    : detail::OwnedConnection{std::make_unique<Connection>(path)},
      RecordSet(*owned, QStringLiteral("[Data]"), personFields())
{
}

CDaoGebDataInfo::CDaoGebDataInfo(Connection &db) : RecordSet(db, QStringLiteral("[Data]"), personFields())
{
}

PersonRow CDaoGebDataInfo::row() const
{
    PersonRow row;
    row.id = integer(IdField);
    row.name = text(NameField);
    row.first = text(VornameField);
    row.born = dateTime(GeburtsdatumField);
    row.time = dateTime(ZeitField);
    row.parent = integer(ParentField);
    row.child = integer(ChildField);
    row.folder = boolean(FolderField);
    return row;
}

PersonStore::PersonStore() : m_path(PersonsDatabasePath())
{
}

PersonStore::PersonStore(QString path) : m_path(std::move(path))
{
}

Result<std::vector<PersonRow>> PersonStore::listLevel(int key) const
{
    return guarded<std::vector<PersonRow>>([&] {
        Connection db(m_path);
        return rowsOf(db, QStringLiteral("Parent = %1").arg(key), kLevelOrder);
    });
}

Result<std::vector<PersonRow>> PersonStore::listGroups() const
{
    return guarded<std::vector<PersonRow>>([&] {
        Connection db(m_path);
        return rowsOf(db, QStringLiteral("Folder = True AND Parent <> 0"), kNameOrder);
    });
}

Result<std::vector<PersonRow>> PersonStore::listPersons() const
{
    return guarded<std::vector<PersonRow>>([&] {
        Connection db(m_path);
        return rowsOf(db, QStringLiteral("Folder = False"), kNameOrder);
    });
}

Result<std::optional<PersonRow>> PersonStore::find(int id) const
{
    return guarded<std::optional<PersonRow>>([&]() -> std::optional<PersonRow> {
        Connection db(m_path);
        const auto rows = rowsOf(db, QStringLiteral("ID = %1").arg(id), {});
        if (rows.empty())
            return std::nullopt;
        return rows.front();
    });
}

namespace {

std::optional<QString> duplicateGroupOn(Connection &db, const QString &last, const QString &first)
{
    const QString l = NormalizedName(last);
    const QString f = NormalizedName(first);
    QString filter;
    if (!l.isEmpty() && !f.isEmpty())
        filter = QStringLiteral("Name = %1 AND Vorname = %2").arg(SqlQuote(l), SqlQuote(f));
    else if (!l.isEmpty())
        filter = QStringLiteral("Name = %1 AND Vorname Is Null").arg(SqlQuote(l));
    else if (!f.isEmpty())
        filter = QStringLiteral("Name Is Null AND Vorname = %1").arg(SqlQuote(f));
    else
        return std::nullopt;
    CDaoGebDataInfo dao(db);
        // Group rows have no first name; a group named like a person's last
        // name is no duplicate of that person.
    dao.setFilter(filter + QStringLiteral(" AND Folder = False"));
    dao.open();
    if (dao.isEOF())
        return std::nullopt;
    const int parent = dao.integer(CDaoGebDataInfo::ParentField);
    dao.close();
    dao.setFilter(QStringLiteral("Child = %1 AND Folder = True").arg(parent));
    dao.open();
    return dao.isEOF() ? QString() : dao.text(CDaoGebDataInfo::NameField);
}

} // namespace

Result<std::optional<QString>> PersonStore::findDuplicateGroupName(const QString &last, const QString &first) const
{
    return guarded<std::optional<QString>>([&] {
        Connection db(m_path);
        return duplicateGroupOn(db, last, first);
    });
}

Result<AddOutcome> PersonStore::addPersonUnlessDuplicate(const PersonEntry &entry) const
{
    return guarded<AddOutcome>([&] {
        const PersonEntry e = cleaned(entry);
        Connection db(m_path);
        Transaction transaction(db);
        AddOutcome outcome;
        outcome.duplicateGroup = duplicateGroupOn(db, e.last, e.first);
        if (outcome.duplicateGroup)
            return outcome;
        outcome.added = rowById(db, addPersonOn(db, e));
        transaction.commit();
        return outcome;
    });
}

Result<PersonRow> PersonStore::addPerson(const PersonEntry &entry) const
{
    return guarded<PersonRow>([&] {
        const PersonEntry e = cleaned(entry);
        Connection db(m_path);
        Transaction transaction(db);
        const long long id = addPersonOn(db, e);
        const PersonRow row = rowById(db, id);
        transaction.commit();
        return row;
    });
}

Status PersonStore::addPersons(const std::vector<PersonEntry> &entries) const
{
    return guarded<Done>([&] {
        const std::vector<PersonEntry> clean = cleanedAll(entries);
        Connection db(m_path);
        Transaction transaction(db);
        for (const PersonEntry &e : clean)
            addPersonOn(db, e);
        transaction.commit();
        return Done{};
    });
}

namespace {

/// Prepared statements of one import, made once and reused for every row;
/// a person is looked up through the index of the names, so that an import
/// takes time in proportion to its rows.
class Importer {
public:
    explicit Importer(Connection &db)
        : m_db(db),
          m_present(db, QStringLiteral("SELECT 1 FROM [Data] INDEXED BY [Data_Names] WHERE [Name] IS ?1 "
                                       "AND [Vorname] IS ?2 AND [Folder] = 0 AND [Geburtsdatum] = ?3 "
                                       "AND COALESCE([Zeit], 0) = ?4 LIMIT 1")),
          m_insert(db, QStringLiteral("INSERT INTO [Data] ([Name], [Vorname], [Geburtsdatum], [Zeit], [Parent], "
                                      "[Child], [Folder]) VALUES (?1, ?2, ?3, ?4, ?5, 0, 0)"))
    {
        Statement groups(db, QStringLiteral("SELECT [Name], [Child] FROM [Data] WHERE [Folder] <> 0 "
                                            "ORDER BY [ID] DESC"));
        while (groups.step())
            m_groups.insert(groups.text(0), int(groups.integer(1))); // the first row of a name wins
    }

    /// Adds a cleaned entry unless it is present; false when it was.
    bool add(const PersonEntry &e)
    {
        const double time = e.time.isValid() ? e.time.days() : 0.0;
        bindNames(m_present, e);
        m_present.bindDouble(3, e.born.days());
        m_present.bindDouble(4, time);
        const bool present = m_present.step();
        m_present.reset();
        if (present)
            return false;
        bindNames(m_insert, e);
        m_insert.bindDouble(3, e.born.days());
        m_insert.bindDouble(4, time);
        m_insert.bindInt(5, parentFor(e.group));
        m_insert.run();
        m_insert.reset();
        return true;
    }

private:
    static void bindNames(Statement &statement, const PersonEntry &e)
    {
        for (const auto &[index, name] : {std::pair{1, &e.last}, std::pair{2, &e.first}}) {
            if (name->isEmpty())
                statement.bindNull(index);
            else
                statement.bindText(index, *name);
        }
    }

    int parentFor(const QString &group)
    {
        if (group.isEmpty())
            return kTopLevelKey;
        if (const auto found = m_groups.constFind(group); found != m_groups.cend())
            return *found;
        const int key = nextGroupKeyByWalk(m_db);
        Statement insert(m_db, QStringLiteral("INSERT INTO [Data] ([Name], [Parent], [Child], [Folder]) "
                                              "VALUES (?1, ?2, ?3, -1)"));
        insert.bindText(1, group);
        insert.bindInt(2, kTopLevelKey);
        insert.bindInt(3, key);
        insert.run();
        m_groups.insert(group, key);
        return key;
    }

    Connection &m_db;
    Statement m_present;
    Statement m_insert;
    QHash<QString, int> m_groups;
};

} // namespace

Result<ImportCount> PersonStore::importPersons(const std::vector<PersonEntry> &entries) const
{
    return guarded<ImportCount>([&] {
        const std::vector<PersonEntry> clean = cleanedAll(entries);
        Connection db(m_path);
        // Room for the table and its indexes in memory until the commit,
        // instead of spilling pages to the file while the import runs.
        db.exec(QStringLiteral("PRAGMA cache_size = -131072"));
        Transaction transaction(db);
        ImportCount count;
        {
            Importer importer(db);
            for (const PersonEntry &e : clean)
                ++(importer.add(e) ? count.imported : count.alreadyPresent);
        }
        transaction.commit();
        return count;
    });
}

Result<PersonRow> PersonStore::updatePerson(int id, const PersonEntry &entry) const
{
    return guarded<PersonRow>([&] {
        const PersonEntry e = cleaned(entry);
        Connection db(m_path);
        Transaction transaction(db);
        CDaoGebDataInfo dao(db);
        dao.setFilter(QStringLiteral("ID = %1 AND Folder = False").arg(id));
        dao.open();
        if (dao.isEOF())
            throw Refusal{QStringLiteral("no person with ID %1").arg(id)};
        const int parent = groupKeyMadeIfMissing(db, e.group);
        dao.edit();
        writePersonFields(dao, e, parent);
        dao.update();
        const PersonRow row = dao.row();
        dao.close();
        transaction.commit();
        return row;
    });
}

namespace {

/// A typed group name without its outer blanks; refuses an empty or too
/// long one.
QString checkedGroupName(const QString &name)
{
    const QString group = NormalizedName(name);
    if (group.isEmpty())
        throw Refusal{QStringLiteral("a group needs a name")};
    // A group of that name could never be found again: the name stands for
    // the top level wherever a group is named.
    if (group == TopLevelName())
        throw Refusal{QStringLiteral("\"%1\" is the name of the top level; choose another group name").arg(group)};
    checkName(group, "group name");
    return group;
}

} // namespace

Result<PersonRow> PersonStore::addGroup(const QString &name) const
{
    return guarded<PersonRow>([&] {
        const QString group = checkedGroupName(name);
        Connection db(m_path);
        Transaction transaction(db);
        CDaoGebDataInfo dao(db);
        dao.setFilter(QStringLiteral("Folder=True ORDER BY Child DESC"));
        dao.open();
        int key = kTopLevelKey;
        if (!dao.isEOF()) {
            dao.moveLast();
            key = dao.integer(CDaoGebDataInfo::ChildField) - 1;
        }
        dao.addNew();
        dao.setText(CDaoGebDataInfo::NameField, group);
        dao.setInteger(CDaoGebDataInfo::ParentField, kTopLevelKey);
        dao.setInteger(CDaoGebDataInfo::ChildField, groupKeyBelow(key));
        dao.setBoolean(CDaoGebDataInfo::FolderField, true);
        dao.update();
        const PersonRow row = rowById(db, dao.lastInsertedId());
        dao.close();
        transaction.commit();
        return row;
    });
}

namespace {

/// Opens `dao` on the group row with this ID; refuses when there is none.
void openGroup(CDaoGebDataInfo &dao, int id)
{
    dao.setFilter(QStringLiteral("ID = %1 AND Folder = True").arg(id));
    dao.open();
    if (dao.isEOF())
        throw Refusal{QStringLiteral("no group with ID %1").arg(id)};
}

} // namespace

Status PersonStore::renameGroup(int id, const QString &name) const
{
    return guarded<Done>([&] {
        const QString group = checkedGroupName(name);
        Connection db(m_path);
        Transaction transaction(db);
        CDaoGebDataInfo dao(db);
        openGroup(dao, id);
        if (dao.text(CDaoGebDataInfo::NameField) != group) {
            dao.edit();
            dao.setText(CDaoGebDataInfo::NameField, group);
            dao.update();
        }
        dao.close();
        transaction.commit();
        return Done{};
    });
}

namespace {

void setParentOfPerson(Connection &db, int personId, int parent)
{
    CDaoGebDataInfo person(db);
    person.setFilter(QStringLiteral("ID = %1 AND Folder = False").arg(personId));
    person.open();
    if (person.isEOF())
        throw Refusal{QStringLiteral("no person with ID %1").arg(personId)};
    person.edit();
    person.setInteger(CDaoGebDataInfo::ParentField, parent);
    person.update();
}

} // namespace

Status PersonStore::movePerson(int personId, int groupId) const
{
    return guarded<Done>([&] {
        Connection db(m_path);
        Transaction transaction(db);
        CDaoGebDataInfo group(db);
        openGroup(group, groupId);
        setParentOfPerson(db, personId, group.integer(CDaoGebDataInfo::ChildField));
        group.close();
        transaction.commit();
        return Done{};
    });
}

Status PersonStore::movePersonToLevel(int personId, int levelKey) const
{
    return guarded<Done>([&] {
        Connection db(m_path);
        Transaction transaction(db);
        // Only a level that a list can show keeps the person reachable.
        if (levelKey != kTopLevelKey
            && rowsOf(db, QStringLiteral("Child = %1 AND Folder = True").arg(levelKey), {}).empty())
            throw Refusal{QStringLiteral("no group with key %1").arg(levelKey)};
        setParentOfPerson(db, personId, levelKey);
        transaction.commit();
        return Done{};
    });
}

Result<DeleteOutcome> PersonStore::deleteRow(int id) const
{
    return guarded<DeleteOutcome>([&] {
        Connection db(m_path);
        Transaction transaction(db);
        CDaoGebDataInfo dao(db);
        dao.setFilter(QStringLiteral("ID = %1").arg(id));
        dao.open();
        if (dao.isEOF())
            return DeleteOutcome::NotFound;
        if (dao.boolean(CDaoGebDataInfo::FolderField)) {
            const int key = dao.integer(CDaoGebDataInfo::ChildField);
            if (key == kTopLevelKey)
                return DeleteOutcome::TopLevel;
            CDaoGebDataInfo members(db);
            members.setFilter(QStringLiteral("Parent = %1").arg(key));
            members.open();
            if (!members.isEOF())
                return DeleteOutcome::GroupNotEmpty;
        }
        dao.deleteCurrent();
        dao.close();
        transaction.commit();
        return DeleteOutcome::Deleted;
    });
}

Result<QString> PersonStore::groupNameOfPerson(int parentKey) const
{
    return guarded<QString>([&] {
        Connection db(m_path);
        const auto rows = rowsOf(db, QStringLiteral("Child = %1 AND Folder = True").arg(parentKey), {});
        return rows.empty() ? QString() : rows.front().name;
    });
}

void CreatePersonsSchema(Connection &db)
{
    db.exec(QStringLiteral(
        "CREATE TABLE [Data] ([ID] INTEGER PRIMARY KEY AUTOINCREMENT, [Name] TEXT, [Vorname] TEXT, "
        "[Geburtsdatum] REAL, [Zeit] REAL, [Parent] INTEGER NOT NULL DEFAULT -1, "
        "[Child] INTEGER NOT NULL DEFAULT 0, [Folder] INTEGER NOT NULL DEFAULT 0);"
        // Covers every column in the order a level is listed (ties by ID), so
        // that listing a level reads this index alone and sorts nothing.
        "CREATE INDEX [Data_Level] ON [Data] ([Parent], [Folder], [Name] COLLATE NOCASE, "
        "[Vorname] COLLATE NOCASE, [ID], "
        "[Geburtsdatum], [Zeit], [Child]);"
        "CREATE INDEX [Data_Names] ON [Data] ([Name], [Vorname]);"
        "CREATE INDEX [Data_Sorted] ON [Data] ([Folder], [Name] COLLATE NOCASE, [Vorname] COLLATE NOCASE);"
        "CREATE INDEX [Data_Groups] ON [Data] ([Folder], [Child]);"
        "CREATE INDEX [Data_Child] ON [Data] ([Child]);"));
    CDaoGebDataInfo dao(db);
    dao.setFilter(QStringLiteral("ID = 0"));
    dao.open();
    dao.addNew();
    dao.setText(CDaoGebDataInfo::NameField, TopLevelName());
    dao.setInteger(CDaoGebDataInfo::ParentField, 0);
    dao.setInteger(CDaoGebDataInfo::ChildField, kTopLevelKey);
    dao.setBoolean(CDaoGebDataInfo::FolderField, true);
    dao.update();
}

Status CreatePersonsDatabase(const QString &path, const std::function<void(Connection &)> &fill)
{
    return CreateDatabaseFile(path, [&](Connection &db) {
        CreatePersonsSchema(db);
        if (fill)
            fill(db);
    });
}

} // namespace quadrivium
