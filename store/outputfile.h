#pragma once

#include "result.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <memory>

namespace quadrivium {

/// The file that an output of the program named `path` (a PDF, a picture,
/// an export, a CSV or text source) is written to. Every writer of the
/// program asks here first. A symbolic link is followed: the file it names
/// is the one replaced. Refused, with a message that names `path`:
/// - a database file of the program: the persons file and the text
///   database in use, the other persons files of the shared folder, the
///   backups "<database>.v<N>.bak" and the journals beside them, also when
///   reached under another name (a link);
/// - a target that exists and is not a regular file (a folder, a pipe, a
///   device, a socket), and a link to nothing.
Result<QString> OutputTarget(const QString &path);

/// The checked target of `path` opened for writing: what is written
/// replaces the file only on commit() and leaves nothing behind otherwise.
/// With `ownerOnly` the file is readable by its owner only.
Result<std::unique_ptr<QSaveFile>> OpenOutputFile(const QString &path, bool ownerOnly = false);

/// Writes `bytes` as the whole new content of the output file `path` (see
/// OpenOutputFile); a failure names the file.
Status WriteOutputFile(const QString &path, const QByteArray &bytes, bool ownerOnly = false);

} // namespace quadrivium
