#pragma once

#include "rtfparser.h"

#include <QByteArray>
#include <QStringView>

class QTextCursor;
class QTextDocument;

namespace quadrivium {

/// The whole document as RTF that word processors read back with the same
/// text and formats: a \ansicpg1252 header with font and colour tables, one
/// \pard paragraph per block with its alignment and space before and after,
/// headings as heading styles (\sN with \outlinelevel), runs with font,
/// size, bold, italic, underline, strike-out and colour. Characters of
/// Windows-1252 are written as \'hh, all others as \uN? (UTF-16, signed);
/// the text is ASCII.
QByteArray writeRtf(const QTextDocument &document);

/// The document as a finished file for a word processor: as above, laid out
/// on `page`, with the page number centred in the footer of every page.
QByteArray writeRtf(const QTextDocument &document, const RtfPageSetup &page);

/// The selected part of the cursor's document as RTF (empty document when
/// nothing is selected).
QByteArray writeRtf(const QTextCursor &selection);

/// The part [from, to) of the document, in character positions.
QByteArray writeRtf(const QTextDocument &document, int from, int to);

/// Characters as RTF text, escaped as the writer escapes them (\ { } with
/// a backslash, Windows-1252 as \'hh, the rest as \uN?).
QByteArray rtfEscaped(QStringView text);

} // namespace quadrivium
