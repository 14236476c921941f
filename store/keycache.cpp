#include "keycache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

namespace quadrivium {

namespace {

/// True when `path` is a folder of this user that is no link.
bool ownFolder(const QByteArray &path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
}

/// The folder ready for use (made, or narrowed to the owner), or empty.
QString usableFolder()
{
    const QString folder = DerivedKeyCache::folder();
    const QByteArray path = QFile::encodeName(folder);
    if (!ownFolder(path)) {
        QDir().mkpath(QFileInfo(folder).absolutePath());
        if (::mkdir(path.constData(), 0700) != 0 || !ownFolder(path))
            return {};
    }
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return {};
    if ((info.st_mode & 0777) != 0700 && ::chmod(path.constData(), 0700) != 0)
        return {};
    return folder;
}

QString keyFileName(const QByteArray &salt)
{
    return QStringLiteral("key-%1").arg(QString::fromLatin1(salt.toHex()));
}

} // namespace

QString DerivedKeyCache::folder()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/quadrivium");
}

QByteArray DerivedKeyCache::load(const QByteArray &salt, int keySize)
{
    const QString path = folder() + QLatin1Char('/') + keyFileName(salt);
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info {};
    if (!ownFolder(QFile::encodeName(folder())) || ::lstat(encoded.constData(), &info) != 0
        || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.read(2 * keySize + 2).trimmed();
    const QByteArray key = QByteArray::fromHex(text);
    if (text.size() != 2 * keySize || key.size() != keySize)
        return {};
    return key;
}

void DerivedKeyCache::store(const QByteArray &salt, const QByteArray &key)
{
    const QString dir = usableFolder();
    if (dir.isEmpty())
        return;
    QSaveFile file(dir + QLatin1Char('/') + keyFileName(salt));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    file.write(key.toHex() + '\n');
    file.commit();
}

} // namespace quadrivium
