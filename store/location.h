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
/// SetPersonsDatabasePath(), else FindSharedDatabase('p'); empty when none.
QString PersonsDatabasePath();
void SetPersonsDatabasePath(const QString &path);
/// PersonsDatabasePath(); when there is none, first creates
/// "<shared folder>/persons.mdb" from the installed template "persons.mdb"
/// or, without one, as an empty store (see CreatePersonsDatabase).
Result<QString> EnsurePersonsDatabase();

/// Forgets both paths so that the next call looks them up again.
void ForgetDatabaseLocations();

/// Copies `from` to the new file `to`, readable by its owner only; `to`
/// appears complete or not at all and is never replaced.
Status CopyPrivately(const QString &from, const QString &to);

} // namespace quadrivium
