#include "connection.h"

#include "databasekey.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quadrivium {

namespace {

QString damagedMessage(const QString &path)
{
    return QStringLiteral("wrong password or damaged file: %1").arg(path);
}

bool isDamageCode(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

} // namespace

DatabaseError::DatabaseError(const QString &message)
    : std::runtime_error(message.toUtf8().toStdString())
{
}

Connection::Connection(const QString &path, Access access) : m_path(path)
{
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    QFile file(path);
    const QFileInfo info(path);
    if (info.isDir())
        throw DatabaseError(QStringLiteral("cannot open %1: it is a folder, not a database file").arg(path));
    if (!info.isFile())
        throw DatabaseError(QStringLiteral("cannot open %1: %2").arg(
            path, info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("no such file")));
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    const QByteArray salt = file.read(kSaltSize);
    file.close();
    if (salt.size() < kSaltSize)
        throw DatabaseError(damagedMessage(path));
    const QByteArray key = RawKeyForSalt(salt);
    openKeyed(RawKeySpec(key), flags);
    int rc = firstRead();
    if (isDamageCode(rc)) {
        // A key from the user's cache may be stale: derived again, it either
        // opens the file or the file is not ours.
        if (const auto again = RederivedKeyForSalt(salt, key)) {
            sqlite3_close(m_db);
            m_db = nullptr;
            openKeyed(RawKeySpec(*again), flags);
            rc = firstRead();
        }
    }
    failUnlessRead(rc);
}

Connection::Connection(const QString &path, CreateTag) : m_path(path)
{
    const QByteArray salt = NewSalt();
    openKeyed(RawKeySpec(RawKeyForSalt(salt), salt), SQLITE_OPEN_READWRITE);
}

void Connection::openKeyed(const QByteArray &keySpec, int flags)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db,
                                   flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QStringLiteral("cannot open %1: %2")
                                    .arg(m_path, QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DatabaseError(message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_key(m_db, keySpec.constData(), int(keySpec.size()));
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

int Connection::firstRead()
{
    // The first read of page 1 tells a wrong key or a damaged header.
    return sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

void Connection::failUnlessRead(int rc)
{
    if (rc != SQLITE_OK) {
        const QString message = isDamageCode(rc) ? damagedMessage(m_path) : errorText(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw DatabaseError(message);
    }
}

Connection::~Connection()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

QString Connection::errorText(int code) const
{
    if (isDamageCode(code))
        return damagedMessage(m_path);
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(sqlite3_errmsg(m_db)), m_path);
}

void Connection::check(int code) const
{
    const int primary = code & 0xff;
    if (primary != SQLITE_OK && primary != SQLITE_ROW && primary != SQLITE_DONE)
        throw DatabaseError(errorText(code));
}

void Connection::exec(const QString &sql)
{
    check(sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr));
}

long long Connection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Connection::changes() const
{
    return sqlite3_changes(m_db);
}

Transaction::Transaction(Connection &db) : m_db(db)
{
    m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_open)
        sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    m_db.exec(QStringLiteral("COMMIT"));
    m_open = false;
}

Status CreateDatabaseFile(const QString &path, const std::function<void(Connection &)> &build)
{
    const QFileInfo target(path);
    if (target.exists())
        return Status::failure(QStringLiteral("cannot create %1: the file exists").arg(path));
    if (!QDir().mkpath(target.absolutePath()))
        return Status::failure(QStringLiteral("cannot create the folder %1").arg(target.absolutePath()));
    const QString partial = QStringLiteral("%1.%2.part").arg(path).arg(::getpid());
    {
        QFile file(partial);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return Status::failure(QStringLiteral("cannot create %1: %2").arg(partial, file.errorString()));
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    try {
        Connection db(partial, Connection::CreateTag{});
        Transaction transaction(db);
        build(db);
        transaction.commit();
    } catch (const DatabaseError &error) {
        QFile::remove(partial);
        return Status::failure(error.message());
    }
    // link() publishes the finished file without replacing one that appeared
    // meanwhile; the partial name is then dropped.
    const QByteArray from = QFile::encodeName(partial);
    const QByteArray to = QFile::encodeName(path);
    if (::link(from.constData(), to.constData()) != 0) {
        const int error = errno;
        QFile::remove(partial);
        return Status::failure(QStringLiteral("cannot create %1: %2")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(error))));
    }
    QFile::remove(partial);
    return Done{};
}

void PrepareKeyOf(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const QByteArray salt = file.read(kSaltSize);
    if (salt.size() == kSaltSize)
        PrepareKeyForSalt(salt);
}

QString SqlQuote(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace quadrivium
