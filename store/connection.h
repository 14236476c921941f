#pragma once

#include "result.h"

#include <QString>

#include <functional>
#include <stdexcept>

struct sqlite3;

namespace quadrivium {

/// An error raised by the database engine, carrying the text to show the
/// user. A file that is keyed with another password or damaged is always
/// reported as "wrong password or damaged file: <path>".
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

/// One connection to an existing database file, opened read-write and
/// shared with other connections and processes, keyed with the program's
/// password. Each operation of the stores opens its own connection and
/// closes it at its end, so other processes see every change at once.
/// Writers wait for each other for several seconds before giving up.
class Connection {
public:
    enum class Access {
        ReadWrite,
        /// For a file the program only ever reads, such as the installed
        /// texts: nothing is written to it, not even to roll back an
        /// interrupted write of another program.
        ReadOnly,
    };

    /// Opens `path`; throws DatabaseError when the file is missing, cannot be
    /// read, is damaged or keyed with another password. Such a file is
    /// never written to.
    explicit Connection(const QString &path, Access access = Access::ReadWrite);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const QString &path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    /// Runs SQL without results (one or more statements); throws DatabaseError.
    void exec(const QString &sql);
    /// Throws the DatabaseError of result code `code` unless it is a success.
    void check(int code) const;
    /// The message of the engine's last error on this connection.
    QString errorText(int code) const;
    long long lastInsertId() const;
    int changes() const;

    /// How long a writer waits for another connection's write to end.
    static constexpr int kBusyTimeoutMs = 8000;

private:
    friend Status CreateDatabaseFile(const QString &, const std::function<void(Connection &)> &);
    struct CreateTag {};
    Connection(const QString &path, CreateTag);
    void openKeyed(const QByteArray &keySpec, int flags);
    /// The result code of reading the first page.
    int firstRead();
    /// Throws, closing the file, when `rc` of the first read is a failure.
    void failUnlessRead(int rc);

    QString m_path;
    sqlite3 *m_db = nullptr;
};

/// A write transaction, begun IMMEDIATE so that two writers queue instead of
/// failing; rolled back when destroyed without commit().
class Transaction {
public:
    explicit Transaction(Connection &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &m_db;
    bool m_open = true;
};

/// Creates a new database file at `path`, keyed with the program's password
/// and readable by its owner only, and lets `build` fill it (schema, rows) in
/// one transaction; `build` may throw DatabaseError. The file appears at
/// `path` only when complete; an existing file is never replaced.
Status CreateDatabaseFile(const QString &path, const std::function<void(Connection &)> &build);

/// Starts deriving the key of the database file at `path` in the
/// background (see PrepareKeyForSalt); nothing when the file cannot be read.
void PrepareKeyOf(const QString &path);

/// `text` as an SQL string literal: in apostrophes, inner apostrophes doubled.
QString SqlQuote(const QString &text);

} // namespace quadrivium
