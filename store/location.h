#pragma once

#include "result.h"

#include <QString>
#include <QStringList>

namespace quadrivium {

/// File name of the text database.
QString TextDatabaseFileName(); // "Quadrivium.mdb"
/// File name under which a persons database is created: "persons.mdb".
QString PersonsDatabaseFileName();

/// The user's data home: $XDG_DATA_HOME, or ~/.local/share.
QString DataHome();
/// The folder shared between programs that holds the persons database:
/// "<data home>/Velmora Shared".
QString SharedFolder();
/// Folders in which the program's installed data files are looked for: the
/// program's own folder, then ../share/quadrivium beside it.
QStringList InstalledDataFolders();

/// The persons database in `folder`: of the files whose names match
/// "<initial>*.mdb" (letter case ignored), the last in name order; empty
/// when there is none.
QString FindSharedDatabase(QChar initial, const QString &folder = SharedFolder());

/// Which persons file the shared folder offers and why.
struct PersonsFileChoice {
    QString path;          ///< the chosen file; empty when there is none
    QStringList candidates; ///< every "p*.mdb" file of the folder, in name order
    /// The remembered file when it has gone; `path` is then the file that
    /// would take its place, empty when none would.
    QString gone;
};
/// The persons file of `folder`: `remembered` while that file exists;
/// otherwise, of several candidates, "persons.mdb" (the file the program
/// makes) before any other; otherwise FindSharedDatabase('p', folder).
PersonsFileChoice ChoosePersonsDatabase(const QString &folder, const QString &remembered);
/// The settings entry that remembers the persons file in use.
QString RememberedPersonsFileKey(); // "General/PersonsFile"
/// The choice PersonsDatabasePath() made, for telling the user which file is
/// in use; empty when the path was given with SetPersonsDatabasePath().
PersonsFileChoice LastPersonsFileChoice();
/// "Persons file: <path>"; when the shared folder holds other candidates,
/// they are named too.
QString PersonsFileNotice();

/// The text database, fixed at the first call: a path given with
/// SetTextDatabasePath(); otherwise the user's copy in
/// "<data home>/Quadrivium", made on first use from the installed texts so
/// that edited texts can be saved, and brought up to them (UpgradeTextCopy)
/// when they are newer. The working directory is never looked at.
QString TextDatabasePath();
void SetTextDatabasePath(const QString &path);
/// What went wrong when TextDatabasePath() made or brought up the user's
/// copy, as a message for the user; empty when nothing did.
QString TextDatabaseWarning();

/// The persons database, looked up once: a path given with
/// SetPersonsDatabasePath(), else ChoosePersonsDatabase() in the shared
/// folder with the file remembered in the settings, which then remembers the
/// chosen file; empty when none, and empty when the remembered file has
/// gone (PersonsFileGoneMessage), which then stays remembered.
QString PersonsDatabasePath();
void SetPersonsDatabasePath(const QString &path);
/// PersonsDatabasePath(); when there is none, first creates
/// "<shared folder>/persons.mdb" from the installed template "persons.mdb"
/// or, without one, as an empty store (see CreatePersonsDatabase). Fails
/// with PersonsFileGoneMessage() when the remembered file has gone.
Result<QString> EnsurePersonsDatabase();
/// Says that the remembered persons file has gone and where it was; empty
/// while it is there (or when a path was given).
QString PersonsFileGoneMessage();
/// After the user agreed: forgets the remembered persons file that has
/// gone and takes the file that takes its place (made when there is none),
/// which is remembered from now on.
Result<QString> ReplaceGonePersonsFile();

/// The user's own text database "<data home>/Quadrivium/Quadrivium.mdb",
/// made from the installed copy when missing; never the working folder's.
QString UserTextDatabasePath();

/// The database files the program works on (the persons file and the text
/// database, as far as known), canonical; for refusing to write over them.
QStringList DatabaseFilesInUse();

/// Removes "*.part" files of interrupted creations from the shared folder
/// and the user's text folder: those of processes no longer running, and
/// any older than an hour.
void RemoveStalePartFiles();

/// Forgets both paths so that the next call looks them up again.
void ForgetDatabaseLocations();

/// Copies `from` to the new file `to`, readable by its owner only; `to`
/// appears complete or not at all and is never replaced.
Status CopyPrivately(const QString &from, const QString &to);

} // namespace quadrivium
