#include "recordset.h"

#include "connection.h"
#include "sqldialect.h"
#include "statement.h"

#include <sqlite3.h>

#include <QStringList>

namespace quadrivium {

namespace {

QString bracket(const QString &name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

} // namespace

RecordSet::RecordSet(Connection &db, QString source, std::vector<FieldBinding> fields)
    : m_db(db), m_source(std::move(source)), m_fields(std::move(fields))
{
}

RecordSet::~RecordSet() = default;

QString RecordSet::selectList() const
{
    QString list = m_table.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("rowid");
    for (const FieldBinding &field : m_fields)
        list += QStringLiteral(", ") + bracket(field.column);
    return list;
}

QString RecordSet::baseFrom() const
{
    return m_table.isEmpty() ? QLatin1Char('(') + m_source + QLatin1Char(')') : bracket(m_table);
}

QString RecordSet::buildQuery(const QString &extraCondition) const
{
    const SqlCondition condition = TranslateFilter(m_filter);
    QString where = condition.where;
    if (!extraCondition.isEmpty())
        where = where.isEmpty() ? extraCondition
                                : QStringLiteral("(%1) AND (%2)").arg(where, extraCondition);
    QStringList order;
    if (!condition.orderBy.isEmpty())
        order << condition.orderBy;
    if (!m_sort.trimmed().isEmpty())
        order << TranslateFilter(m_sort).where;
    // Ties and unsorted sets come in the order the rows were added.
    if (!m_table.isEmpty())
        order << QStringLiteral("rowid");
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(selectList(), baseFrom());
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    return sql;
}

void RecordSet::open()
{
    close();
    m_table = TableOfSource(m_source);
    m_query = std::make_unique<Statement>(m_db, buildQuery({}));
    m_open = true;
    moveFirst();
}

void RecordSet::close()
{
    m_query.reset();
    m_pending.reset();
    m_open = false;
    m_eof = true;
    m_hasCurrent = false;
    m_mode = Mode::None;
}

void RecordSet::fetchCurrent(Statement &statement)
{
    m_rowId = statement.integer(0);
    m_current.resize(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const int column = int(i) + 1;
        switch (statement.type(column)) {
        case SQLITE_NULL:
            m_current[i] = std::monostate{};
            break;
        case SQLITE_INTEGER:
            m_current[i] = statement.integer(column);
            break;
        case SQLITE_FLOAT:
            m_current[i] = statement.real(column);
            break;
        default:
            m_current[i] = statement.text(column);
            break;
        }
    }
}

bool RecordSet::stepRow()
{
    if (m_pending) {
        Statement byId(m_db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList(), baseFrom()));
        while (!m_pending->empty()) {
            const long long id = m_pending->front();
            m_pending->pop_front();
            byId.reset();
            byId.bindInt(1, id);
            if (byId.step()) {
                fetchCurrent(byId);
                return true;
            }
        }
        return false;
    }
    if (!m_query)
        return false;
    if (m_query->step()) {
        fetchCurrent(*m_query);
        return true;
    }
    // A finished statement would start again on the next step.
    m_query.reset();
    return false;
}

void RecordSet::moveFirst()
{
    if (!m_open)
        throw DatabaseError(QStringLiteral("the record set is not open"));
    m_pending.reset();
    m_mode = Mode::None;
    if (m_query)
        m_query->reset();
    else
        m_query = std::make_unique<Statement>(m_db, buildQuery({}));
    m_hasCurrent = stepRow();
    m_eof = !m_hasCurrent;
}

void RecordSet::moveNext()
{
    if (!m_open || m_eof)
        throw DatabaseError(QStringLiteral("no current record"));
    m_mode = Mode::None;
    m_hasCurrent = stepRow();
    m_eof = !m_hasCurrent;
}

void RecordSet::moveLast()
{
    if (!m_open)
        throw DatabaseError(QStringLiteral("the record set is not open"));
    if (m_eof)
        moveFirst();
    if (m_eof)
        return;
    m_mode = Mode::None;
    long long lastId = m_rowId;
    std::vector<Value> last = m_current;
    while (stepRow()) {
        lastId = m_rowId;
        last = m_current;
    }
    m_rowId = lastId;
    m_current = std::move(last);
    m_hasCurrent = true;
    m_eof = false;
}

bool RecordSet::findFirst(const QString &filter)
{
    requireTable();
    if (!m_open)
        throw DatabaseError(QStringLiteral("the record set is not open"));
    Statement probe(m_db, buildQuery(TranslateFilter(filter).where) + QStringLiteral(" LIMIT 1"));
    if (!probe.step()) {
        m_hasCurrent = false;
        m_eof = true;
        return false;
    }
    const long long target = probe.integer(0);
    moveFirst();
    while (!m_eof && m_rowId != target)
        moveNext();
    return !m_eof;
}

void RecordSet::requireTable() const
{
    if (m_table.isEmpty())
        throw DatabaseError(QStringLiteral("the record set over \"%1\" cannot be changed").arg(m_source));
}

void RecordSet::requireCurrent(const char *operation) const
{
    if (!m_open || !m_hasCurrent)
        throw DatabaseError(QStringLiteral("%1: no current record").arg(QLatin1String(operation)));
}

void RecordSet::drainForWrite()
{
    if (m_pending)
        return;
    auto rest = std::make_unique<std::deque<long long>>();
    if (m_query) {
        while (m_query->step())
            rest->push_back(m_query->integer(0));
        m_query.reset();
    }
    m_pending = std::move(rest);
}

void RecordSet::addNew()
{
    requireTable();
    if (!m_open)
        throw DatabaseError(QStringLiteral("the record set is not open"));
    m_mode = Mode::Add;
    m_buffer.assign(m_fields.size(), Value{});
    m_dirty.assign(m_fields.size(), false);
}

void RecordSet::edit()
{
    requireTable();
    requireCurrent("edit");
    m_mode = Mode::Edit;
    m_buffer = m_current;
    m_dirty.assign(m_fields.size(), false);
}

void RecordSet::cancelUpdate()
{
    m_mode = Mode::None;
}

namespace {

void bindValue(Statement &statement, int index, const std::variant<std::monostate, long long, double, QString> &value)
{
    if (const auto *i = std::get_if<long long>(&value))
        statement.bindInt(index, *i);
    else if (const auto *d = std::get_if<double>(&value))
        statement.bindDouble(index, *d);
    else if (const auto *s = std::get_if<QString>(&value))
        statement.bindText(index, *s);
    else
        statement.bindNull(index);
}

} // namespace

void RecordSet::update()
{
    if (m_mode == Mode::None)
        throw DatabaseError(QStringLiteral("update without edit or addNew"));
    drainForWrite();
    QStringList columns;
    std::vector<int> changed;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_dirty[i]) {
            columns << bracket(m_fields[i].column);
            changed.push_back(int(i));
        }
    }
    if (m_mode == Mode::Add) {
        QString sql;
        if (columns.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(bracket(m_table));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(bracket(m_table), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        Statement insert(m_db, sql);
        for (std::size_t i = 0; i < changed.size(); ++i)
            bindValue(insert, int(i) + 1, m_buffer[std::size_t(changed[i])]);
        insert.run();
        m_lastInsertId = m_db.lastInsertId();
    } else {
        if (!columns.isEmpty()) {
            QStringList sets;
            for (const QString &column : columns)
                sets << column + QStringLiteral(" = ?");
            Statement change(m_db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                       .arg(bracket(m_table), sets.join(QStringLiteral(", "))));
            for (std::size_t i = 0; i < changed.size(); ++i)
                bindValue(change, int(i) + 1, m_buffer[std::size_t(changed[i])]);
            change.bindInt(int(changed.size()) + 1, m_rowId);
            change.run();
            if (m_db.changes() == 0)
                throw DatabaseError(QStringLiteral("the record was deleted by another user (%1)").arg(m_db.path()));
        }
        m_current = m_buffer;
    }
    m_mode = Mode::None;
}

void RecordSet::deleteCurrent()
{
    requireTable();
    requireCurrent("delete");
    drainForWrite();
    Statement remove(m_db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(bracket(m_table)));
    remove.bindInt(1, m_rowId);
    remove.run();
    m_hasCurrent = false;
    m_mode = Mode::None;
}

const RecordSet::Value &RecordSet::valueAt(int field) const
{
    if (field < 0 || std::size_t(field) >= m_fields.size())
        throw DatabaseError(QStringLiteral("no field %1").arg(field));
    if (m_mode != Mode::None)
        return m_buffer[std::size_t(field)];
    if (!m_hasCurrent)
        throw DatabaseError(QStringLiteral("no current record"));
    return m_current[std::size_t(field)];
}

void RecordSet::setValue(int field, Value value)
{
    if (m_mode == Mode::None)
        throw DatabaseError(QStringLiteral("a field is set without edit or addNew"));
    if (field < 0 || std::size_t(field) >= m_fields.size())
        throw DatabaseError(QStringLiteral("no field %1").arg(field));
    m_buffer[std::size_t(field)] = std::move(value);
    m_dirty[std::size_t(field)] = true;
}

bool RecordSet::isNull(int field) const
{
    return std::holds_alternative<std::monostate>(valueAt(field));
}

QString RecordSet::text(int field) const
{
    const Value &value = valueAt(field);
    if (const auto *s = std::get_if<QString>(&value))
        return *s;
    if (const auto *i = std::get_if<long long>(&value))
        return QString::number(*i);
    if (const auto *d = std::get_if<double>(&value))
        return QString::number(*d);
    return {};
}

qint32 RecordSet::integer(int field) const
{
    const Value &value = valueAt(field);
    if (const auto *i = std::get_if<long long>(&value))
        return qint32(*i);
    if (const auto *d = std::get_if<double>(&value))
        return qint32(*d);
    if (const auto *s = std::get_if<QString>(&value))
        return s->toInt();
    return 0;
}

DateTimeValue RecordSet::dateTime(int field) const
{
    const Value &value = valueAt(field);
    if (const auto *d = std::get_if<double>(&value))
        return DateTimeValue(*d);
    if (const auto *i = std::get_if<long long>(&value))
        return DateTimeValue(double(*i));
    return DateTimeValue::null();
}

bool RecordSet::boolean(int field) const
{
    const Value &value = valueAt(field);
    if (const auto *i = std::get_if<long long>(&value))
        return *i != 0;
    if (const auto *d = std::get_if<double>(&value))
        return *d != 0.0;
    return false;
}

void RecordSet::setNull(int field)
{
    setValue(field, std::monostate{});
}

void RecordSet::setText(int field, const QString &text)
{
    setValue(field, text);
}

void RecordSet::setInteger(int field, qint32 value)
{
    setValue(field, static_cast<long long>(value));
}

void RecordSet::setDateTime(int field, const DateTimeValue &value)
{
    if (value.isValid())
        setValue(field, value.days());
    else
        setValue(field, std::monostate{});
}

void RecordSet::setBoolean(int field, bool value)
{
    setValue(field, value ? -1LL : 0LL);
}

} // namespace quadrivium
