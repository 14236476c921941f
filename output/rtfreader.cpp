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
    void paragraph(RtfAlignment alignment, const RtfRunFormat &markFormat) override
    {
        endParagraph(alignment, markFormat);
        m_cursor.insertBlock();
    }
    void finish(RtfAlignment alignment, const RtfRunFormat &markFormat) override
    {
        endParagraph(alignment, markFormat);
    }

private:
    void endParagraph(RtfAlignment alignment, const RtfRunFormat &markFormat)
    {
        m_cursor.setBlockCharFormat(toCharFormat(markFormat));
        align(alignment);
    }
    void align(RtfAlignment alignment)
    {
        QTextBlockFormat format = m_cursor.blockFormat();
        if (format.alignment() != toQt(alignment)) {
            format.setAlignment(toQt(alignment));
            m_cursor.setBlockFormat(format);
        }
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
    void paragraph(RtfAlignment, const RtfRunFormat &) override { m_text.append(u'\n'); }
    void finish(RtfAlignment, const RtfRunFormat &) override {}

    QString m_text;
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
