#include "textstore.h"

#include "location.h"
#include "statement.h"

#include <array>

namespace quadrivium {

namespace {

const std::array<const char *, kTextTableCount> kTableNames{
    "Intro", "Chart", "Pyramide", "Biorythmus", "Rulingnumber", "Zahlen", "Bestimmung",
    "Erscheinung", "Herrschende_Namenszahl", "Geburtstag", "Lebensjahreszahl", "TitleListe",
    "Monatszahl", "Tageszahl", "Herausforderung", "Karmische_Lektion",
    "Partnerschaft",
};

std::vector<FieldBinding> textFields()
{
    return {
        {QStringLiteral("TextID"), FieldKind::Text},
        {QStringLiteral("Title"), FieldKind::Text},
        {QStringLiteral("Text"), FieldKind::Text},
        {QStringLiteral("TitleText"), FieldKind::Text},
        {QStringLiteral("NumberID"), FieldKind::Integer},
    };
}

template<typename T, typename F>
Result<T> guarded(F &&work)
{
    try {
        return work();
    } catch (const DatabaseError &error) {
        return Result<T>::failure(error.message());
    }
}

} // namespace

QString TextTableName(int table)
{
    if (table < 1 || table >= kTextTableCount)
        table = 0;
    return QString::fromLatin1(kTableNames[std::size_t(table)]);
}

QString TextTableSource(int table)
{
    const QString bracketed = QLatin1Char('[') + TextTableName(table) + QLatin1Char(']');
    return table == kTitleListTable ? bracketed : QStringLiteral("Select * From ") + bracketed;
}

int TextTableNumber(const QString &name)
{
    for (int table = 0; table < kTextTableCount; ++table) {
        if (name == QLatin1String(kTableNames[std::size_t(table)]))
            return table;
    }
    return -1;
}

int NumberIdForListPosition(int table, int position)
{
    if (table == kRulingNumberTable && position == 9)
        return 11;
    if (table == kRulingNumberTable && position == 10)
        return 22;
    return position + 1;
}

CDao::CDao() : CDao(TextDatabasePath())
{
}

CDao::CDao(const QString &path)
    : detail::OwnedConnection{std::make_unique<Connection>(path)},
      RecordSet(*owned, TextTableSource(0), textFields())
{
}

CDao::CDao(Connection &db) : RecordSet(db, TextTableSource(0), textFields())
{
}

void CDao::SetTable(int table)
{
    m_table = table;
    setSource(TextTableSource(table));
}

void CDao::SelectText(int table, int numberId)
{
    SetTable(table);
    setFilter(QStringLiteral("NumberID = %1").arg(numberId));
}

TextRecord CDao::record() const
{
    return TextRecord{text(TextIdField), text(TitleField), text(TextField), text(TitleTextField),
                      integer(NumberIdField)};
}

void CDao::setRecord(const TextRecord &record)
{
    setText(TextIdField, record.textId);
    setText(TitleField, record.title);
    setText(TextField, record.text);
    setText(TitleTextField, record.titleText);
    setInteger(NumberIdField, record.numberId);
}

TextStore::TextStore() : m_path(TextDatabasePath())
{
}

TextStore::TextStore(QString path) : m_path(std::move(path))
{
}

Result<std::optional<TextRecord>> TextStore::read(int table, int numberId) const
{
    const auto records = readMany({{table, numberId}});
    if (!records)
        return Result<std::optional<TextRecord>>::failure(records.error());
    return records->front();
}

Result<std::vector<std::optional<TextRecord>>> TextStore::readMany(const std::vector<TextKey> &keys) const
{
    return guarded<std::vector<std::optional<TextRecord>>>([&] {
        Connection db(m_path);
        std::vector<std::optional<TextRecord>> records;
        records.reserve(keys.size());
        for (const auto &[table, numberId] : keys) {
            CDao dao(db);
            dao.SelectText(table, numberId);
            dao.open();
            records.push_back(dao.isEOF() ? std::nullopt : std::optional<TextRecord>(dao.record()));
        }
        return records;
    });
}

Result<std::vector<TextRecord>> TextStore::list(int table) const
{
    return guarded<std::vector<TextRecord>>([&] {
        CDao dao(m_path);
        dao.SetTable(table);
        // By number: a record added later (a saved new text) takes its place
        // among the others, so that list positions keep matching numbers.
        dao.setSort(QStringLiteral("NumberID"));
        dao.open();
        std::vector<TextRecord> records;
        for (; !dao.isEOF(); dao.moveNext())
            records.push_back(dao.record());
        return records;
    });
}

namespace {

const QString kEditedTable = QStringLiteral("EditedTexts");

bool sameContent(const TextRecord &a, const TextRecord &b)
{
    return a.textId == b.textId && a.title == b.title && a.text == b.text && a.titleText == b.titleText;
}

/// Notes that the user changed record `numberId` of `table`.
void markEdited(Connection &db, int table, int numberId)
{
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS [%1] ([TableNumber] INTEGER NOT NULL, "
                           "[NumberID] INTEGER NOT NULL, PRIMARY KEY ([TableNumber], [NumberID]))")
                .arg(kEditedTable));
    Statement insert(db, QStringLiteral("INSERT OR IGNORE INTO [%1] ([TableNumber], [NumberID]) VALUES (?, ?)")
                             .arg(kEditedTable));
    insert.bindInt(1, TextTableNumber(TextTableName(table)));
    insert.bindInt(2, numberId);
    insert.run();
}

/// Replaces, adds or (for an empty text) deletes one record, and notes it as
/// edited when that changed anything.
void writeRecord(Connection &db, int table, const TextRecord &record)
{
    CDao dao(db);
    dao.SelectText(table, record.numberId);
    dao.open();
    bool changed = false;
    if (record.text.isEmpty()) {
        if (!dao.isEOF()) {
            dao.deleteCurrent();
            changed = true;
        }
    } else if (dao.isEOF() || !sameContent(dao.record(), record)) {
        if (dao.isEOF())
            dao.addNew();
        else
            dao.edit();
        dao.setRecord(record);
        dao.update();
        changed = true;
    }
    dao.close();
    if (changed)
        markEdited(db, table, record.numberId);
}

} // namespace

