#pragma once

#include "connection.h"
#include "result.h"

#include <QString>

namespace quadrivium {

/// Version of the texts a text database holds: raised with every release
/// whose supplied texts change; 0 for a file that carries none. Throws
/// DatabaseError.
int TextDataVersion(Connection &db);
void SetTextDataVersion(Connection &db, int version);

/// The data version of a folder of text sources, in its file "VERSION":
/// a line "version N" (N > 0) and a line "checksum HEX" that records
/// TextSourcesChecksum of the texts the version was given to; lines
/// starting with '#' are comments.
struct TextSourceVersion {
    int version = 0;
    QString checksum;
};
Result<TextSourceVersion> ReadTextSourceVersion(const QString &folder);
/// SHA-256, in hex, over the table files ("<table>.txt") of a source folder.
QString TextSourcesChecksum(const QString &folder);

/// Brings the user's copy of the text database at `copy` up to the supplied
/// database at `supplied` when that carries the higher data version: every
/// record the user never edited takes the supplied text, every edited one
/// (see EditedTextKeys; in a copy without such notes, every record in rich
/// text, the form the text editor saves) stays, records new to the copy are
/// added, and the copy takes the new version. First the old file is copied
/// beside it (BackupPathFor); then everything happens in one transaction,
/// so that a failure leaves the copy as it was. Heading records of the
/// title list that hold a person's name, date or time of birth (left there
/// by exports of earlier versions) take the supplied records again, also
/// when the copy is up to date. True when the copy was brought up, false
/// when it was already up to date.
Result<bool> UpgradeTextCopy(const QString &copy, const QString &supplied);

/// The backup of `copy` made before it leaves data version `version`:
/// "<copy>.v<version>.bak", or with "-2", "-3"... added when that exists.
QString BackupPathFor(const QString &copy, int version);

} // namespace quadrivium
