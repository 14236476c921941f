// Writing documents as RTF: what is written reads back with the same text,
// paragraphs and formats, characters are encoded as Windows-1252 bytes or
// \uN escapes, and a selection writes only what is selected.

#include "rtftestsupport.h"

#include "output/rtfreader.h"
#include "output/rtfwriter.h"

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
    void roundTrip_data();
    void roundTrip();
    void paragraphsRoundTrip();
    void writesSelectionOnly();
    void headerAndTables();
    void skipsRunsWithoutText();
};

void TestRtfWriter::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("flags"); // any of b i u s
    QTest::addColumn<QString>("color");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("expected");    // the document's description
    QTest::addColumn<QByteArray>("written");  // a part of the RTF

    const int left = Qt::AlignLeft;
    QTest::newRow("latin-1") << QString::fromUtf8("Grüße ÄÖÜ ¿") << "Arial" << 12.0 << "" << "" << left
                             << QString::fromUtf8("l|[]Grüße ÄÖÜ ¿") << QByteArray(R"(Gr\'fc\'dfe \'c4\'d6\'dc \'bf)");
    QTest::newRow("euro sign") << QString::fromUtf8("€ 100") << "Arial" << 12.0 << "" << "" << left
                               << QString::fromUtf8("l|[]€ 100") << QByteArray(R"(\'80 100)");
    QTest::newRow("greek") << QString::fromUtf8("Αλφα") << "Arial" << 12.0 << "" << "" << left
                           << QString::fromUtf8("l|[]Αλφα") << QByteArray(R"(\u913?\u955?\u966?\u945?)");
    QTest::newRow("beyond the basic plane") << QString::fromUtf8("😀𝄞") << "Arial" << 12.0 << "" << "" << left
                                            << QString::fromUtf8("l|[]😀𝄞")
                                            << QByteArray(R"(\u-10179?\u-8704?\u-10188?\u-8930?)");
    QTest::newRow("braces and backslash") << "a{b}c\\d" << "Arial" << 12.0 << "" << "" << left
                                          << "l|[]a{b}c\\d" << QByteArray(R"(a\{b\}c\\d)");
    QTest::newRow("tab line break and symbols")
        << QString::fromUtf8("a\tb\u2028c\u00a0d\u00ade\u2011f") << "Arial" << 12.0 << "" << "" << left
        << "l|[]a<TAB>b<LS>c<NBSP>d<SHY>e<NBH>f" << QByteArray(R"(a\tab b\line c\~d\-e\_f)");
    QTest::newRow("bold") << "x" << "Arial" << 12.0 << "b" << "" << left << "l|[b]x" << QByteArray(R"(\b x)");
    QTest::newRow("italic") << "x" << "Arial" << 12.0 << "i" << "" << left << "l|[i]x" << QByteArray(R"(\i x)");
    QTest::newRow("underline") << "x" << "Arial" << 12.0 << "u" << "" << left << "l|[u]x" << QByteArray(R"(\ul x)");
    QTest::newRow("strike-out") << "x" << "Arial" << 12.0 << "s" << "" << left << "l|[s]x" << QByteArray(R"(\strike x)");
    QTest::newRow("half point size") << "x" << "Arial" << 14.5 << "" << "" << left << "l|[14.5]x" << QByteArray(R"(\fs29 x)");
    QTest::newRow("font") << "x" << "Georgia" << 12.0 << "" << "" << left << "l|[Georgia]x" << QByteArray("Georgia;");
    QTest::newRow("colour") << "x" << "Arial" << 12.0 << "" << "#800040" << left << "l|[#800040]x"
                            << QByteArray(R"(\red128\green0\blue64;)");
    QTest::newRow("centred") << "x" << "Arial" << 12.0 << "" << "" << int(Qt::AlignHCenter) << "c|[]x" << QByteArray(R"(\qc)");
    QTest::newRow("right") << "x" << "Arial" << 12.0 << "" << "" << int(Qt::AlignRight) << "r|[]x" << QByteArray(R"(\qr)");
    QTest::newRow("justified") << "x" << "Arial" << 12.0 << "" << "" << int(Qt::AlignJustify) << "j|[]x" << QByteArray(R"(\qj)");
    QTest::newRow("all at once") << QString::fromUtf8("Ω€") << "Times New Roman" << 7.5 << "bius" << "#0000ff"
                                 << int(Qt::AlignRight) << QString::fromUtf8("r|[Times New Roman,7.5,b,i,u,s,#0000ff]Ω€")
                                 << QByteArray(R"(\fs15\b\i\ul\strike\cf1 \u937?\'80)");
}

void TestRtfWriter::roundTrip()
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
void TestRtfWriter::paragraphsRoundTrip()
{
    QTextDocument document;
    fillSample(document);
    const QString expected = QStringLiteral("c|[14.5,b]Title\nj|mark[10]\nj|[10]body [Georgia,10,i,#800040]word\nl|mark[]");
    QCOMPARE(rtftest::describe(document), expected);
    QTextDocument readBack;
    readRtf(readBack, writeRtf(document));
    QCOMPARE(rtftest::describe(readBack), expected);
    // Writing what was read gives the same bytes.
    QCOMPARE(writeRtf(readBack), writeRtf(document));
}

void TestRtfWriter::writesSelectionOnly()
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

void TestRtfWriter::headerAndTables()
{
    QTextDocument document;
    fillSample(document);
    const QByteArray rtf = writeRtf(document);
    QVERIFY2(rtf.startsWith(R"({\rtf1\ansi\ansicpg1252\deff0\uc1)"), rtf.constData());
    QVERIFY2(rtf.contains(R"({\fonttbl{\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Georgia;}})"), rtf.constData());
    QVERIFY2(rtf.contains(R"({\colortbl ;\red128\green0\blue64;})"), rtf.constData());
    QCOMPARE(rtf.count('{'), rtf.count('}'));
    QVERIFY(rtf.trimmed().endsWith('}'));
}

// Guards against a run that holds only an object (or control characters)
// leaving a format switch and a font table entry behind with no text: the
// output then changed each time it was read and written again.
void TestRtfWriter::skipsRunsWithoutText()
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

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
