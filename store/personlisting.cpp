#include "personlisting.h"

#include "statement.h"

#include <QStringList>

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

/// A LIKE pattern (escape character "\") that the name or the first name
/// of every row whose text begins with `text` matches, whatever the letter
/// case: the text up to its first blank or comma, with the letters outside
/// ASCII, whose case LIKE does not fold, left open.
QString likePrefix(const QString &text)
{
    QString pattern;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' ') || c == QLatin1Char(','))
            break;
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) {
            pattern += QLatin1Char('\\');
            pattern += c;
        } else if (c.unicode() < 0x80) {
            pattern += c;
        } else {
            // One character of the row, however it is cased.
            pattern += QLatin1Char('_');
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
        }
    }
    return pattern + QLatin1Char('%');
}

} // namespace

PersonListing::PersonListing(QString path, QString filter)
    : m_path(std::move(path)), m_filter(std::move(filter))
{
}

Connection &PersonListing::connection() const
{
    if (!m_db) {
        m_db = std::make_shared<Connection>(m_path);
        // The rows a list shows again are read from memory, not decrypted
        // again.
        m_db->exec(QStringLiteral("PRAGMA cache_size = -32768"));
    }
    return *m_db;
}

template<typename T, typename F>
Result<T> PersonListing::guarded(F &&work) const
{
    try {
        return work();
    } catch (const DatabaseError &error) {
        // The next call opens the file again.
        m_db.reset();
        return Result<T>::failure(error.message());
    }
}

PersonListing PersonListing::persons(QString path)
{
    return PersonListing(std::move(path), QStringLiteral("Folder = 0"));
}

PersonListing PersonListing::level(QString path, int key)
{
    return PersonListing(std::move(path), QStringLiteral("Parent = %1").arg(key));
}

Result<long long> PersonListing::version() const
{
    return guarded<long long>([&] {
        Statement query(connection(), QStringLiteral("PRAGMA data_version"));
        return query.step() ? query.integer(0) : 0LL;
    });
}

Result<int> PersonListing::count() const
{
    return guarded<int>([&] {
        Connection &db = connection();
        Statement query(db, QStringLiteral("SELECT count(*) FROM Data WHERE ") + m_filter);
        return query.step() ? int(query.integer(0)) : 0;
    });
}

Result<std::vector<PersonRow>> PersonListing::rows(int offset, int limit) const
{
    return guarded<std::vector<PersonRow>>([&] {
        Connection &db = connection();
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

/// The number of rows of `filter` that sort before `key`, counted as ranges
/// of the indexes in the listing's order so that the file is not read
/// row by row.
int rowsBefore(Connection &db, const QString &filter, const SortKey &key)
{
    // Rows with a missing name sort first. Each part is one range of an
    // index: an OR of two conditions would make the engine read the level
    // row by row.
    QStringList parts{QStringLiteral("Folder < ?1")};
    QString same = QStringLiteral("Folder = ?1");
    if (key.name)
        parts << same + QStringLiteral(" AND Name IS NULL") << same + QStringLiteral(" AND Name < ?2 COLLATE NOCASE");
    same += key.name ? QStringLiteral(" AND Name = ?2 COLLATE NOCASE") : QStringLiteral(" AND Name IS NULL");
    if (key.first)
        parts << same + QStringLiteral(" AND Vorname IS NULL")
              << same + QStringLiteral(" AND Vorname < ?3 COLLATE NOCASE");
    same += key.first ? QStringLiteral(" AND Vorname = ?3 COLLATE NOCASE") : QStringLiteral(" AND Vorname IS NULL");
    parts << same + QStringLiteral(" AND ID < ?4");
    QStringList counts;
    for (const QString &part : parts)
        counts << QStringLiteral("(SELECT count(*) FROM Data WHERE (%1) AND %2)").arg(filter, part);
    Statement count(db, QStringLiteral("SELECT ") + counts.join(QStringLiteral(" + ")));
    bindKey(count, key);
    return count.step() ? int(count.integer(0)) : 0;
}

} // namespace

Result<std::optional<int>> PersonListing::positionOf(int id) const
{
    return guarded<std::optional<int>>([&]() -> std::optional<int> {
        Connection &db = connection();
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
        Connection &db = connection();
        // The file narrows the rows down to those whose name or first name
        // may begin the text; their texts are then compared here.
        const QString candidates = QStringLiteral("SELECT Folder, Name, Vorname, ID FROM Data WHERE (%1) AND "
                                                  "(Name LIKE ?5 ESCAPE '\\' OR Vorname LIKE ?5 ESCAPE '\\')")
                                       .arg(m_filter);
        const QString pattern = likePrefix(text);
        const auto firstMatching = [&](Statement &query) -> std::optional<SortKey> {
            query.bindText(5, pattern);
            while (query.step()) {
                PersonRow row;
                row.folder = query.integer(0) != 0;
                row.name = query.text(1);
                row.first = query.text(2);
                row.id = int(query.integer(3));
                const QString rowString = rowText(row);
                if (match == Match::Exactly ? rowString == text
                                            : rowString.startsWith(text, Qt::CaseInsensitive))
                    return keyOf(query, 0);
            }
            return std::nullopt;
        };
        std::optional<SortKey> found;
        // The row at `from`: the search begins there and goes on from the
        // start when nothing matches up to the end.
        std::optional<SortKey> startKey;
        if (from > 0) {
            Statement start(db, QStringLiteral("SELECT Folder, Name, Vorname, ID FROM Data WHERE %1 ORDER BY %2 "
                                               "LIMIT 1 OFFSET ?1")
                                    .arg(m_filter, kOrder));
            start.bindInt(1, from);
            if (start.step())
                startKey = keyOf(start, 0);
        }
        if (startKey) {
            Statement after(db, QStringLiteral("%1 AND NOT %2 ORDER BY %3").arg(candidates, kBefore, kOrder));
            bindKey(after, *startKey);
            found = firstMatching(after);
        }
        if (!found) {
            Statement first(db, startKey ? QStringLiteral("%1 AND %2 ORDER BY %3").arg(candidates, kBefore, kOrder)
                                         : QStringLiteral("%1 ORDER BY %2").arg(candidates, kOrder));
            if (startKey)
                bindKey(first, *startKey);
            found = firstMatching(first);
        }
        if (!found)
            return std::nullopt;
        return rowsBefore(db, m_filter, *found);
    });
}

} // namespace quadrivium
