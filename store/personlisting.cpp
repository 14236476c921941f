#include "personlisting.h"

#include "statement.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

namespace quadrivium {

namespace {

const QString kColumns = QStringLiteral("ID, Name, Vorname, Geburtsdatum, Zeit, Parent, Child, Folder");
// The order of both listings; in the list of every person the folder mark
// is the same in every row. Ties of names go by ID, as the record sets'
// ties go by row.
const QString kOrder = QStringLiteral("Folder, Name COLLATE NOCASE, Vorname COLLATE NOCASE, ID");
// True for a row that the listing's order puts before the row whose sort
// key is bound to ?1 (Folder), ?2 (Name), ?3 (Vorname) and ?4 (ID). Missing
// names are null and sort first.
// Comparisons with a null name give null, which counts as false.
const QString kBefore = QStringLiteral(
    "coalesce(Folder < ?1 OR (Folder = ?1 AND ("
    "(Name IS NULL AND ?2 IS NOT NULL) OR Name < ?2 COLLATE NOCASE OR (Name IS ?2 COLLATE NOCASE AND ("
    "(Vorname IS NULL AND ?3 IS NOT NULL) OR Vorname < ?3 COLLATE NOCASE OR (Vorname IS ?3 COLLATE NOCASE AND "
    "ID < ?4))))), 0)");

template<typename T, typename F>
Result<T> guarded(F &&work)
{
    try {
        return work();
    } catch (const DatabaseError &error) {
        return Result<T>::failure(error.message());
    }
}

DateTimeValue dateOf(const Statement &query, int column)
{
    switch (query.type(column)) {
    case SQLITE_FLOAT:
    case SQLITE_INTEGER:
        return DateTimeValue(query.real(column));
    default:
        return DateTimeValue::null();
    }
}

/// The row of a query whose columns are kColumns.
PersonRow rowOf(const Statement &query)
{
    PersonRow row;
    row.id = int(query.integer(0));
    row.name = query.text(1);
    row.first = query.text(2);
    row.born = dateOf(query, 3);
    row.time = dateOf(query, 4);
    row.parent = int(query.integer(5));
    row.child = int(query.integer(6));
    row.folder = query.real(7) != 0.0;
    return row;
}

/// The sort key of one row as the values stored, so that it compares as
/// the rows do.
struct SortKey {
    long long folder = 0;
    std::optional<QString> name;
    std::optional<QString> first;
    long long id = 0;
};

SortKey keyOf(const Statement &query, int column)
{
    SortKey key;
    key.folder = query.integer(column);
    if (!query.isNull(column + 1))
        key.name = query.text(column + 1);
    if (!query.isNull(column + 2))
        key.first = query.text(column + 2);
    key.id = query.integer(column + 3);
    return key;
}

void bindKey(Statement &query, const SortKey &key)
{
    query.bindInt(1, key.folder);
    if (key.name)
        query.bindText(2, *key.name);
    else
        query.bindNull(2);
    if (key.first)
        query.bindText(3, *key.first);
    else
        query.bindNull(3);
    query.bindInt(4, key.id);
}

QString textArgument(sqlite3_value *value)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
    return text ? QString::fromUtf8(text, sqlite3_value_bytes(value)) : QString();
}

/// What the SQL function "row_matches" compares each row with.
struct Matcher {
    QString text;
    PersonListing::Match match;
    PersonListing::RowText rowText;
};

/// row_matches(ID, Name, Vorname, Folder): 1 when the row's text matches.
void rowMatches(sqlite3_context *context, int, sqlite3_value **values)
{
    const auto *matcher = static_cast<const Matcher *>(sqlite3_user_data(context));
    PersonRow row;
    row.id = sqlite3_value_int(values[0]);
    row.name = textArgument(values[1]);
    row.first = textArgument(values[2]);
    row.folder = sqlite3_value_double(values[3]) != 0.0;
    const QString text = matcher->rowText(row);
    const bool matches = matcher->match == PersonListing::Match::Exactly
                             ? text == matcher->text
                             : text.startsWith(matcher->text, Qt::CaseInsensitive);
    sqlite3_result_int(context, matches ? 1 : 0);
}

} // namespace

