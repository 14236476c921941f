// The text store on real files: table numbers, lookups, the title list's
// position rule, the editor's writes and the heading records.

#include "store/store.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quadrivium;

namespace {

TextRecord text(int numberId, const QString &title, const QString &body)
{
    return TextRecord{QString::number(numberId), title, body, title, numberId};
}

} // namespace

class TestTextStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString makeDatabase()
    {
        const QString path = m_dir.filePath(QStringLiteral("t%1.mdb").arg(++m_files));
        const Status made = CreateTextDatabase(path, [](Connection &db) {
            InsertText(db, 0, text(1, QStringLiteral("Welcome"), QStringLiteral("Intro one")));
            InsertText(db, 0, text(2, QStringLiteral("Chart intro"), QStringLiteral("Intro two")), 7);
            InsertText(db, 4, text(1, QStringLiteral("One"), QStringLiteral("Ruling one")));
            InsertText(db, 4, text(22, QStringLiteral("Master"), QStringLiteral("{\\rtf1 Twenty-two}")));
            InsertText(db, 5, text(12, QStringLiteral("Ζ twelve"), QStringLiteral("Zahlen zwölf")));
            InsertText(db, 11, text(1, QStringLiteral("Name"), QStringLiteral("old")));
        });
        if (!made)
            qFatal("%s", qPrintable(made.error()));
        return path;
    }

private slots:
    void tables_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("source");
        QTest::newRow("8") << 8 << "Herrschende_Namenszahl" << "Select * From [Herrschende_Namenszahl]";
        QTest::newRow("11 bare table") << 11 << "TitleListe" << "[TitleListe]";
        QTest::newRow("negative is Intro") << -1 << "Intro" << "Select * From [Intro]";
        QTest::newRow("past the last is Intro") << kTextTableCount << "Intro" << "Select * From [Intro]";
    }

    void tables()
    {
        QFETCH(int, table);
        QFETCH(QString, name);
        QFETCH(QString, source);
        QCOMPARE(TextTableName(table), name);
        QCOMPARE(TextTableSource(table), source);
        if (table >= 0 && table < kTextTableCount)
            QCOMPARE(TextTableNumber(name), table);
    }

    void listPosition_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("numberId");
        QTest::newRow("ruling first") << 4 << 0 << 1;
        QTest::newRow("ruling nine") << 4 << 8 << 9;
        QTest::newRow("master 11") << 4 << 9 << 11;
        QTest::newRow("master 22") << 4 << 10 << 22;
        QTest::newRow("other table position 9") << 5 << 9 << 10;
    }

    void listPosition()
    {
        QFETCH(int, table);
        QFETCH(int, position);
        QFETCH(int, numberId);
        QCOMPARE(NumberIdForListPosition(table, position), numberId);
    }

    void readGivesEveryField()
    {
        const TextStore store(makeDatabase());
        const auto found = store.read(5, 12);
        QVERIFY2(found.ok(), qPrintable(found.error()));
        QVERIFY(found->has_value());
        const TextRecord &r = **found;
        QCOMPARE(r.textId, QStringLiteral("12"));
        QCOMPARE(r.title, QStringLiteral("Ζ twelve"));
        QCOMPARE(r.text, QStringLiteral("Zahlen zwölf"));
        QCOMPARE(r.titleText, QStringLiteral("Ζ twelve"));
        QCOMPARE(r.numberId, 12);
        QVERIFY(!r.isRtf());
        QVERIFY((*store.read(4, 22))->isRtf());
        QVERIFY(!store.read(5, 13)->has_value());
        // Numbers outside 1..11 read the Intro table.
        QCOMPARE((*store.read(42, 2))->title, QStringLiteral("Chart intro"));
    }

    void listAndIntroId()
    {
        const QString path = makeDatabase();
        const auto ruling = TextStore(path).list(4);
        QVERIFY(ruling.ok());
        QCOMPARE(ruling->size(), std::size_t(2));
        QCOMPARE(ruling->at(1).numberId, 22);
        CDao dao(path);
        dao.SetTable(0);
        dao.setFilter(QStringLiteral("ID = 7"));
        dao.open();
        QVERIFY(!dao.isEOF());
        QCOMPARE(dao.record().numberId, 2);
    }

    void editorWrites()
    {
        const TextStore store(makeDatabase());
        QVERIFY(store.write(5, text(12, QStringLiteral("{\\rtf1 T}"), QStringLiteral("{\\rtf1 new body}"))).ok());
        QCOMPARE((*store.read(5, 12))->text, QStringLiteral("{\\rtf1 new body}"));
        QCOMPARE(store.list(5)->size(), std::size_t(1));
        // Regression: saving a text whose record did not exist yet lost the edit.
        QVERIFY(store.write(6, text(3, QStringLiteral("Fate 3"), QStringLiteral("body 3"))).ok());
        QCOMPARE((*store.read(6, 3))->text, QStringLiteral("body 3"));
        // Saving an empty text deletes the record.
        QVERIFY(store.write(5, text(12, QString(), QString())).ok());
        QVERIFY(!store.read(5, 12)->has_value());
        QVERIFY(store.write(5, text(12, QString(), QString())).ok());
    }

    void missingFileIsAnError()
    {
        const auto found = TextStore(m_dir.filePath(QStringLiteral("none.mdb"))).read(0, 1);
        QVERIFY(!found.ok());
        QVERIFY(found.error().contains(QStringLiteral("none.mdb")));
    }
};

QTEST_GUILESS_MAIN(TestTextStore)
#include "tst_textstore.moc"