Status TextStore::write(int table, const TextRecord &record) const
{
    return writeAll({{table, record}});
}

Status TextStore::writeAll(const std::vector<std::pair<int, TextRecord>> &records) const
{
    return guarded<Done>([&] {
        Connection db(m_path);
        Transaction transaction(db);
        for (const auto &[table, record] : records)
            writeRecord(db, table, record);
        transaction.commit();
        return Done{};
    });
}

std::optional<std::set<TextKey>> EditedTextKeys(Connection &db)
{
    Statement exists(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    exists.bindText(1, kEditedTable);
    if (!exists.step())
        return std::nullopt;
    std::set<TextKey> keys;
    Statement select(db, QStringLiteral("SELECT [TableNumber], [NumberID] FROM [%1]").arg(kEditedTable));
    while (select.step())
        keys.emplace(int(select.integer(0)), int(select.integer(1)));
    return keys;
}

void CreateTextSchema(Connection &db)
{
    for (int table = 0; table < kTextTableCount; ++table) {
        const QString name = TextTableName(table);
        const QString id = table == 0 ? QStringLiteral("[ID] INTEGER PRIMARY KEY, ") : QString();
        db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS [%1] (%2[TextID] TEXT, [Title] TEXT, [Text] TEXT, "
                               "[TitleText] TEXT, [NumberID] INTEGER NOT NULL DEFAULT 0);"
                               "CREATE INDEX IF NOT EXISTS [%1_NumberID] ON [%1] ([NumberID]);")
                    .arg(name, id));
    }
}

void InsertText(Connection &db, int table, const TextRecord &record, int introId)
{
    const bool withId = TextTableName(table) == QLatin1String("Intro") && introId > 0;
    Statement insert(db, QStringLiteral("INSERT INTO [%1] (%2[TextID], [Title], [Text], [TitleText], [NumberID]) "
                                        "VALUES (%3?, ?, ?, ?, ?)")
                             .arg(TextTableName(table), withId ? QStringLiteral("[ID], ") : QString(),
                                  withId ? QStringLiteral("?, ") : QString()));
    int index = 1;
    if (withId)
        insert.bindInt(index++, introId);
    insert.bindText(index++, record.textId);
    insert.bindText(index++, record.title);
    insert.bindText(index++, record.text);
    insert.bindText(index++, record.titleText);
    insert.bindInt(index, record.numberId);
    insert.run();
}

Status CreateTextDatabase(const QString &path, const std::function<void(Connection &)> &fill)
{
    return CreateDatabaseFile(path, [&](Connection &db) {
        CreateTextSchema(db);
        if (fill)
            fill(db);
    });
}

} // namespace quadrivium
