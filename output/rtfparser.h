#pragma once

#include <QByteArrayView>
#include <QRgb>
#include <QString>

#include <optional>

namespace quadrivium {

/// Paragraph alignment as RTF knows it (\ql, \qc, \qr, \qj).
enum class RtfAlignment { Left, Center, Right, Justify };

/// The format of a paragraph: alignment, the outline level of a heading
/// (\outlinelevelN: 0 for a first-level heading; -1 body text) and the
/// space before and after it in twips (\sbN, \saN).
struct RtfParagraphFormat {
    RtfAlignment alignment = RtfAlignment::Left;
    int outlineLevel = -1;
    int spaceBefore = 0;
    int spaceAfter = 0;

    friend bool operator==(const RtfParagraphFormat &, const RtfParagraphFormat &) = default;
};

/// Twips in one unit of a text document's margins (a pixel at 96 dots per
/// inch).
constexpr double kTwipsPerDocumentUnit = 15.0;

/// The page a document is laid out on, in twips: paper size (\paperw,
/// \paperh) and margins (\margl, \margr, \margt, \margb). The defaults
/// are those RTF gives a document that names none.
struct RtfPageSetup {
    int paperWidth = 12240;
    int paperHeight = 15840;
    int marginLeft = 1800;
    int marginRight = 1800;
    int marginTop = 1440;
    int marginBottom = 1440;

    friend bool operator==(const RtfPageSetup &, const RtfPageSetup &) = default;
};

/// The character format of a run of text, resolved against the font and
/// colour tables.
struct RtfRunFormat {
    QString family;            ///< empty when the font table has no such font
    double pointSize = 12.0;   ///< \fs is in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::optional<QRgb> color; ///< none: automatic colour

    friend bool operator==(const RtfRunFormat &, const RtfRunFormat &) = default;
};

/// Receives the visible content of an RTF stream in order.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    /// Characters of one format; line breaks inside a paragraph (\line) come
    /// as U+2028, never as paragraph ends.
    virtual void text(const QString &characters, const RtfRunFormat &format) = 0;
    /// Ends the current paragraph with `format`; `markFormat` is the
    /// format of the paragraph mark (the format of an empty paragraph).
    virtual void paragraph(const RtfParagraphFormat &format, const RtfRunFormat &markFormat) = 0;
    /// The stream ended; the last paragraph, still open, has `format` and
    /// the mark format `markFormat`.
    virtual void finish(const RtfParagraphFormat &format, const RtfRunFormat &markFormat) = 0;
    /// The document's page, when it names one; comes before finish.
    virtual void page(const RtfPageSetup &) {}
};

/// Limits that keep any input, however malformed, cheap to read.
struct RtfLimits {
    /// Groups nested deeper than this are read as a whole but their
    /// content is dropped.
    int maxGroupDepth = 200;
};

/// Reads an RTF byte stream into `sink`. Never fails: malformed input gives
/// whatever text can be recovered, unbalanced braces are tolerated and
/// anything after the closing brace of the outermost group is ignored.
/// The final \par of a stream closes the last paragraph instead of opening an
/// empty one, as a rich edit control reads it. Input that does not begin with
/// "{" (after blanks) is plain text: UTF-8 when valid, else Windows-1252,
/// with CR LF, CR and LF as paragraph ends.
void parseRtf(QByteArrayView rtf, RtfSink &sink, const RtfLimits &limits = {});

/// parseRtf for RTF held in a string: characters above U+007F (which an RTF
/// writer never puts there) are read as the characters they are.
void parseRtf(QStringView rtf, RtfSink &sink, const RtfLimits &limits = {});

} // namespace quadrivium
