// Feeds arbitrary bytes to the RTF reader and checks, besides the absence of
// crashes, leaks and undefined behaviour, that
// - the plain-text conversion and the document reader see the same text;
// - what the writer makes of the document reads back to the same text, and
//   writing that again gives the same bytes (the writer's output is stable).

#include "output/rtfreader.h"
#include "output/rtfwriter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

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

[[noreturn]] void fail(const char *what, const QString &a, const QString &b)
{
    std::fprintf(stderr, "%s\n--- first\n%s\n--- second\n%s\n", what, qPrintable(a), qPrintable(b));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_rtfreader";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString plain = asInDocument(quadrivium::rtfToPlain(input));

    QTextDocument document;
    quadrivium::readRtf(document, input);
    const QString text = documentText(document);
    if (text != plain)
        fail("reader and plain conversion differ", text, plain);

    const QByteArray written = quadrivium::writeRtf(document);
    QTextDocument again;
    quadrivium::readRtf(again, written);
    QString expected = text;
    expected.remove(QChar::ObjectReplacementCharacter);
    if (documentText(again) != expected)
        fail("written text reads back differently", expected, documentText(again));
    const QByteArray rewritten = quadrivium::writeRtf(again);
    if (rewritten != written)
        fail("writer output is not stable", QString::fromLatin1(written), QString::fromLatin1(rewritten));
    return 0;
}
