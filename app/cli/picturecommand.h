#pragma once

#include <QStringList>

namespace quadrivium::cli {

/// `picture`: a PNG or SVG of one reading page as the window shows it.
int runPicture(const QStringList &arguments);

} // namespace quadrivium::cli
