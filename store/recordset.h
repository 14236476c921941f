#pragma once

#include "engine/datetimevalue.h"

#include <QString>

#include <deque>
#include <memory>
#include <variant>
#include <vector>

namespace quadrivium {

class Connection;
class Statement;

/// How a bound column is read and written: text, 32-bit integer, date-time
/// (a DateTimeValue stored as its day count) or boolean (true stored as -1,
/// false as 0, so that an ascending sort puts true first).
enum class FieldKind { Text, Integer, DateTime, Boolean };

struct FieldBinding {
    QString column; ///< column name without brackets
    FieldKind kind;
};

/// An updatable view of the rows of one table (or a read-only view of any
/// other SQL text) narrowed by a filter and ordered by a sort, both in the
/// stores' dialect (see TranslateFilter). Fields are addressed by their
/// position in the binding. Every engine failure throws DatabaseError.
///
/// Use: set filter and sort, open(), then while (!isEOF()) { read; moveNext(); }.
/// Writing: edit() or addNew(), set fields, update(); deleteCurrent(). Each
/// write is one statement; group several writes in a Transaction.
/// The rows a set holds are fixed from its first write on: rows that a
/// write moves into or out of the filter are not shown again or newly.
class RecordSet {
public:
    RecordSet(Connection &db, QString source, std::vector<FieldBinding> fields);
    virtual ~RecordSet();
    RecordSet(const RecordSet &) = delete;
    RecordSet &operator=(const RecordSet &) = delete;

    /// Record source for the next open: a table ("[Data]") or an SQL text.
    void setSource(const QString &source) { m_source = source; }
    const QString &source() const { return m_source; }
    void setFilter(const QString &filter) { m_filter = filter; }
    const QString &filter() const { return m_filter; }
    void setSort(const QString &sort) { m_sort = sort; }
    const QString &sort() const { return m_sort; }

    /// Runs the query and stands on the first row (end of file when none).
    void open();
    void close();
    bool isOpen() const { return m_open; }
    bool isEOF() const { return m_eof; }

    void moveFirst();
    void moveNext();
    void moveLast();
    /// Stands on the first row of the set that also matches `filter`;
    /// false (and end of file) when none does.
    bool findFirst(const QString &filter);

    /// Starts a new row with every field null; update() inserts it.
    void addNew();
    /// Starts changing the current row; update() writes it.
    void edit();
    /// Writes the row begun with addNew() or edit().
    void update();
    /// Cancels addNew() or edit().
    void cancelUpdate();
    /// Deletes the current row; move on before reading again.
    void deleteCurrent();
    /// The rowid given to the row of the last addNew()/update().
    long long lastInsertedId() const { return m_lastInsertId; }

    bool isNull(int field) const;
    QString text(int field) const;            ///< null reads as empty
    qint32 integer(int field) const;          ///< null reads as 0
    DateTimeValue dateTime(int field) const;  ///< null reads as DateTimeValue::null()
    bool boolean(int field) const;            ///< non-zero is true

    void setNull(int field);
    void setText(int field, const QString &text);
    void setInteger(int field, qint32 value);
    /// A null or invalid value is stored as null.
    void setDateTime(int field, const DateTimeValue &value);
    void setBoolean(int field, bool value);

    Connection &connection() const { return m_db; }

private:
    using Value = std::variant<std::monostate, long long, double, QString>;
    enum class Mode { None, Edit, Add };

    QString selectList() const;
    QString baseFrom() const;
    QString buildQuery(const QString &extraCondition) const;
    void fetchCurrent(Statement &statement);
    bool stepRow();
    void drainForWrite();
    const Value &valueAt(int field) const;
    void setValue(int field, Value value);
    void requireCurrent(const char *operation) const;
    void requireTable() const;

    Connection &m_db;
    QString m_source;
    QString m_table; ///< empty when the source is not a single table
    std::vector<FieldBinding> m_fields;
    QString m_filter, m_sort;

    std::unique_ptr<Statement> m_query;
    std::unique_ptr<std::deque<long long>> m_pending; ///< rows left after the first write
    bool m_open = false;
    bool m_eof = true;
    bool m_hasCurrent = false;
    long long m_rowId = 0;
    std::vector<Value> m_current;
    Mode m_mode = Mode::None;
    std::vector<Value> m_buffer;
    std::vector<bool> m_dirty;
    long long m_lastInsertId = 0;
};

} // namespace quadrivium
