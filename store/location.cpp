#include "location.h"

#include "personstore.h"
#include "textupgrade.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace quadrivium {

namespace {

struct Locations {
    QMutex mutex;
    std::optional<QString> text;
    QString textWarning;
    std::optional<QString> persons;
};

Locations &locations()
{
    static Locations instance;
    return instance;
}

QString installedFile(const QString &name)
{
    for (const QString &folder : InstalledDataFolders()) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

/// The user's copy, made from the installed texts when missing and brought
/// up to them when they are newer; what failed goes to `warning`.
QString resolveTextDatabase(QString &warning)
{
    const QString user = QDir(DataHome()).filePath(QStringLiteral("Quadrivium/") + TextDatabaseFileName());
    const QString installed = installedFile(TextDatabaseFileName());
    if (installed.isEmpty())
        return user; // a missing copy shows when the file is opened
    if (!QFileInfo::exists(user)) {
        const Status made = CopyPrivately(installed, user);
        if (!made)
            warning = made.error();
    } else {
        const Result<bool> upgraded = UpgradeTextCopy(user, installed);
        if (!upgraded)
            warning = QStringLiteral("The new texts of this version could not be taken into your copy "
                                     "%1, which stays as it was: %2").arg(user, upgraded.error());
    }
    return user;
}

} // namespace

QString TextDatabaseFileName()
{
    return QStringLiteral("Quadrivium.mdb");
}

QString PersonsDatabaseFileName()
{
    return QStringLiteral("persons.mdb");
}

QString DataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
}

QString SharedFolder()
{
    return QDir(DataHome()).filePath(QStringLiteral("Velmora Shared"));
}

QStringList InstalledDataFolders()
{
    QStringList folders;
    if (QCoreApplication::instance()) {
        const QString program = QCoreApplication::applicationDirPath();
        folders << program << QDir::cleanPath(program + QStringLiteral("/../share/quadrivium"));
    }
    return folders;
}

QString FindSharedDatabase(QChar initial, const QString &folder)
{
    const QDir dir(folder);
    // Windows lists a folder in name order without regard to case; keeping
    // the last name of that order makes the choice the same everywhere.
    QString last;
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (name.startsWith(initial, Qt::CaseInsensitive)
            && name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
            last = name;
    }
    return last.isEmpty() ? QString() : dir.filePath(last);
}

QString TextDatabasePath()
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    if (!l.text)
        l.text = resolveTextDatabase(l.textWarning);
    return *l.text;
}

QString TextDatabaseWarning()
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    return l.textWarning;
}

void SetTextDatabasePath(const QString &path)
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    l.text = QFileInfo(path).absoluteFilePath();
}

QString PersonsDatabasePath()
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    if (!l.persons)
        l.persons = FindSharedDatabase(QLatin1Char('p'));
    return *l.persons;
}

void SetPersonsDatabasePath(const QString &path)
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    l.persons = QFileInfo(path).absoluteFilePath();
}

Result<QString> EnsurePersonsDatabase()
{
    const QString found = PersonsDatabasePath();
    if (!found.isEmpty())
        return found;
    const QString target = QDir(SharedFolder()).filePath(PersonsDatabaseFileName());
    const QString templ = installedFile(PersonsDatabaseFileName());
    const Status made = templ.isEmpty() ? CreatePersonsDatabase(target) : CopyPrivately(templ, target);
    if (!made)
        return Result<QString>::failure(made.error());
    SetPersonsDatabasePath(target);
    return target;
}

void ForgetDatabaseLocations()
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    l.text.reset();
    l.textWarning.clear();
    l.persons.reset();
}

Status CopyPrivately(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to))
        return Status::failure(QStringLiteral("cannot create %1: the file exists").arg(to));
    const QFileInfo target(to);
    if (!QDir().mkpath(target.absolutePath()))
        return Status::failure(QStringLiteral("cannot create the folder %1").arg(target.absolutePath()));
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("cannot read %1: %2").arg(from, source.errorString()));
    const QString partial = QStringLiteral("%1.%2.part").arg(to).arg(::getpid());
    QFile out(partial);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Status::failure(QStringLiteral("cannot create %1: %2").arg(partial, out.errorString()));
    out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    bool written = true;
    while (written && !source.atEnd()) {
        const QByteArray chunk = source.read(1 << 16);
        written = !chunk.isNull() && out.write(chunk) == chunk.size();
    }
    written = written && out.flush() && ::fsync(out.handle()) == 0;
    out.close();
    if (!written || ::link(QFile::encodeName(partial).constData(), QFile::encodeName(to).constData()) != 0) {
        const QString reason = written ? QString::fromLocal8Bit(std::strerror(errno)) : out.errorString();
        QFile::remove(partial);
        return Status::failure(QStringLiteral("cannot create %1: %2").arg(to, reason));
    }
    QFile::remove(partial);
    return Done{};
}

} // namespace quadrivium
