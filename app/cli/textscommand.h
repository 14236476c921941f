#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// `texts`: the interpretation texts written out as text sources and read
/// back in.
int runTexts(const QStringList &arguments);

} // namespace quadrivium::cli
