// Writing documents as RTF: what is written reads back with the same text,
// paragraphs and formats, characters are encoded as Windows-1252 bytes or
// \uN escapes, a selection writes only what is selected, and LibreOffice
// reads the same text.

#include "rtftestsupport.h"

#include "output/rtfreader.h"
#include "output/rtfwriter.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

using namespace quadrivium;

namespace {

QTextCharFormat charFormat(const QString &family, double size, bool bold = false, bool italic = false,
                           bool underline = false, bool strikeOut = false, const QString &color = {})
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(size);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontStrikeOut(strikeOut);
    if (!color.isEmpty())
        format.setForeground(QColor(color));
    return format;
}

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Title, empty paragraph, body with two runs, empty last paragraph.
void fillSample(QTextDocument &document)
{
    QTextCursor cursor(&document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.setBlockCharFormat(charFormat("Arial", 14.5, true));
    cursor.insertText("Title", charFormat("Arial", 14.5, true));
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified, charFormat("Arial", 10));
    cursor.insertBlock(justified, charFormat("Arial", 10));
    cursor.insertText("body ", charFormat("Arial", 10));
    cursor.insertText("word", charFormat("Georgia", 10, false, true, false, false, "#800040"));
    cursor.insertBlock(QTextBlockFormat(), charFormat("Arial", 12));
}

} // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("flags"); // any of b i u s
        QTest::addColumn<QString>("color");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("expected");    // the document's description
        QTest::addColumn<QByteArray>("written");  // a part of the RTF

        // One run of `text` in Arial 12 pt, left-aligned, unless the row says otherwise.
        const auto row = [](const char *name, const char *text, const char *expected, const QByteArray &written,
                            const char *family = "Arial", double size = 12.0, const char *flags = "",
                            const char *color = "", int alignment = Qt::AlignLeft) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromLatin1(family) << size << QString::fromLatin1(flags)
                                << QString::fromLatin1(color) << alignment << QString::fromUtf8(expected) << written;
        };
        row("latin-1", "Grüße ÄÖÜ ¿", "l|[]Grüße ÄÖÜ ¿", R"(Gr\'fc\'dfe \'c4\'d6\'dc \'bf)");
        row("euro sign", "€ 100", "l|[]€ 100", R"(\'80 100)");
        row("greek", "Αλφα", "l|[]Αλφα", R"(\u913?\u955?\u966?\u945?)");
        row("beyond the basic plane", "😀𝄞", "l|[]😀𝄞", R"(\u-10179?\u-8704?\u-10188?\u-8930?)");
        row("braces and backslash", "a{b}c\\d", "l|[]a{b}c\\d", R"(a\{b\}c\\d)");
        row("tab line break and symbols", "a\tb\u2028c\u00a0d\u00ade\u2011f", "l|[]a<TAB>b<LS>c<NBSP>d<SHY>e<NBH>f",
            R"(a\tab b\line c\~d\-e\_f)");
        row("bold", "x", "l|[b]x", R"(\b x)", "Arial", 12.0, "b");
        row("italic", "x", "l|[i]x", R"(\i x)", "Arial", 12.0, "i");
        row("underline", "x", "l|[u]x", R"(\ul x)", "Arial", 12.0, "u");
        row("strike-out", "x", "l|[s]x", R"(\strike x)", "Arial", 12.0, "s");
        row("half point size", "x", "l|[14.5]x", R"(\fs29 x)", "Arial", 14.5);
        row("font", "x", "l|[Georgia]x", "Georgia;", "Georgia");
        row("colour", "x", "l|[#800040]x", R"(\red128\green0\blue64;)", "Arial", 12.0, "", "#800040");
        row("centred", "x", "c|[]x", R"(\qc)", "Arial", 12.0, "", "", Qt::AlignHCenter);
        row("right", "x", "r|[]x", R"(\qr)", "Arial", 12.0, "", "", Qt::AlignRight);
        row("justified", "x", "j|[]x", R"(\qj)", "Arial", 12.0, "", "", Qt::AlignJustify);
        row("all at once", "Ω€", "r|[Times New Roman,7.5,b,i,u,s,#0000ff]Ω€", R"(\fs15\b\i\ul\strike\cf1 \u937?\'80)",
            "Times New Roman", 7.5, "bius", "#0000ff", Qt::AlignRight);
    }

    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(double, size);
        QFETCH(QString, flags);
        QFETCH(QString, color);
        QFETCH(int, alignment);
        QFETCH(QString, expected);
        QFETCH(QByteArray, written);

        QTextDocument document;
        QTextCursor cursor(&document);
        QTextBlockFormat block;
        block.setAlignment(Qt::Alignment(alignment));
        cursor.setBlockFormat(block);
        cursor.insertText(text, charFormat(family, size, flags.contains(u'b'), flags.contains(u'i'),
                                           flags.contains(u'u'), flags.contains(u's'), color));
        QCOMPARE(rtftest::describe(document), expected);

        const QByteArray rtf = writeRtf(document);
        QVERIFY2(isAscii(rtf), rtf.constData());
        QVERIFY2(rtf.contains(written), rtf.constData());
        QTextDocument readBack;
        readRtf(readBack, rtf);
        QCOMPARE(rtftest::describe(readBack), expected);
    }

    // Guards against empty paragraphs being lost (the last one especially) and
    // against alignment or the mark format of an empty paragraph changing.
    void paragraphsRoundTrip()
    {
        QTextDocument document;
        fillSample(document);
        const QString expected = QStringLiteral("c|[14.5,b]Title\nj|mark[10]\nj|[10]body [Georgia,10,i,#800040]word\nl|mark[]");
        QCOMPARE(rtftest::describe(document), expected);
        const QByteArray rtf = writeRtf(document);
        QTextDocument readBack;
        readRtf(readBack, rtf);
        QCOMPARE(rtftest::describe(readBack), expected);
        // Writing what was read gives the same bytes.
        QCOMPARE(writeRtf(readBack), rtf);
        // The header, and the font and colour tables of what is used.
        QVERIFY2(rtf.startsWith(R"({\rtf1\ansi\ansicpg1252\deff0\uc1)"), rtf.constData());
        QVERIFY2(rtf.contains(R"({\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Georgia;}})"), rtf.constData());
        QVERIFY2(rtf.contains(R"({\colortbl ;\red128\green0\blue64;})"), rtf.constData());
        QCOMPARE(rtf.count('{'), rtf.count('}'));
        QVERIFY(rtf.trimmed().endsWith('}'));
    }

    void writesSelectionOnly()
    {
        QTextDocument document;
        fillSample(document);
        QTextCursor selection(&document);
        selection.setPosition(2);                             // "tle"
        selection.setPosition(document.toPlainText().indexOf("word") + 2, QTextCursor::KeepAnchor); // "wo"
        QTextDocument readBack;
        readRtf(readBack, writeRtf(selection));
        QCOMPARE(rtftest::describe(readBack),
                 QStringLiteral("c|[14.5,b]tle\nj|mark[10]\nj|[10]body [Georgia,10,i,#800040]wo"));
        // No selection: one empty paragraph.
        selection.clearSelection();
        QCOMPARE(rtfToPlain(writeRtf(selection)), QString());
    }

    // Guards against a run that holds only an object (or control characters)
    // leaving a format switch and a font table entry behind with no text: the
    // output then changed each time it was read and written again.
    void skipsRunsWithoutText()
    {
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText("a", charFormat("Arial", 12));
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), charFormat("Georgia", 20, true));
        cursor.insertText("b", charFormat("Arial", 12));
        const QByteArray rtf = writeRtf(document);
        QVERIFY2(!rtf.contains("Georgia") && !rtf.contains("\\b"), rtf.constData());
        QTextDocument readBack;
        readRtf(readBack, rtf);
        QCOMPARE(rtftest::describe(readBack), QStringLiteral("l|[]ab"));
        QCOMPARE(writeRtf(readBack), rtf);
    }

    void fontNamesSettle_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QByteArray>("entry"); // the font table entry written
        QTest::newRow("trailing blank") << QStringLiteral("T ") << QByteArray("fcharset0 T;}");
        QTest::newRow("blanks around") << QStringLiteral(" \u00a0T\t") << QByteArray("fcharset0 T;}");
        QTest::newRow("non-ASCII and a blank") << QStringLiteral("éü ") << QByteArray(R"(fcharset0 \'e9\'fc;})");
        QTest::newRow("empty, default without a name") << QString() << QByteArray("fcharset0 Sans Serif;}");
    }

    // Guards against written RTF that changes when read and written again: a
    // font name with outer blanks was written with them and read without, an
    // empty one was written empty and read back as the reader's default font.
    void fontNamesSettle()
    {
        QFETCH(QString, family);
        QFETCH(QByteArray, entry);
        QTextDocument document;
        document.setDefaultFont(QFont(QString()));
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("x"), charFormat(family, 12));
        const QByteArray written = writeRtf(document);
        QVERIFY2(written.contains(entry), written.constData());
        QTextDocument again;
        readRtf(again, written);
        QCOMPARE(writeRtf(again), written);
    }

    // An outside check: LibreOffice reads the same text from what the writer
    // wrote. Skipped when LibreOffice (soffice) is not installed.
    void libreOfficeReadsTheSameText()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("soffice is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());

        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(14.5);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centred);
        cursor.insertText(QString::fromUtf8("Grüße, Ärger und Öl"), bold);
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertBlock();
        QTextCharFormat colour;
        colour.setForeground(QColor(128, 0, 64));
        colour.setFontItalic(true);
        cursor.insertText(QString::fromUtf8("Euro € 100, Greek αβγ Ω, emoji 😀 and 𝄞"), colour);
        cursor.insertBlock();
        cursor.insertText(QString::fromUtf8("tab\there, braces {x} and a backslash \\ end"));
        cursor.insertText(QString(QChar::LineSeparator) + QStringLiteral("after a line break"));

        const QByteArray rtf = writeRtf(document);
        const QString path = dir.filePath(QStringLiteral("sample.rtf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rtf);
        file.close();

        QCOMPARE(rtftest::withoutTrailingLineEnds(rtftest::libreOfficeText(soffice, path, dir.path())),
                 rtftest::withoutTrailingLineEnds(rtfToPlain(rtf)));
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
