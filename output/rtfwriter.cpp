#include "rtfwriter.h"

#include "rtfcodepage.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace quadrivium {

namespace {

// The format of a run as it is written.
struct RunFormat {
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int color = 0; // 0: automatic

    friend bool operator==(const RunFormat &, const RunFormat &) = default;
};

// Appends a character at or above U+0080: Windows-1252 as \'hh, the rest as
// a \uN? code unit.
void appendNonAscii(QByteArray &out, char16_t ch)
{
    static const char kHex[] = "0123456789abcdef";
    if (const auto byte = toCp1252(ch)) {
        out.append("\\'");
        out.append(kHex[*byte >> 4]);
        out.append(kHex[*byte & 0xF]);
    } else {
        out.append("\\u");
        out.append(QByteArray::number(int(static_cast<std::int16_t>(ch))));
        out.append('?');
    }
}

// Appends characters as RTF text: ASCII as is with \ { } escaped,
// Windows-1252 as \'hh, the rest as \uN? code units.
void appendEscaped(QByteArray &out, QStringView text)
{
    for (const QChar qc : text) {
        const char16_t ch = qc.unicode();
        if (ch == u'\\' || ch == u'{' || ch == u'}') {
            out.append('\\');
            out.append(char(ch));
        } else if (ch == u'\t') {
            out.append("\\tab ");
        } else if (ch == QChar::LineSeparator) {
            out.append("\\line ");
        } else if (ch == 0x00A0) {
            out.append("\\~");
        } else if (ch == 0x00AD) {
            out.append("\\-");
        } else if (ch == 0x2011) {
            out.append("\\_");
        } else if (ch >= 0x20 && ch < 0x7F) {
            out.append(char(ch));
        } else if (ch < 0x80) {
            // Control characters are not text.
        } else if (ch == QChar::ObjectReplacementCharacter) {
            // Images and other objects are not written.
        } else {
            appendNonAscii(out, ch);
        }
    }
}

// Appends a font name (as rtfFontName leaves it) so that the reader gets
// back exactly these characters: unlike text, nothing is dropped or written
// as a control word that a font table ignores (\line), and ";" does not end
// the name.
void appendFontName(QByteArray &out, QStringView name)
{
    for (const QChar qc : name) {
        const char16_t ch = qc.unicode();
        if (ch == u'\\' || ch == u'{' || ch == u'}') {
            out.append('\\');
            out.append(char(ch));
        } else if (ch == u';') {
            out.append("\\'3b");
        } else if (ch >= 0x20 && ch < 0x7F) {
            out.append(char(ch));
        } else if (ch >= 0x80) {
            appendNonAscii(out, ch);
        }
    }
}

class Writer {
public:
    explicit Writer(const QTextDocument &document) : m_document(document)
    {
        m_defaultFont = document.defaultFont();
    }

    QByteArray write(int from, int to, const RtfPageSetup *page = nullptr);

private:
    RunFormat resolve(const QTextCharFormat &format);
    void appendFormat(QByteArray &out, const RunFormat &format);

    const QTextDocument &m_document;
    QFont m_defaultFont;
    QStringList m_families;
    std::vector<QRgb> m_colors;
};

RunFormat Writer::resolve(const QTextCharFormat &format)
{
    const QFont font = format.font().resolve(m_defaultFont);
    RunFormat run;
    // An empty name would read back as the reader's default font: write the
    // default's name, or a generic one.
    QString family = rtfFontName(font.families().value(0, font.family()));
    if (family.isEmpty())
        family = rtfFontName(m_defaultFont.family());
    if (family.isEmpty())
        family = QStringLiteral("Sans Serif");
    run.font = int(m_families.indexOf(family));
    if (run.font < 0) {
        run.font = int(m_families.size());
        m_families.append(family);
    }
    double points = font.pointSizeF();
    if (points <= 0)
        points = 12;
    run.halfPoints = std::clamp(int(std::lround(points * 2)), 2, 3276);
    run.bold = font.weight() > QFont::Normal;
    run.italic = font.italic();
    run.underline = font.underline();
    run.strikeOut = font.strikeOut();
    const QBrush brush = format.foreground();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && brush.style() != Qt::NoBrush) {
        const QRgb rgb = brush.color().rgb() & 0xFFFFFF;
        auto found = std::find(m_colors.begin(), m_colors.end(), rgb);
        if (found == m_colors.end()) {
            m_colors.push_back(rgb);
            found = m_colors.end() - 1;
        }
        run.color = int(found - m_colors.begin()) + 1;
    }
    return run;
}

void Writer::appendFormat(QByteArray &out, const RunFormat &format)
{
    out.append("\\plain\\f");
    out.append(QByteArray::number(format.font));
    out.append("\\fs");
    out.append(QByteArray::number(format.halfPoints));
    if (format.bold)
        out.append("\\b");
    if (format.italic)
        out.append("\\i");
    if (format.underline)
        out.append("\\ul");
    if (format.strikeOut)
        out.append("\\strike");
    if (format.color > 0) {
        out.append("\\cf");
        out.append(QByteArray::number(format.color));
    }
    out.append(' ');
}

