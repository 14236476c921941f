// The text source format: what it accepts, the faults it names, and that
// writing and reading it again gives the same records.

#include "store/textsource.h"

#include <QTest>

using namespace quadrivium;

class TestTextSource : public QObject {
    Q_OBJECT
private slots:
    void parses()
    {
        const QString text = QStringLiteral("# comment\n\n@@ 11\nTitle: Master Eleven \n\nFirst para.\n\n"
                                            "Second para.\n@@ 2\nTitle: Two\nBody of two.\r\n");
        const auto records = ParseTextSource(text, QStringLiteral("Rulingnumber.txt"));
        QVERIFY2(records.ok(), qPrintable(records.error()));
        QCOMPARE(records->size(), std::size_t(2));
        QCOMPARE((*records)[0].numberId, 2); // sorted
        QCOMPARE((*records)[0].body, QStringLiteral("Body of two."));
        QCOMPARE((*records)[1].numberId, 11);
        QCOMPARE((*records)[1].title, QStringLiteral("Master Eleven"));
        QCOMPARE((*records)[1].body, QStringLiteral("First para.\n\nSecond para."));
        QCOMPARE((*records)[1].line, 3);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");

        QTest::newRow("duplicate number") << "@@ 1\nTitle: A\nx\n@@ 1\nTitle: B\ny\n"
                                          << "T.txt:4: record 1 appears twice (first at line 1)";
        QTest::newRow("empty title") << "@@ 1\nTitle:  \nx\n" << "T.txt:2: record 1 has an empty title";
        QTest::newRow("no title line") << "@@ 1\nx\n" << "T.txt:2: record 1 needs a line \"Title: ...\"";
        QTest::newRow("empty body") << "@@ 1\nTitle: A\n\n@@ 2\nTitle: B\ny\n" << "T.txt:1: record 1 has no text";
        QTest::newRow("empty last body") << "@@ 1\nTitle: A\nx\n@@ 2\nTitle: B\n\n" << "T.txt:4: record 2 has no text";
        QTest::newRow("bad number") << "@@ one\nTitle: A\nx\n" << "T.txt:1: expected \"@@ <number>\"";
        QTest::newRow("negative number") << "@@ -1\nTitle: A\nx\n" << "T.txt:1: expected \"@@ <number>\"";
        QTest::newRow("text before records") << "stray\n@@ 1\nTitle: A\nx\n"
                                             << "T.txt:1: text before the first \"@@\" record";
    }

    void faults()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const auto records = ParseTextSource(text, QStringLiteral("T.txt"));
        QVERIFY(!records.ok());
        QCOMPARE(records.error(), message);
    }

    // A body line beginning with "@@" would split a record when read back.
    void roundTrip()
    {
        std::vector<TextSourceRecord> records(2);
        records[0].numberId = 1;
        records[0].title = QStringLiteral("Größe 1");
        records[0].body = QStringLiteral("Line one\nLine two\n\n@@ not a record");
        records[1].numberId = 3;
        records[1].title = QStringLiteral("Three");
        records[1].body = QStringLiteral("Only");
        const QString text = FormatTextSource(5, records);
        const auto back = ParseTextSource(text, QStringLiteral("Zahlen.txt"));
        QVERIFY2(back.ok(), qPrintable(back.error()));
        QCOMPARE(back->size(), std::size_t(2));
        QCOMPARE((*back)[0].title, records[0].title);
        QCOMPARE((*back)[0].body, QStringLiteral("Line one\n\nLine two\n\n@@ not a record"));
        QCOMPARE((*back)[1].body, QStringLiteral("Only"));
        QCOMPARE(FormatTextSource(5, *back), text);
    }
};

QTEST_APPLESS_MAIN(TestTextSource)
#include "tst_textsource.moc"
