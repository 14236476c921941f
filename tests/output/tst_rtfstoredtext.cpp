// Stored texts (RTF when they begin with "{") as plain text, and the streams
// that move plain text and RTF into and out of documents and text panes.

#include "rtftestsupport.h"

#include "output/storedtext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using namespace quadrivium;

class TestRtfStoredText : public QObject {
    Q_OBJECT

private slots:
    void plainForms_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("rich");
        QTest::addColumn<QString>("plainTitle");
        QTest::addColumn<QString>("plainBody");

        QTest::newRow("rich record") << R"({\rtf1 Die {\b Sieben}\par})" << R"({\rtf1 Body\par more\par})" << true
                                     << "Die Sieben" << "Body\nmore";
        QTest::newRow("plain record keeps an rtf title") << R"({\rtf1 T})" << "plain\r\ntext" << false
                                                         << R"({\rtf1 T})" << "plain\r\ntext";
        QTest::newRow("rich text with a plain title") << "Plain title" << R"({\rtf1 x})" << true << "Plain title" << "x";
        QTest::newRow("blank before the brace is plain") << R"({\rtf1 T})" << R"( {\rtf1 x})" << false
                                                         << R"({\rtf1 T})" << R"( {\rtf1 x})";
        QTest::newRow("umlauts in the stored string")
            << QString::fromUtf8(R"({\rtf1 Grüße})") << QString::fromUtf8(R"({\rtf1\'e4 und ä})") << true
            << QString::fromUtf8("Grüße") << QString::fromUtf8("ä und ä");
        QTest::newRow("empty") << "" << "" << false << "" << "";
    }

    void plainForms()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, rich);
        QFETCH(QString, plainTitle);
        QFETCH(QString, plainBody);
        QCOMPARE(IsRichText(text), rich);
        QCOMPARE(StoredFormat(text), rich ? StreamFormat::Rtf : StreamFormat::PlainText);
        QCOMPARE(PlainTitle(title, text), plainTitle);
        QCOMPARE(PlainBody(text), plainBody);
    }

    void plainStreamIn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blocks");

        QTest::newRow("windows line ends") << QByteArray("one\r\ntwo\r\n") << "one\ntwo\n" << 3;
        QTest::newRow("mixed line ends") << QByteArray("a\rb\nc") << "a\nb\nc" << 3;
        QTest::newRow("utf-8") << QByteArray("Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac") << QString::fromUtf8("Grüße €") << 1;
        QTest::newRow("control characters dropped") << QByteArray("a\x01\tb\x7f") << "a\tb" << 1;
        QTest::newRow("braces stay text") << QByteArray("{\\rtf1 x}") << "{\\rtf1 x}" << 1;
    }

    void plainStreamIn()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, blocks);
        QTextDocument document;
        streamIn(document, StreamFormat::Rtf, QByteArray(R"({\rtf1\qc\b old})"));
        streamIn(document, StreamFormat::PlainText, bytes);
        QCOMPARE(document.toPlainText(), text);
        QCOMPARE(document.blockCount(), blocks);
        // Replacing leaves nothing of the old content's formats.
        QCOMPARE(document.begin().blockFormat().alignment() & Qt::AlignHCenter, Qt::Alignment());
        QCOMPARE(QTextCursor(&document).charFormat().fontWeight(), int(QFont::Normal));
    }

    // The display of one record: the title replaces the pane's content, two line
    // ends and the text are inserted at the caret, each in its own format.
    void showsTitleAndText()
    {
        QTextEdit pane;
        pane.setPlainText("old content");
        const QString title = QStringLiteral(R"({\rtf1{\fonttbl{\f0 Arial;}}\qc\b Die Sieben\par})");
        const QString body = QStringLiteral(R"({\rtf1{\fonttbl{\f0 Arial;}}\pard Menschen der \i Sieben\i0 .\par})");
        streamInText(pane, int(StoredFormat(title)), title);
        pane.moveCursor(QTextCursor::End);
        streamInText(pane, int(StreamFormat::PlainText) | kStreamSelection, QStringLiteral("\r\n\r\n"));
        pane.moveCursor(QTextCursor::End);
        streamInText(pane, int(StoredFormat(body)) | kStreamSelection, body);
        QCOMPARE(rtftest::describe(*pane.document()),
                 QStringLiteral("c|[b]Die Sieben\nc|mark[b]\nl|[]Menschen der [i]Sieben[]."));
        QCOMPARE(pane.textCursor().position(), pane.document()->characterCount() - 1);
        // A plain body goes in as text, braces and all.
        streamInText(pane, int(StoredFormat(QStringLiteral("a {b}"))) | kStreamSelection, QStringLiteral("a {b}"));
        QVERIFY(pane.toPlainText().endsWith(QStringLiteral("Sieben.a {b}")));
    }

    void streamsOut()
    {
        QTextEdit pane;
        streamInText(pane, int(StreamFormat::Rtf),
                     QByteArrayView(R"({\rtf1{\fonttbl{\f0 Arial;}}Gr\'fc\'dfe\par zwei\line drei\tab \u8364?})"));
        QCOMPARE(streamOutText(pane, int(StreamFormat::PlainText)), QString::fromUtf8("Grüße\nzwei\ndrei\t€").toUtf8());

        QTextCursor cursor = pane.textCursor();
        cursor.setPosition(3);
        cursor.setPosition(9, QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
        QCOMPARE(streamOutText(pane, int(StreamFormat::PlainText) | kStreamSelection), QString::fromUtf8("ße\nzwe").toUtf8());
        const QByteArray rtf = streamOutText(pane, int(StreamFormat::Rtf) | kStreamSelection);
        QCOMPARE(RtfToPlainText(QString::fromLatin1(rtf)), QString::fromUtf8("ße\nzwe"));
        // The whole content when no selection is asked for.
        QCOMPARE(RtfToPlainText(QString::fromLatin1(streamOutText(pane, int(StreamFormat::Rtf)))),
                 QString::fromUtf8("Grüße\nzwei\ndrei\t€"));
    }

    void writesFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QTextDocument document;
        streamIn(document, StreamFormat::Rtf, QByteArray(R"({\rtf1{\fonttbl{\f0 Arial;}}\b Chart\par \u945?})"));
        for (const StreamFormat format : {StreamFormat::Rtf, StreamFormat::PlainText}) {
            const QString path = dir.filePath(format == StreamFormat::Rtf ? "Chart.rtf" : "Chart.txt");
            QFile(path).open(QIODevice::WriteOnly); // an older, longer file is replaced
            const Status status = streamOutToFile(document, format, path);
            QVERIFY2(status.ok(), qPrintable(status.error()));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), streamOut(document, format));
        }
        // Guards against a failed export being reported as success.
        const QString unwritable = dir.filePath("missing/folder/Chart.rtf");
        const Status status = streamOutToFile(document, StreamFormat::Rtf, unwritable);
        QVERIFY(!status.ok());
        QVERIFY2(status.error().contains(unwritable), qPrintable(status.error()));
        QVERIFY(!QFile::exists(unwritable));
    }
};

QTEST_MAIN(TestRtfStoredText)
#include "tst_rtfstoredtext.moc"
