// Reading RTF into documents and into plain text: each control word's effect
// on text and format, charsets, \uN with its fallback, nesting and resets,
// the destinations that are skipped, and streams that are not well formed.

#include "rtftestsupport.h"

#include "output/rtfreader.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace quadrivium;

namespace {

// A document with a font table of six fonts and a colour table that starts
// with the automatic entry.
QByteArray wrap(const QByteArray &body)
{
    return QByteArray(R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Georgia;})"
                      R"({\f2\fcharset204 Arial Cyr;}{\f3\fcharset161 Arial Greek;}{\f4\fcharset128 MS Gothic;}})"
                      R"({\colortbl ;\red255\green0\blue0;\red0\green0\blue255;})")
        + body + '}';
}

const QByteArray kExportHeader(
    R"({\rtf1\ansi\deff0\deftab720{\fonttbl{\f0\fswiss MS Sans Serif;}{\f1\froman\fcharset2 Symbol;})"
    R"({\f2\fswiss\fprq2 System;}{\f3\froman\fprq2 Times New Roman;}{\f4\fswiss\fprq2 Times New Roman;}})"
    R"({\colortbl\red0\green0\blue0;\red128\green0\blue64;}\deflang1031\pard\qc\plain\f3\fs29 )");

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void readsDocument_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");

        // Character formats.
        QTest::newRow("plain run") << wrap("Hello") << "l|[]Hello";
        QTest::newRow("bold and italic") << wrap(R"(\b bold\b0  plain\i it\i0 x)") << "l|[b]bold[] plain[i]it[]x";
        QTest::newRow("underline and strike-out kinds") << wrap(R"(\ul u\ulnone n\uldb d\ul0 z\strike s\strike0 n\striked1 d)")
                                                        << "l|[u]u[]n[u]d[]z[s]s[]n[s]d";
        QTest::newRow("plain resets") << wrap(R"(\b\i\ul\strike\cf1\f1\fs40 all\plain none)")
                                      << "l|[Georgia,20,b,i,u,s,#ff0000]all[]none";
        QTest::newRow("font table") << wrap(R"(\f1 Georgia\f0 Arial)") << "l|[Georgia]Georgia[]Arial";
        QTest::newRow("unknown font is the default") << wrap(R"(\f9 x)") << "l|[]x";
        QTest::newRow("size in half points") << wrap(R"(\fs29 a\fs20 b)") << "l|[14.5]a[10]b";
        QTest::newRow("size bounds") << wrap(R"(\fs0 a\fs99999 b)") << "l|[]a[1638]b";
        QTest::newRow("colour and auto") << wrap(R"(\cf2 blue\cf0 auto\cf7 none)") << "l|[#0000ff]blue[]autonone";
        QTest::newRow("colour table without auto entry")
            << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl\red0\green0\blue0;\red128\green0\blue64;}\cf0 k\cf1 p})")
            << "l|[#000000]k[#800040]p";
        QTest::newRow("deff chooses the default font")
            << QByteArray(R"({\rtf1\deff1{\fonttbl{\f0 Arial;}{\f1 Georgia;}}x\f0 y\plain z})")
            << "l|[Georgia]x[]y[Georgia]z";
        QTest::newRow("old-style font table")
            << QByteArray(R"({\rtf1{\fonttbl\f0\fswiss Helv;\f1\froman Tms Rmn;}\f1 x})") << "l|[Tms Rmn]x";
        QTest::newRow("escaped semicolon in a font name")
            << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 A\'3bB;}}\f1 x})") << "l|[A;B]x";
        QTest::newRow("font alternative skipped")
            << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial{\*\falt Helvetica};}}x})") << "l|[]x";

        // Paragraphs.
        QTest::newRow("alignment per paragraph") << wrap(R"(\qc c\par\qr r\par\pard l\par\qj j)")
                                                 << "c|[]c\nr|[]r\nl|[]l\nj|[]j";
        QTest::newRow("pard keeps the character format") << wrap(R"(\qc\b x\par\pard y)") << "c|[b]x\nl|[b]y";
        QTest::newRow("final par closes the paragraph") << wrap(R"(\qr a\par)") << "r|[]a";
        QTest::newRow("second final par keeps an empty paragraph") << wrap(R"(a\par\b\par)") << "l|[]a\nl|mark[b]";
        QTest::newRow("par inside a group") << wrap(R"({\qc a\par}b)") << "c|[]a\nl|[]b";
        QTest::newRow("backslash line end is a paragraph") << wrap("a\\\nb\\\r\nc") << "l|[]a\nl|[]b\nl|[]c";
        QTest::newRow("raw line ends are ignored") << wrap("a\r\nb\nc") << "l|[]abc";
        QTest::newRow("section and page end paragraphs") << wrap(R"(a\sect b\page c)") << "l|[]a\nl|[]b\nl|[]c";

        // Groups.
        QTest::newRow("group restores the format") << wrap(R"({\b\qc x}y)") << "l|[b]x[]y";
        QTest::newRow("nested groups") << wrap(R"(a{\b b{\i c{\plain d}e}f}g)") << "l|[]a[b]b[b,i]c[]d[b,i]e[b]f[]g";

        // Characters.
        QTest::newRow("tab line and symbols") << wrap(R"(a\tab b\line c\~d\-e\_f)")
                                              << "l|[]a<TAB>b<LS>c<NBSP>d<SHY>e<NBH>f";
        QTest::newRow("named quotes and dashes") << wrap(R"(\lquote a\rquote \ldblquote b\rdblquote \endash \emdash \bullet)")
                                                 << QString::fromUtf8("l|[]‘a’“b”–—•");
        QTest::newRow("escaped braces and backslash") << wrap(R"(\{\}\\)") << "l|[]{}\\";
        QTest::newRow("windows-1252 bytes") << wrap(R"(\'e4\'f6\'fc\'df \'80\'93x\'94)")
                                            << QString::fromUtf8("l|[]äöüß €“x”");
        QTest::newRow("raw high bytes") << wrap("Gr\xfc\xdf\x65") << QString::fromUtf8("l|[]Grüße");
        // Each font's charset decodes its own bytes: cyrillic, greek, shift-jis double bytes.
        QTest::newRow("font charsets") << wrap(R"(\f2\'cf\'f0\'e8\f3\'e1\'e2\f4\'93\'fa\'96\'7b)")
                                       << QString::fromUtf8("l|[Arial Cyr]При[Arial Greek]αβ[MS Gothic]日本");
        QTest::newRow("ansicpg of the header")
            << QByteArray(R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\'cf})") << QString::fromUtf8("l|[]П");
        QTest::newRow("u with uc1") << wrap(R"(\u228?x)") << QString::fromUtf8("l|[]äx");
        QTest::newRow("uc0") << wrap(R"(\uc0\u228 x)") << QString::fromUtf8("l|[]äx");
        QTest::newRow("uc2 with hex fallback") << wrap(R"(\uc2\u228\'e4\'e4x)") << QString::fromUtf8("l|[]äx");
        QTest::newRow("uc2 with text fallback") << wrap(R"(\uc2\u228??x)") << QString::fromUtf8("l|[]äx");
        QTest::newRow("uc kept per group") << wrap(R"({\uc0\u228 }\u246?x)") << QString::fromUtf8("l|[]äöx");
        QTest::newRow("fallback ends at a group") << wrap(R"(\uc3\u228{\b x})") << QString::fromUtf8("l|[]ä[b]x");
        QTest::newRow("negative u and surrogate pair") << wrap(R"(\u-10179?\u-8704?!)") << QString::fromUtf8("l|[]😀!");
        QTest::newRow("lone surrogate") << wrap(R"(\u-10179?x)") << QString::fromUtf8("l|[]\xEF\xBF\xBDx");
        QTest::newRow("upr reads the unicode part") << wrap(R"({\upr{ansi}{\*\ud{uni\u233?}}})") << QString::fromUtf8("l|[]unié");

        // Destinations.
        QTest::newRow("field result") << wrap(R"({\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}} end)") << "l|[]link end";
        QTest::newRow("skipped destinations")
            << wrap(R"({\info{\title T}}{\stylesheet{\s0 Normal;}}{\header H}{\footer F}{\*\generator G})"
                    R"({\*\unknown U}{\pict\bin4 {}\x}{\object{\result R}}visible)")
            << "l|[]visible";
        QTest::newRow("hidden text") << wrap(R"(a{\v hidden}b)") << "l|[]ab";

        // The heading of an export: one centred paragraph at 14.5 points.
        QTest::newRow("export heading") << kExportHeader + R"(Lena Vogel\plain\f4\fs20 })"
                                        << "c|[Times New Roman,14.5]Lena Vogel";

        // Streams that are not well formed.
        QTest::newRow("unbalanced braces") << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}a{\b b)") << "l|[]a[b]b";
        QTest::newRow("not rtf is plain text") << QByteArray("plain\r\ntext") << "l|[nofamily]plain\nl|[nofamily]text";
        QTest::newRow("empty input") << QByteArray() << "l|mark[nofamily]";
    }

    void readsDocument()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        // Reading replaces the whole content: nothing of the old text, its
        // paragraph or its format is left.
        QTextDocument document;
        readRtf(document, wrap(R"(\qc\b old\par text)"));
        readRtf(document, rtf);
        QCOMPARE(rtftest::describe(document), expected);
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("expected");

        QTest::newRow("paragraphs") << R"({\rtf1 one\par two\par})" << "one\ntwo";
        QTest::newRow("empty paragraph kept") << R"({\rtf1 one\par\par two})" << "one\n\ntwo";
        QTest::newRow("line and tab") << R"({\rtf1 a\line b\tab c})" << "a\nb\tc";
        QTest::newRow("skipped and hidden") << R"({\rtf1{\fonttbl{\f0 Arial;}}{\*\x y}a{\v b}c})" << "ac";
        QTest::newRow("characters beyond ascii in the string")
            << QString::fromUtf8(R"({\rtf1\uc1 Grüße \u8364?})") << QString::fromUtf8("Grüße €");
        QTest::newRow("surrogate pair in the string")
            << QString::fromUtf8(R"({\rtf1 😀x})") << QString::fromUtf8("😀x");
        QTest::newRow("not rtf") << "plain\r\ntwo\rthree" << "plain\ntwo\nthree";
        QTest::newRow("empty") << "" << "";
    }

    void plainText()
    {
        QFETCH(QString, rtf);
        QFETCH(QString, expected);
        QCOMPARE(rtfToPlain(QStringView(rtf)), expected);
        // Bytes and strings read the same where the text is ASCII.
        if (rtf.toLatin1() == rtf.toUtf8())
            QCOMPARE(rtfToPlain(QByteArrayView(rtf.toLatin1())), expected);
    }

    void insertsAtCursor_data()
    {
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionEnd");
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("cursorAfter");

        // The document holds "Hello World" in Arial.
        QTest::newRow("at the caret") << 6 << 6 << wrap(R"(\b big )") << "l|[]Hello [b]big []World" << 10;
        QTest::newRow("replacing the selection") << 6 << 11 << wrap(R"(\i there)") << "l|[]Hello [i]there" << 11;
        QTest::newRow("paragraphs inside") << 5 << 5 << wrap(R"(\qc !\par second\par third)")
                                           << "c|[]Hello!\nc|[]second\nc|[]third World" << 19;
        QTest::newRow("plain text at the caret") << 0 << 0 << QByteArray("A\r\nB") << "l|[nofamily]A\nl|[nofamily]B[]Hello World" << 3;
    }

    void insertsAtCursor()
    {
        QFETCH(int, selectionStart);
        QFETCH(int, selectionEnd);
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QFETCH(int, cursorAfter);

        QTextDocument document;
        readRtf(document, wrap("Hello World"));
        QTextCursor cursor(&document);
        cursor.setPosition(selectionStart);
        cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
        insertRtf(cursor, rtf);
        QCOMPARE(rtftest::describe(document), expected);
        QCOMPARE(cursor.position(), cursorAfter);
        QVERIFY(!cursor.hasSelection());
        // One undo step takes the whole insertion back.
        document.undo();
        QCOMPARE(document.toPlainText(), QStringLiteral("Hello World"));
    }

    // Guards against unbounded recursion or state per group: groups far beyond
    // the depth limit are read as a whole, their content dropped, and the text
    // around them kept.
    void deepNestingKeepsOuterText()
    {
        const int depth = 100000;
        const QByteArray rtf = "{\\rtf1 a" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + "b}";
        QCOMPARE(rtfToPlain(rtf), QStringLiteral("ab"));
        // Groups within the limit keep their text.
        const QByteArray shallow = "{\\rtf1 a" + QByteArray(50, '{') + "c" + QByteArray(50, '}') + "b}";
        QCOMPARE(rtfToPlain(shallow), QStringLiteral("acb"));
    }
};

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
