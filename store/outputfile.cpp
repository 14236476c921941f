#include "outputfile.h"

#include "location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace quadrivium {

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

/// The file `path` names, links followed; nothing when there is none.
std::optional<FileIdentity> identityOf(const QString &path, struct stat *status = nullptr)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    if (status)
        *status = st;
    return FileIdentity{st.st_dev, st.st_ino};
}

/// Every file that holds or guards the program's data: the databases, their
/// backups and their journals.
QStringList databaseFiles()
{
    QStringList databases = DatabaseFilesInUse();
    databases << LastPersonsFileChoice().candidates;
    QStringList files;
    for (const QString &database : std::as_const(databases)) {
        files << database;
        const QFileInfo info(database);
        const QString name = info.fileName();
        const QDir folder = info.absoluteDir();
        for (const QString &entry : folder.entryList(QDir::Files | QDir::Hidden)) {
            const bool backup = entry.startsWith(name + QStringLiteral(".v")) && entry.endsWith(QLatin1String(".bak"));
            const bool journal = entry == name + QStringLiteral("-journal") || entry == name + QStringLiteral("-wal")
                                 || entry == name + QStringLiteral("-shm");
            if (backup || journal)
                files << folder.filePath(entry);
        }
    }
    return files;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device");
}

} // namespace

Result<QString> OutputTarget(const QString &path)
{
    using R = Result<QString>;
    const auto refused = [&path](const QString &why) {
        return R::failure(QStringLiteral("refusing to write %1: %2").arg(QDir::toNativeSeparators(path), why));
    };
    if (path.isEmpty())
        return R::failure(QStringLiteral("no file name to write to"));
    const QFileInfo given(path);
    QString target = path;
    if (given.isSymLink()) {
        target = given.canonicalFilePath();
        if (target.isEmpty())
            return refused(QStringLiteral("it is a link to %1, which does not exist")
                               .arg(QDir::toNativeSeparators(given.symLinkTarget())));
    }
    struct stat status {};
    const auto identity = identityOf(target, &status);
    if (!identity)
        return target; // a new file
    if (!S_ISREG(status.st_mode))
        return refused(QStringLiteral("it is %1, not a file").arg(kindOf(status.st_mode)));
    for (const QString &database : databaseFiles()) {
        if (identityOf(database) == identity)
            return refused(QStringLiteral("it is a database file of the program"));
    }
    return target;
}

Result<std::unique_ptr<QSaveFile>> OpenOutputFile(const QString &path, bool ownerOnly)
{
    using R = Result<std::unique_ptr<QSaveFile>>;
    const Result<QString> target = OutputTarget(path);
    if (!target)
        return R::failure(target.error());
    auto file = std::make_unique<QSaveFile>(*target);
    if (!file->open(QIODevice::WriteOnly))
        return R::failure(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file->errorString()));
    if (ownerOnly)
        file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return file;
}

Status WriteOutputFile(const QString &path, const QByteArray &bytes, bool ownerOnly)
{
    auto opened = OpenOutputFile(path, ownerOnly);
    if (!opened)
        return Status::failure(opened.error());
    QSaveFile &file = **opened;
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return Done{};
}

} // namespace quadrivium
