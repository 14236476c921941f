#include "statement.h"

#include "connection.h"

#include <sqlite3.h>

namespace quadrivium {

Statement::Statement(Connection &db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    m_db.check(sqlite3_prepare_v2(m_db.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr));
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bindNull(int index)
{
    m_db.check(sqlite3_bind_null(m_stmt, index));
}

void Statement::bindInt(int index, long long value)
{
    m_db.check(sqlite3_bind_int64(m_stmt, index, value));
}

void Statement::bindDouble(int index, double value)
{
    m_db.check(sqlite3_bind_double(m_stmt, index, value));
}

void Statement::bindText(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    m_db.check(sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_db.check(rc);
    return false;
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

int Statement::type(int column) const
{
    return sqlite3_column_type(m_stmt, column);
}

long long Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto *data = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(m_stmt, column));
}

} // namespace quadrivium
