#include "rtfreader.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace quadrivium {

namespace {

Qt::Alignment toQt(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Center: return Qt::AlignHCenter;
    case RtfAlignment::Right: return Qt::AlignRight;
    case RtfAlignment::Justify: return Qt::AlignJustify;
    case RtfAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

// Builds the content at a cursor. Every paragraph the stream touches takes
// the stream's alignment for it.
class DocumentSink final : public RtfSink {
public:
    explicit DocumentSink(QTextCursor &cursor) : m_cursor(cursor) {}

    void text(const QString &characters, const RtfRunFormat &format) override
    {
        m_cursor.insertText(characters, toCharFormat(format));
    }
    void paragraph(const RtfParagraphFormat &format, const RtfRunFormat &markFormat) override
    {
        endParagraph(format, markFormat);
        m_cursor.insertBlock();
    }
    void finish(const RtfParagraphFormat &format, const RtfRunFormat &markFormat) override
    {
        endParagraph(format, markFormat);
    }

private:
    void endParagraph(const RtfParagraphFormat &paragraph, const RtfRunFormat &markFormat)
    {
        m_cursor.setBlockCharFormat(toCharFormat(markFormat));
        QTextBlockFormat format = m_cursor.blockFormat();
        bool changed = false;
        if (format.alignment() != toQt(paragraph.alignment)) {
            format.setAlignment(toQt(paragraph.alignment));
            changed = true;
        }
        if (format.headingLevel() != paragraph.outlineLevel + 1) {
            format.setHeadingLevel(paragraph.outlineLevel + 1);
            changed = true;
        }
        const qreal top = paragraph.spaceBefore / kTwipsPerDocumentUnit;
        const qreal bottom = paragraph.spaceAfter / kTwipsPerDocumentUnit;
        if (format.topMargin() != top || format.bottomMargin() != bottom) {
            format.setTopMargin(top);
            format.setBottomMargin(bottom);
            changed = true;
        }
        if (changed)
            m_cursor.setBlockFormat(format);
    }

    QTextCursor &m_cursor;
};

class PlainSink final : public RtfSink {
public:
    void text(const QString &characters, const RtfRunFormat &) override
    {
        const qsizetype start = m_text.size();
        m_text.append(characters);
        for (qsizetype i = start; i < m_text.size(); ++i) {
            if (m_text[i] == QChar::LineSeparator)
                m_text[i] = u'\n';
        }
    }
    void paragraph(const RtfParagraphFormat &, const RtfRunFormat &) override { m_text.append(u'\n'); }
    void finish(const RtfParagraphFormat &, const RtfRunFormat &) override {}

    QString m_text;
};

class PageSink final : public RtfSink {
public:
    void text(const QString &, const RtfRunFormat &) override {}
    void paragraph(const RtfParagraphFormat &, const RtfRunFormat &) override {}
    void finish(const RtfParagraphFormat &, const RtfRunFormat &) override {}
    void page(const RtfPageSetup &page) override { m_page = page; }

    std::optional<RtfPageSetup> m_page;
};

template<typename Input>
void read(QTextDocument &document, const Input &rtf)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    DocumentSink sink(cursor);
    parseRtf(rtf, sink);
    cursor.endEditBlock();
}

template<typename Input>
void insert(QTextCursor &cursor, const Input &rtf)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    DocumentSink sink(cursor);
    parseRtf(rtf, sink);
    cursor.endEditBlock();
}

} // namespace

QTextCharFormat toCharFormat(const RtfRunFormat &format)
{
    QTextCharFormat result;
    if (!format.family.isEmpty())
        result.setFontFamilies(QStringList{format.family});
    result.setFontPointSize(format.pointSize);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strikeOut);
    if (format.color)
        result.setForeground(QColor::fromRgb(*format.color));
    return result;
}

void readRtf(QTextDocument &document, QByteArrayView rtf) { read(document, rtf); }
void readRtf(QTextDocument &document, QStringView rtf) { read(document, rtf); }
void insertRtf(QTextCursor &cursor, QByteArrayView rtf) { insert(cursor, rtf); }
void insertRtf(QTextCursor &cursor, QStringView rtf) { insert(cursor, rtf); }

std::optional<RtfPageSetup> rtfPageSetup(QByteArrayView rtf)
{
    PageSink sink;
    parseRtf(rtf, sink);
    return sink.m_page;
}

QString rtfToPlain(QByteArrayView rtf)
{
    PlainSink sink;
    parseRtf(rtf, sink);
    return sink.m_text;
}

QString rtfToPlain(QStringView rtf)
{
    PlainSink sink;
    parseRtf(rtf, sink);
    return sink.m_text;
}

} // namespace quadrivium
