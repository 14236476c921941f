#include "rtfroundtripcheck.h"

#include "rtfcodepage.h"
#include "rtfreader.h"
#include "rtfwriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace quadrivium {

namespace {

QString documentText(const QTextDocument &document)
{
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text.append(u'\n');
        text.append(block.text());
    }
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

// The plain converter passes through what a document turns into paragraph
// breaks or drops.
QString asInDocument(QString plain)
{
    plain.replace(QChar::ParagraphSeparator, u'\n');
    plain.replace(QChar(0xFDD0), u'\n');
    plain.replace(QChar(0xFDD1), u'\n');
    return plain;
}

QString fault(const char *what, const QString &first, const QString &second)
{
    return QStringLiteral("%1\n--- first\n%2\n--- second\n%3").arg(QLatin1String(what), first, second);
}

// The font names given to the document's text, one line per run of
// characters in one font, as "name|text"; text in the default font counts
// as text of the name "".
QString fontRuns(const QTextDocument &document)
{
    QStringList runs;
    QString family;
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString fragment = it.fragment().text();
            fragment.remove(QChar::ObjectReplacementCharacter);
            if (fragment.isEmpty())
                continue;
            const QString name = it.fragment().charFormat().fontFamilies().toStringList().value(0);
            if (name != family && !text.isEmpty()) {
                runs << family + u'|' + text;
                text.clear();
            }
            family = name;
            text += fragment;
        }
    }
    if (!text.isEmpty())
        runs << family + u'|' + text;
    return runs.join(u'\n');
}

// The text of runs in a named font keeps that name; text in the default font
// may be written with the default's name.
bool sameNamedFonts(const QString &before, const QString &after)
{
    const QStringList first = before.split(u'\n');
    const QStringList second = after.split(u'\n');
    if (first.size() != second.size())
        return false;
    for (qsizetype i = 0; i < first.size(); ++i) {
        if (!first[i].startsWith(u'|') && first[i] != second[i])
            return false;
    }
    return true;
}

} // namespace

QString RtfRoundTripFault(QByteArrayView input)
{
    const QString plain = asInDocument(rtfToPlain(input));
    QTextDocument document;
    readRtf(document, input);
    const QString text = documentText(document);
    if (text != plain)
        return fault("reader and plain conversion differ", text, plain);

    const QByteArray written = writeRtf(document);
    QTextDocument again;
    readRtf(again, written);
    QString expected = text;
    expected.remove(QChar::ObjectReplacementCharacter);
    if (documentText(again) != expected)
        return fault("written text reads back differently", expected, documentText(again));
    const QString fonts = fontRuns(document);
    const QString fontsAgain = fontRuns(again);
    if (!sameNamedFonts(fonts, fontsAgain))
        return fault("written font names read back differently", fonts, fontsAgain);
    const QByteArray rewritten = writeRtf(again);
    if (rewritten != written)
        return fault("writer output is not stable", QString::fromLatin1(written), QString::fromLatin1(rewritten));
    return {};
}

QString RtfFontNameFault(const QString &family)
{
    QTextDocument document;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    QTextCursor(&document).insertText(QStringLiteral("x"), format);
    const QByteArray written = writeRtf(document);
    QTextDocument again;
    readRtf(again, written);
    const QString expected = rtfFontName(family);
    const QString read = fontRuns(again).section(u'|', 0, 0);
    if (!expected.isEmpty() && read != expected)
        return fault("font name reads back differently", expected, read);
    const QByteArray rewritten = writeRtf(again);
    if (rewritten != written)
        return fault("writer output is not stable", QString::fromLatin1(written), QString::fromLatin1(rewritten));
    return {};
}

} // namespace quadrivium
