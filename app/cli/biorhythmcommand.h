#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// quadrivium-cli biorhythm (--person ID | --first F --last L --born
/// YYYY-MM-DD [--time HH:MM]) --month YYYY-MM [--json]: the three curves of
/// every day of the month at 00:00 with their classes, and the critical days.
int runBiorhythm(const QStringList &arguments);

} // namespace quadrivium::cli
