#pragma once

#include <QByteArrayView>
#include <QString>

namespace quadrivium {

/// Reads `input` as RTF and checks what the reader and writer promise: the
/// plain-text conversion and the document reader see the same text; what the
/// writer makes of the document reads back to the same text; writing that
/// again gives the same bytes. Empty when all hold, otherwise which failed
/// with the two texts compared.
QString RtfRoundTripFault(QByteArrayView input);

} // namespace quadrivium