QByteArray Writer::write(int from, int to, const RtfPageSetup *page)
{
    int deepestHeading = 0;
    QByteArray body;
    std::optional<RunFormat> current;
    bool firstBlock = true;
    bool lastEmpty = false;
    int blocks = 0;
    for (QTextBlock block = m_document.findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (!firstBlock)
            body.append("\\par\n");
        firstBlock = false;
        ++blocks;
        body.append("\\pard");
        const Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter)
            body.append("\\qc");
        else if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
            body.append("\\qr");
        else if (alignment & Qt::AlignJustify)
            body.append("\\qj");
        else
            body.append("\\ql");
        const QTextBlockFormat paragraph = block.blockFormat();
        // Headings take the heading style of their level, which word
        // processors list in their outline.
        const int level = std::clamp(paragraph.headingLevel(), 0, 9);
        if (level > 0) {
            body.append("\\s" + QByteArray::number(level) + "\\outlinelevel" + QByteArray::number(level - 1));
            deepestHeading = std::max(deepestHeading, level);
        }
        const auto twips = [](qreal units) { return int(std::lround(std::max(0.0, units) * kTwipsPerDocumentUnit)); };
        if (const int before = twips(paragraph.topMargin()))
            body.append("\\sb" + QByteArray::number(before));
        if (const int after = twips(paragraph.bottomMargin()))
            body.append("\\sa" + QByteArray::number(after));
        bool wroteRun = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int start = std::max(fragment.position(), from);
            const int end = std::min(fragment.position() + fragment.length(), to);
            if (start >= end)
                continue;
            QByteArray text;
            appendEscaped(text, QStringView(fragment.text()).sliced(start - fragment.position(), end - start));
            if (text.isEmpty())
                continue; // objects and control characters only: no run, no table entries
            const RunFormat run = resolve(fragment.charFormat());
            if (!current || !(*current == run)) {
                appendFormat(body, run);
                current = run;
            } else if (!wroteRun) {
                body.append(' ');
            }
            wroteRun = true;
            body.append(text);
        }
        lastEmpty = !wroteRun;
        if (!wroteRun) {
            // The paragraph mark's format, so that an empty paragraph keeps its height.
            const RunFormat mark = resolve(block.charFormat());
            if (!current || !(*current == mark)) {
                appendFormat(body, mark);
                current = mark;
            } else {
                body.append(' ');
            }
        }
    }

    // A reader drops the \\par that closes a stream; an empty last paragraph
    // gets one of its own so that it survives.
    if (lastEmpty && blocks > 1)
        body.append("\\par\n");

    if (m_families.isEmpty())
        resolve(QTextCharFormat()); // enters the default font's name

    QByteArray out("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (qsizetype i = 0; i < m_families.size(); ++i) {
        out.append("{\\f");
        out.append(QByteArray::number(i));
        out.append("\\fnil\\fcharset0 ");
        appendFontName(out, m_families[i]);
        out.append(";}");
    }
    out.append("}\n{\\colortbl ;");
    for (const QRgb rgb : m_colors) {
        out.append("\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb))
                   + "\\blue" + QByteArray::number(qBlue(rgb)) + ';');
    }
    out.append("}\n");
    if (deepestHeading > 0) {
        // The heading styles by the names word processors know them by.
        out.append("{\\stylesheet{\\s0 Normal;}");
        for (int level = 1; level <= deepestHeading; ++level) {
            out.append("{\\s" + QByteArray::number(level) + "\\outlinelevel" + QByteArray::number(level - 1)
                       + "\\b\\fs" + QByteArray::number(std::max(24, 36 - 4 * level)) + "\\sbasedon0\\snext0 heading "
                       + QByteArray::number(level) + ";}");
        }
        out.append("}\n");
    }
    if (page) {
        out.append("\\paperw" + QByteArray::number(page->paperWidth) + "\\paperh" + QByteArray::number(page->paperHeight)
                   + "\\margl" + QByteArray::number(page->marginLeft) + "\\margr" + QByteArray::number(page->marginRight)
                   + "\\margt" + QByteArray::number(page->marginTop) + "\\margb" + QByteArray::number(page->marginBottom)
                   + "\n{\\footer\\pard\\qc\\plain\\f0\\fs18 \\chpgn\\par}\n");
    }
    out.append(body);
    out.append("}\n");
    return out;
}

} // namespace

QByteArray rtfEscaped(QStringView text)
{
    QByteArray out;
    appendEscaped(out, text);
    return out;
}

QByteArray writeRtf(const QTextDocument &document)
{
    return Writer(document).write(0, document.characterCount() - 1);
}

QByteArray writeRtf(const QTextDocument &document, const RtfPageSetup &page)
{
    return Writer(document).write(0, document.characterCount() - 1, &page);
}

QByteArray writeRtf(const QTextCursor &selection)
{
    const QTextDocument *document = selection.document();
    if (!document)
        return writeRtf(QTextDocument());
    return Writer(*document).write(selection.selectionStart(), selection.selectionEnd());
}

QByteArray writeRtf(const QTextDocument &document, int from, int to)
{
    from = std::clamp(from, 0, std::max(document.characterCount() - 1, 0));
    to = std::clamp(to, from, std::max(document.characterCount() - 1, 0));
    return Writer(document).write(from, to);
}

} // namespace quadrivium
