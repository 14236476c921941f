#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// quadrivium-cli report --reading NAME [--paper SIZE] [--margins L,T,R,B]
/// --pdf FILE: writes a printed report as a PDF file.
int runReport(const QStringList &arguments);

} // namespace quadrivium::cli
