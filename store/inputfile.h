#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

namespace quadrivium {

/// Largest RTF, CSV or text source file the program reads: 64 MB.
constexpr qint64 kMaxInputFileSize = 64LL * 1024 * 1024;

/// The bytes of the regular file `path`, of at most `limit` bytes. Anything
/// else (a folder, a FIFO, a device, a socket) is refused at once, without
/// waiting for a writer; so is a larger file. The message names the file.
Result<QByteArray> ReadInputFile(const QString &path, qint64 limit = kMaxInputFileSize);

} // namespace quadrivium