PersonListing::PersonListing(QString path, QString filter)
    : m_path(std::move(path)), m_filter(std::move(filter))
{
}

PersonListing PersonListing::persons(QString path)
{
    return PersonListing(std::move(path), QStringLiteral("Folder = 0"));
}

PersonListing PersonListing::level(QString path, int key)
{
    return PersonListing(std::move(path), QStringLiteral("Parent = %1").arg(key));
}

Result<int> PersonListing::count() const
{
    return guarded<int>([&] {
        Connection db(m_path);
        Statement query(db, QStringLiteral("SELECT count(*) FROM Data WHERE ") + m_filter);
        return query.step() ? int(query.integer(0)) : 0;
    });
}

Result<std::vector<PersonRow>> PersonListing::rows(int offset, int limit) const
{
    return guarded<std::vector<PersonRow>>([&] {
        Connection db(m_path);
        Statement query(db, QStringLiteral("SELECT %1 FROM Data WHERE %2 ORDER BY %3 LIMIT ?1 OFFSET ?2")
                                .arg(kColumns, m_filter, kOrder));
        query.bindInt(1, limit);
        query.bindInt(2, offset);
        std::vector<PersonRow> rows;
        rows.reserve(size_t(std::max(limit, 0)));
        while (query.step())
            rows.push_back(rowOf(query));
        return rows;
    });
}

namespace {

/// The number of rows of `filter` that sort before `key`.
int rowsBefore(Connection &db, const QString &filter, const SortKey &key)
{
    Statement count(db, QStringLiteral("SELECT count(*) FROM Data WHERE (%1) AND %2").arg(filter, kBefore));
    bindKey(count, key);
    return count.step() ? int(count.integer(0)) : 0;
}

} // namespace

Result<std::optional<int>> PersonListing::positionOf(int id) const
{
    return guarded<std::optional<int>>([&]() -> std::optional<int> {
        Connection db(m_path);
        Statement row(db, QStringLiteral("SELECT Folder, Name, Vorname, ID FROM Data WHERE ID = ?1 AND (%1)")
                              .arg(m_filter));
        row.bindInt(1, id);
        if (!row.step())
            return std::nullopt;
        return rowsBefore(db, m_filter, keyOf(row, 0));
    });
}

Result<std::optional<int>> PersonListing::find(const QString &text, Match match, int from, RowText rowText) const
{
    return guarded<std::optional<int>>([&]() -> std::optional<int> {
        Connection db(m_path);
        Matcher matcher{text, match, rowText};
        db.check(sqlite3_create_function(db.handle(), "row_matches", 4, SQLITE_UTF8, &matcher, rowMatches, nullptr,
                                         nullptr));
        const QString matching = QStringLiteral("SELECT Folder, Name, Vorname, ID FROM Data WHERE (%1) AND "
                                                "row_matches(ID, Name, Vorname, Folder)")
                                     .arg(m_filter);
        std::optional<SortKey> found;
        // The row at `from`: the search begins there.
        Statement start(db, QStringLiteral("SELECT Folder, Name, Vorname, ID FROM Data WHERE %1 ORDER BY %2 "
                                           "LIMIT 1 OFFSET ?1")
                                .arg(m_filter, kOrder));
        start.bindInt(1, std::max(from, 0));
        if (from > 0 && start.step()) {
            Statement after(db, QStringLiteral("%1 AND NOT %2 ORDER BY %3 LIMIT 1").arg(matching, kBefore, kOrder));
            bindKey(after, keyOf(start, 0));
            if (after.step())
                found = keyOf(after, 0);
        }
        if (!found) {
            Statement first(db, QStringLiteral("%1 ORDER BY %2 LIMIT 1").arg(matching, kOrder));
            if (first.step())
                found = keyOf(first, 0);
        }
        if (!found)
            return std::nullopt;
        return rowsBefore(db, m_filter, *found);
    });
}

} // namespace quadrivium
