#pragma once

#include "rtfparser.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

namespace quadrivium {

/// Replaces the whole content of `document` with the RTF text, keeping
/// paragraphs with their alignment, heading level (from \outlinelevel)
/// and space before and after, and the character formats (bold, italic,
/// underline, strike-out, font, size, colour). Never fails; see parseRtf.
void readRtf(QTextDocument &document, QByteArrayView rtf);
void readRtf(QTextDocument &document, QStringView rtf);

/// Inserts the RTF text at `cursor`, replacing its selection; the cursor
/// ends after the inserted text. One undo step.
void insertRtf(QTextCursor &cursor, QByteArrayView rtf);
void insertRtf(QTextCursor &cursor, QStringView rtf);

/// The page an RTF document names; nothing when it names none.
std::optional<RtfPageSetup> rtfPageSetup(QByteArrayView rtf);

/// The visible characters of an RTF text, paragraphs and line breaks as
/// "\n", tabs as "\t". Needs no GUI application.
QString rtfToPlain(QByteArrayView rtf);
QString rtfToPlain(QStringView rtf);

/// The character format a run of RTF text gets in a document.
QTextCharFormat toCharFormat(const RtfRunFormat &format);

} // namespace quadrivium
