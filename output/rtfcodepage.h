#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace quadrivium {

/// Code page of Windows-1252, the one the RTF writer declares.
constexpr int kCp1252 = 1252;

/// The Windows code page of an RTF font charset (\fcharsetN). The ANSI,
/// default and symbol charsets (0, 1, 2) and unknown values give
/// `ansiCodepage`.
int codepageForCharset(int charset, int ansiCodepage);

/// Decodes bytes of a Windows code page (single- or double-byte). Code pages
/// the system has no converter for read as Windows-1252; an incomplete
/// double-byte sequence becomes U+FFFD. Never fails.
QString decodeCodepage(int codepage, QByteArrayView bytes);

/// The Windows-1252 byte of a character at or above U+0080, if it has one.
std::optional<unsigned char> toCp1252(char16_t ch);

/// A font name as the reader keeps it and the writer writes it, so that a
/// written font table reads back unchanged: control characters dropped, a
/// surrogate without its partner replaced by U+FFFD, blanks of any kind at
/// either end removed. Empty means the default font.
QString rtfFontName(QStringView name);

} // namespace quadrivium
