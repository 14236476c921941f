#pragma once

#include <QByteArrayView>
#include <QString>

namespace quadrivium {

/// Reads `input` as RTF and checks what the reader and writer promise: the
/// plain-text conversion and the document reader see the same text; what the
/// writer makes of the document reads back to the same text in the same
/// named fonts; writing that again gives the same bytes. Empty when all
/// hold, otherwise which failed with the two texts compared.
QString RtfRoundTripFault(QByteArrayView input);

/// Writes a document whose text stands in the font `family` and checks that
/// the name reads back as rtfFontName leaves it (when that is not empty)
/// and that writing what was read gives the same bytes. Empty when both
/// hold, otherwise which failed.
QString RtfFontNameFault(const QString &family);

} // namespace quadrivium
