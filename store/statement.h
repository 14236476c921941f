#pragma once

#include <QString>

struct sqlite3_stmt;

namespace quadrivium {

class Connection;

/// One prepared SQL statement of a connection; every failure throws the
/// connection's DatabaseError. Parameters are numbered from 1, result
/// columns from 0.
class Statement {
public:
    Statement(Connection &db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bindNull(int index);
    void bindInt(int index, long long value);
    void bindDouble(int index, double value);
    void bindText(int index, const QString &text);

    /// Advances to the next row; false when there is none (statement done).
    bool step();
    /// Runs a statement that yields no rows.
    void run();
    void reset();

    int columnCount() const;
    bool isNull(int column) const;
    /// SQLite's type code of the column of the current row.
    int type(int column) const;
    long long integer(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    Connection &m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace quadrivium
