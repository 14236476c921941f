#include "location.h"

#include "personstore.h"
#include "textupgrade.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QDateTime>
#include <QMutex>
#include <QSettings>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace quadrivium {

namespace {

struct Locations {
    QMutex mutex;
    /// Held while the text database is resolved, which may take a while
    /// (an upgrade check opens both files); the persons file stays free.
    QMutex textMutex;
    std::optional<QString> text;
    QString textWarning;
    std::optional<QString> persons;
    PersonsFileChoice choice;
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

QString userTextDatabase()
{
    return QDir(DataHome()).filePath(QStringLiteral("Quadrivium/") + TextDatabaseFileName());
}

/// The settings the program keeps its values in (the window's as well).
QSettings programSettings()
{
    return QSettings(QStringLiteral("Velmora"), QStringLiteral("Orbisaneng"));
}

/// The user's copy, made from the installed texts when missing and brought
/// up to them when they are newer; what failed goes to `warning`.
QString resolveTextDatabase(QString &warning)
{
    const QString user = userTextDatabase();
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

PersonsFileChoice ChoosePersonsDatabase(const QString &folder, const QString &remembered)
{
    PersonsFileChoice choice;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (name.startsWith(QLatin1Char('p'), Qt::CaseInsensitive)
            && name.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
            choice.candidates << dir.filePath(name);
    }
    // A copy such as persons_backup.mdb or an unrelated pz.mdb beside the
    // file in use must not take over from it.
    const QString own = dir.filePath(PersonsDatabaseFileName());
    if (!remembered.isEmpty() && QFileInfo(remembered).isFile()) {
        choice.path = QFileInfo(remembered).absoluteFilePath();
        return choice;
    }
    if (!remembered.isEmpty())
        choice.gone = remembered;
    if (choice.candidates.size() > 1 && choice.candidates.contains(own))
        choice.path = own;
    else if (!choice.candidates.isEmpty())
        choice.path = choice.candidates.last();
    return choice;
}

QString RememberedPersonsFileKey()
{
    return QStringLiteral("General/PersonsFile");
}

PersonsFileChoice LastPersonsFileChoice()
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    return l.choice;
}

QString PersonsFileNotice()
{
    const QString path = PersonsDatabasePath();
    if (path.isEmpty())
        return QStringLiteral("No persons file");
    QStringList others = LastPersonsFileChoice().candidates;
    others.removeAll(path);
    QString notice = QStringLiteral("Persons file: %1").arg(QDir::toNativeSeparators(path));
    if (!others.isEmpty()) {
        for (QString &other : others)
            other = QFileInfo(other).fileName();
        notice += QStringLiteral(" (also in its folder, not used: %1)").arg(others.join(QStringLiteral(", ")));
    }
    return notice;
}

QString TextDatabasePath()
{
    Locations &l = locations();
    QMutexLocker lock(&l.textMutex);
    if (!l.text)
        l.text = resolveTextDatabase(l.textWarning);
    return *l.text;
}

QString TextDatabaseWarning()
{
    Locations &l = locations();
    QMutexLocker lock(&l.textMutex);
    return l.textWarning;
}

void SetTextDatabasePath(const QString &path)
{
    Locations &l = locations();
    QMutexLocker lock(&l.textMutex);
    l.text = QFileInfo(path).absoluteFilePath();
}

QString PersonsDatabasePath()
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    if (!l.persons) {
        QSettings settings = programSettings();
        const QString remembered = settings.value(RememberedPersonsFileKey()).toString();
        l.choice = ChoosePersonsDatabase(SharedFolder(), remembered);
        // A remembered file that has gone may come back (a drive attached
        // again): another file is taken only once the user agrees.
        l.persons = l.choice.gone.isEmpty() ? l.choice.path : QString();
        if (!l.persons->isEmpty() && l.choice.path != remembered)
            settings.setValue(RememberedPersonsFileKey(), l.choice.path);
    }
    return *l.persons;
}

void SetPersonsDatabasePath(const QString &path)
{
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    l.persons = QFileInfo(path).absoluteFilePath();
    l.choice = {};
}

Result<QString> EnsurePersonsDatabase()
{
    const QString found = PersonsDatabasePath();
    if (!found.isEmpty())
        return found;
    if (const QString gone = PersonsFileGoneMessage(); !gone.isEmpty())
        return Result<QString>::failure(gone);
    const QString target = QDir(SharedFolder()).filePath(PersonsDatabaseFileName());
    const QString templ = installedFile(PersonsDatabaseFileName());
    const Status made = templ.isEmpty() ? CreatePersonsDatabase(target) : CopyPrivately(templ, target);
    if (!made)
        return Result<QString>::failure(made.error());
    programSettings().setValue(RememberedPersonsFileKey(), target);
    Locations &l = locations();
    QMutexLocker lock(&l.mutex);
    l.persons = target;
    l.choice = {target, {target}, {}};
    return target;
}

QString PersonsFileGoneMessage()
{
    PersonsDatabasePath();
    const QString gone = LastPersonsFileChoice().gone;
    if (gone.isEmpty())
        return {};
    return QStringLiteral("The persons file %1 used last time is not there: it may have been moved, renamed or "
                          "deleted, or be on a drive that is not attached.")
        .arg(QDir::toNativeSeparators(gone));
}

Result<QString> ReplaceGonePersonsFile()
{
    PersonsDatabasePath();
    {
        Locations &l = locations();
        QMutexLocker lock(&l.mutex);
        if (!l.choice.gone.isEmpty()) {
            l.choice.gone.clear();
            l.persons = l.choice.path;
            if (!l.choice.path.isEmpty())
                programSettings().setValue(RememberedPersonsFileKey(), l.choice.path);
        }
    }
    return EnsurePersonsDatabase();
}

QString UserTextDatabasePath()
{
    QString warning; // a failure shows when the file is opened
    return resolveTextDatabase(warning);
}

QStringList DatabaseFilesInUse()
{
    QStringList paths{PersonsDatabasePath(), userTextDatabase(),
                      QDir::current().absoluteFilePath(TextDatabaseFileName())};
    {
        Locations &l = locations();
        QMutexLocker lock(&l.textMutex);
        if (l.text)
            paths << *l.text;
    }
    QStringList canonical;
    for (const QString &path : paths) {
        const QString c = QFileInfo(path).canonicalFilePath();
        if (!c.isEmpty() && !canonical.contains(c))
            canonical << c;
    }
    return canonical;
}

void RemoveStalePartFiles()
{
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const QString &folder : {SharedFolder(), QFileInfo(userTextDatabase()).absolutePath()}) {
        const QDir dir(folder);
        for (const QFileInfo &part : dir.entryInfoList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden)) {
            // "<target>.<pid>.part", as CopyPrivately and CreateDatabaseFile name them
            const QString name = part.completeBaseName();
            bool ok = false;
            const long pid = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLong(&ok);
            const bool running = ok && pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
            if (!running || part.lastModified() < anHourAgo)
                QFile::remove(part.absoluteFilePath());
        }
    }
}

void ForgetDatabaseLocations()
{
    Locations &l = locations();
    {
        QMutexLocker lock(&l.textMutex);
        l.text.reset();
        l.textWarning.clear();
    }
    QMutexLocker lock(&l.mutex);
    l.persons.reset();
    l.choice = {};
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
