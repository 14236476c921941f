#include "rtfroundtripcheck.h"

#include "rtfreader.h"
#include "rtfwriter.h"

#include <QTextBlock>
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
    const QByteArray rewritten = writeRtf(again);
    if (rewritten != written)
        return fault("writer output is not stable", QString::fromLatin1(written), QString::fromLatin1(rewritten));
    return {};
}

} // namespace quadrivium
