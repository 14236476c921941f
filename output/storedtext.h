#pragma once

#include "richtextstream.h"

#include <QString>

namespace quadrivium {

/// Stored titles and texts are RTF when they begin with "{", plain text
/// otherwise.
bool IsRichText(const QString &stored);

/// The format a stored piece is shown in.
inline StreamFormat StoredFormat(const QString &stored)
{
    return IsRichText(stored) ? StreamFormat::Rtf : StreamFormat::PlainText;
}

/// The visible characters of an RTF text, paragraphs separated by "\n".
/// Text that is not RTF comes back with its line ends as "\n".
QString RtfToPlainText(const QString &rtf);

/// A record's title as plain text: converted from RTF when the record's
/// `text` is rich text, otherwise `title` unchanged (even if it holds RTF).
QString PlainTitle(const QString &title, const QString &text);

/// A record's body as plain text: converted when it is rich text, else
/// unchanged.
QString PlainBody(const QString &text);

} // namespace quadrivium
