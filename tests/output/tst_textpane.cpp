// Text records shown in a pane, plain and RTF, from a real text database.

#include "output/textpane.h"

#include "store/textstore.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace quadrivium;

static TextRecord record(int id, const QString &title, const QString &text)
{
    TextRecord r;
    r.numberId = id;
    r.textId = QString::number(id);
    r.title = title;
    r.text = text;
    r.titleText = title;
    return r;
}

class TestTextPane : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("Quadrivium.mdb"));
        const Status made = CreateTextDatabase(m_path, [](Connection &db) {
            InsertText(db, 6, record(1, QStringLiteral("Fate 1"), QStringLiteral("First line.\n\nSecond line.")));
            InsertText(db, 6, record(2, QStringLiteral("{\\rtf1\\ansi {\\b Fate} 2}"),
                                     QStringLiteral("{\\rtf1\\ansi Body with \\i italic\\i0  words.}")));
            InsertText(db, 6, record(3, QStringLiteral("{Braces}"), QStringLiteral("Plain body")));
            for (int id = 1; id <= 9; ++id)
                InsertText(db, 3, record(id, QStringLiteral("Curve %1").arg(id), QStringLiteral("Text %1").arg(id)));
        });
        QVERIFY2(made.ok(), qPrintable(made.error()));
    }

    void showText_data()
    {
        QTest::addColumn<int>("numberId");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<bool>("boldTitle");

        QTest::newRow("plain record") << 1 << "Fate 1\n\nFirst line.\n\nSecond line." << false;
        QTest::newRow("rtf record") << 2 << "Fate 2\n\nBody with italic words." << true;
        // Each piece is taken as RTF by its own first character.
        QTest::newRow("braced title of a plain record") << 3 << "Braces\n\nPlain body" << false;
    }

    void showText()
    {
        QFETCH(int, numberId);
        QFETCH(QString, plain);
        QFETCH(bool, boldTitle);

        QTextEdit pane;
        pane.setPlainText(QStringLiteral("old content"));
        const Status shown = ShowText(pane, TextStore(m_path), 6, numberId);
        QVERIFY2(shown.ok(), qPrintable(shown.error()));
        QCOMPARE(pane.toPlainText().trimmed(), plain);
        QCOMPARE(pane.textCursor().position(), 0);
        QTextCursor first(pane.document());
        first.setPosition(1);
        QCOMPARE(first.charFormat().fontWeight() > QFont::Normal, boldTitle);
    }

    void missingRecordKeepsContent()
    {
        QTextEdit pane;
        pane.setPlainText(QStringLiteral("old content"));
        QVERIFY(ShowText(pane, TextStore(m_path), 6, 42).ok());
        QCOMPARE(pane.toPlainText(), QStringLiteral("old content"));
    }

    void triple()
    {
        QTextEdit pane;
        pane.setPlainText(QStringLiteral("old content"));
        // Physical high (1), emotional switched off (0), intellectual low (3 -> 9).
        QVERIFY(ShowTextTriple(pane, TextStore(m_path), 3, 1, 0, 3).ok());
        const QString text = pane.toPlainText();
        QVERIFY(!text.contains(QStringLiteral("old content")));
        QVERIFY(text.startsWith(QStringLiteral("Curve 1")));
        QVERIFY(text.contains(QStringLiteral("Text 1")));
        QVERIFY(text.contains(QStringLiteral("Curve 9")));
        QVERIFY(!text.contains(QStringLiteral("Curve 4")));
        QVERIFY(text.indexOf(QStringLiteral("Curve 1")) < text.indexOf(QStringLiteral("Curve 9")));
    }

    void storeFailureComesBack()
    {
        QTextEdit pane;
        const Status shown = ShowText(pane, TextStore(m_dir.filePath(QStringLiteral("missing.mdb"))), 6, 1);
        QVERIFY(!shown.ok());
        QVERIFY(!shown.error().isEmpty());
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_MAIN(TestTextPane)
#include "tst_textpane.moc"
