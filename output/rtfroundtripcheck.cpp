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

// A run of characters in one font: its name, "" for the default font.
struct FontRun {
    QString family;
    QString text;
};

// The document's text as runs of one font each.
QList<FontRun> fontRuns(const QTextDocument &document)
{
    QList<FontRun> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString fragment = it.fragment().text();
            fragment.remove(QChar::ObjectReplacementCharacter);
            if (fragment.isEmpty())
                continue;
            const QString family = it.fragment().charFormat().fontFamilies().toStringList().value(0);
            if (runs.isEmpty() || runs.last().family != family)
                runs.append({family, QString()});
            runs.last().text += fragment;
        }
    }
    return runs;
}

QString describe(const QList<FontRun> &runs)
{
    QStringList lines;
    for (const FontRun &run : runs)
        lines << QStringLiteral("[%1] %2").arg(run.family, run.text);
    return lines.join(u'\n');
}

// Each character in a named font keeps that name; one in the default font
// may be written with the default's name, so that runs may merge.
bool sameNamedFonts(const QList<FontRun> &before, const QList<FontRun> &after)
{
    const auto perCharacter = [](const QList<FontRun> &runs) {
        QStringList families;
        for (const FontRun &run : runs) {
            for (qsizetype i = 0; i < run.text.size(); ++i)
                families << run.family;
        }
        return families;
    };
    const QStringList first = perCharacter(before);
    const QStringList second = perCharacter(after);
    if (first.size() != second.size())
        return false;
    for (qsizetype i = 0; i < first.size(); ++i) {
        if (!first[i].isEmpty() && first[i] != second[i])
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
    const QList<FontRun> fonts = fontRuns(document);
    const QList<FontRun> fontsAgain = fontRuns(again);
    if (!sameNamedFonts(fonts, fontsAgain))
        return fault("written font names read back differently", describe(fonts), describe(fontsAgain));
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
    const QString read = fontRuns(again).value(0).family;
    if (!expected.isEmpty() && read != expected)
        return fault("font name reads back differently", expected, read);
    const QByteArray rewritten = writeRtf(again);
    if (rewritten != written)
        return fault("writer output is not stable", QString::fromLatin1(written), QString::fromLatin1(rewritten));
    return {};
}

} // namespace quadrivium
