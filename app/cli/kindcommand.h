#pragma once

#include <QStringList>

namespace quadrivium {
struct ReadingKind;
}

namespace quadrivium::cli {

/// `NAME` for a reading that has a command of its own (ReadingKind::json):
/// the reading of one person for a day (--date, default today) as text or
/// JSON, with --texts its interpretation texts in the order of its export.
int runReadingKind(const ReadingKind &kind, const QStringList &arguments);

} // namespace quadrivium::cli
