#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// `rtf to-text FILE`: the plain text of an RTF file on stdout.
/// `rtf normalize FILE [--output OUT]`: the file read and written again as
/// the program writes RTF.
int runRtf(const QStringList &arguments);

} // namespace quadrivium::cli
