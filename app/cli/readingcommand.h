#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// `reading`: every number of one person, as text or as JSON.
int runReading(const QStringList &arguments);

} // namespace quadrivium::cli
