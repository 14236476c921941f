#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// `export`: one reading with its interpretation texts as an RTF or a
/// plain-text file, the same file the window's Export and Save as write.
int runExport(const QStringList &arguments);

} // namespace quadrivium::cli
