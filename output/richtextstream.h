#pragma once

#include "store/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextCursor;
class QTextDocument;
class QTextEdit;

namespace quadrivium {

/// How text moves into and out of a text pane: as plain text (UTF-8, paragraphs
/// separated by "\n"; CR LF, CR and LF all end a paragraph when read) or as RTF.
/// The values are those of the stream calls' format argument.
enum class StreamFormat { PlainText = 1, Rtf = 2 };

/// Added to a format argument: work on the selection only (insert at the
/// caret, or write out what is selected) instead of the whole content.
constexpr int kStreamSelection = 0x8000;

/// Replaces the document's content. Plain text takes the document's default
/// format.
void streamIn(QTextDocument &document, StreamFormat format, QByteArrayView bytes);
void streamIn(QTextDocument &document, StreamFormat format, QStringView text);

/// Replaces the cursor's selection, leaving the cursor after the inserted
/// text. Plain text takes the format at the cursor.
void streamIn(QTextCursor &cursor, StreamFormat format, QByteArrayView bytes);
void streamIn(QTextCursor &cursor, StreamFormat format, QStringView text);

/// The whole document, or the cursor's selection, as bytes of the format.
QByteArray streamOut(const QTextDocument &document, StreamFormat format);
QByteArray streamOut(const QTextCursor &selection, StreamFormat format);

/// Writes `bytes` atomically to `path`, an output target as OutputTarget()
/// allows; the message names the file and the reason when it cannot be
/// written.
Status writeFileBytes(const QByteArray &bytes, const QString &path);

/// Writes the whole document atomically to `path`, an output target as
/// OutputTarget() allows; the message names the file and the reason when
/// it cannot be written.
Status streamOutToFile(const QTextDocument &document, StreamFormat format, const QString &path);

/// The pane forms: `format` is 1 (plain) or 2 (RTF), plus kStreamSelection to
/// work at the pane's caret or selection. Any other value counts as plain
/// text. Streaming in at the caret moves the pane's caret after the text.
void streamInText(QTextEdit &edit, int format, QByteArrayView bytes);
void streamInText(QTextEdit &edit, int format, QStringView text);
QByteArray streamOutText(const QTextEdit &edit, int format);
Status streamOutToFile(const QTextEdit &edit, int format, const QString &path);

} // namespace quadrivium
