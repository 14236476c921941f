#include "richtextstream.h"

#include "rtfreader.h"
#include "rtfwriter.h"

#include "store/outputfile.h"

#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace quadrivium {

namespace {

QString decodePlain(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    return utf8.decode(bytes);
}

// Line ends of any platform become paragraph ends; other control
// characters but the tab are dropped.
QString normalizedPlain(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            result.append(u'\n');
        } else if (ch == u'\n' || ch == u'\t' || (ch.unicode() >= 0x20 && ch.unicode() != 0x7F)) {
            result.append(ch);
        }
    }
    return result;
}

void insertPlain(QTextCursor &cursor, QStringView text)
{
    cursor.insertText(normalizedPlain(text));
}

QByteArray plainOf(const QTextCursor &selection)
{
    QString text = selection.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.remove(QChar::ObjectReplacementCharacter);
    return text.toUtf8();
}

StreamFormat formatOf(int format)
{
    return (format & ~kStreamSelection) == int(StreamFormat::Rtf) ? StreamFormat::Rtf : StreamFormat::PlainText;
}

template<typename Input>
void inText(QTextEdit &edit, int format, const Input &input)
{
    if (format & kStreamSelection) {
        QTextCursor cursor = edit.textCursor();
        streamIn(cursor, formatOf(format), input);
        edit.setTextCursor(cursor);
    } else {
        streamIn(*edit.document(), formatOf(format), input);
    }
}

} // namespace

void streamIn(QTextDocument &document, StreamFormat format, QByteArrayView bytes)
{
    if (format == StreamFormat::Rtf) {
        readRtf(document, bytes);
    } else {
        streamIn(document, format, decodePlain(bytes));
    }
}

void streamIn(QTextDocument &document, StreamFormat format, QStringView text)
{
    if (format == StreamFormat::Rtf) {
        readRtf(document, text);
        return;
    }
    document.clear();
    QTextCursor cursor(&document);
    insertPlain(cursor, text);
}

void streamIn(QTextCursor &cursor, StreamFormat format, QByteArrayView bytes)
{
    if (format == StreamFormat::Rtf)
        insertRtf(cursor, bytes);
    else
        insertPlain(cursor, decodePlain(bytes));
}

void streamIn(QTextCursor &cursor, StreamFormat format, QStringView text)
{
    if (format == StreamFormat::Rtf)
        insertRtf(cursor, text);
    else
        insertPlain(cursor, text);
}

QByteArray streamOut(const QTextDocument &document, StreamFormat format)
{
    if (format == StreamFormat::Rtf)
        return writeRtf(document);
    // The cursor only reads; QTextCursor has no constructor for const documents.
    QTextCursor all(const_cast<QTextDocument *>(&document));
    all.select(QTextCursor::Document);
    return plainOf(all);
}

QByteArray streamOut(const QTextCursor &selection, StreamFormat format)
{
    return format == StreamFormat::Rtf ? writeRtf(selection) : plainOf(selection);
}

Status writeFileBytes(const QByteArray &bytes, const QString &path)
{
    return WriteOutputFile(path, bytes);
}

Status streamOutToFile(const QTextDocument &document, StreamFormat format, const QString &path)
{
    return writeFileBytes(streamOut(document, format), path);
}

void streamInText(QTextEdit &edit, int format, QByteArrayView bytes) { inText(edit, format, bytes); }
void streamInText(QTextEdit &edit, int format, QStringView text) { inText(edit, format, text); }

QByteArray streamOutText(const QTextEdit &edit, int format)
{
    if (format & kStreamSelection)
        return streamOut(edit.textCursor(), formatOf(format));
    return streamOut(*edit.document(), formatOf(format));
}

Status streamOutToFile(const QTextEdit &edit, int format, const QString &path)
{
    return WriteOutputFile(path, streamOutText(edit, format));
}

} // namespace quadrivium
