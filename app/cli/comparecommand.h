#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// `compare`: the compatibility reading of two persons, as text or as JSON.
int runCompare(const QStringList &arguments);

} // namespace quadrivium::cli
