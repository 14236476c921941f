// The record-set layer: the filter dialect and the moves and writes of a set.

#include "store/store.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quadrivium;

namespace {

enum { Name, Rank, Flag, When };

std::vector<FieldBinding> fields()
{
    return {{QStringLiteral("Name"), FieldKind::Text},
            {QStringLiteral("Rank"), FieldKind::Integer},
            {QStringLiteral("Flag"), FieldKind::Boolean},
            {QStringLiteral("When"), FieldKind::DateTime}};
}

const QString kCreateTable
    = QStringLiteral("CREATE TABLE [T] ([Name] TEXT, [Rank] INTEGER, [Flag] INTEGER, [When] REAL);");

// A new file in `dir` with table T, filled by `sql`.
QString tableFile(const QTemporaryDir &dir, const QString &sql)
{
    const QString path = dir.filePath(QStringLiteral("t.mdb"));
    const Status made = CreateDatabaseFile(path, [&](Connection &db) { db.exec(kCreateTable + sql); });
    if (!made)
        qFatal("cannot create %s: %s", qPrintable(path), qPrintable(made.error()));
    return path;
}

} // namespace

class TestRecordSet : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath(QStringLiteral("rs.mdb"));
        QVERIFY(CreateDatabaseFile(m_path, [](Connection &db) {
            db.exec(kCreateTable);
            RecordSet set(db, QStringLiteral("[T]"), fields());
            set.open();
            const char *names[] = {"delta", "alpha", "charlie", "bravo", "echo"};
            for (int i = 0; i < 5; ++i) {
                set.addNew();
                set.setText(Name, QString::fromLatin1(names[i]));
                set.setInteger(Rank, i);
                set.setBoolean(Flag, i % 2 == 1);
                set.setDateTime(When, i == 0 ? DateTimeValue::null() : DateTimeValue::fromFields(2000, 1, i));
                set.update();
            }
        }).ok());
    }

    void translateFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("orderBy");
        QTest::newRow("true") << "Folder = True" << "Folder = -1" << "";
        QTest::newRow("false any case") << "ID = 3 AND Folder = false" << "ID = 3 AND Folder = 0" << "";
        QTest::newRow("order by split off") << "Folder=True ORDER BY Child DESC" << "Folder=-1" << "Child DESC";
        QTest::newRow("true inside a literal") << "Name = 'True'" << "Name = 'True'" << "";
        QTest::newRow("doubled apostrophe") << "Name = 'O''Brien' AND Folder = True"
                                            << "Name = 'O''Brien' AND Folder = -1" << "";
        QTest::newRow("bracketed name") << "[True] = 1 And [Name] Is Null" << "[True] = 1 And [Name] Is Null" << "";
        QTest::newRow("word containing true") << "Trueness = 1" << "Trueness = 1" << "";
        QTest::newRow("order by in a literal") << "Name = 'x ORDER BY y'" << "Name = 'x ORDER BY y'" << "";
        QTest::newRow("empty") << "" << "" << "";
    }

    void translateFilter()
    {
        QFETCH(QString, filter);
        QFETCH(QString, where);
        QFETCH(QString, orderBy);
        const SqlCondition condition = TranslateFilter(filter);
        QCOMPARE(condition.where, where);
        QCOMPARE(condition.orderBy, orderBy);
    }

    void tableOfSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("table");
        QTest::newRow("bracketed") << "[Data]" << "Data";
        QTest::newRow("bare") << "Data" << "Data";
        QTest::newRow("select star") << "Select * From [Herrschende_Namenszahl]" << "Herrschende_Namenszahl";
        QTest::newRow("other sql") << "SELECT Name FROM Data WHERE ID = 1" << "";
    }

    void tableOfSource()
    {
        QFETCH(QString, source);
        QFETCH(QString, table);
        QCOMPARE(TableOfSource(source), table);
    }

    void filterSortAndMoves()
    {
        Connection db(m_path);
        RecordSet set(db, QStringLiteral("Select * From [T]"), fields());
        set.setFilter(QStringLiteral("Flag = False"));
        set.setSort(QStringLiteral("Name"));
        set.open();
        QStringList seen;
        for (; !set.isEOF(); set.moveNext())
            seen << set.text(Name);
        QCOMPARE(seen, (QStringList{"charlie", "delta", "echo"}));
        set.moveLast();
        QCOMPARE(set.text(Name), QStringLiteral("echo"));
        set.moveNext();
        QVERIFY(set.isEOF());
        set.moveFirst();
        QCOMPARE(set.text(Name), QStringLiteral("charlie"));
        QVERIFY(set.findFirst(QStringLiteral("Rank > 2")));
        QCOMPARE(set.text(Name), QStringLiteral("echo"));
        QVERIFY(!set.findFirst(QStringLiteral("Rank = 1")));
        QVERIFY(set.isEOF());
    }

    void valuesOfEachKind()
    {
        Connection db(m_path);
        RecordSet set(db, QStringLiteral("[T]"), fields());
        set.setSort(QStringLiteral("Flag, Rank")); // true (-1) sorts first
        set.open();
        QCOMPARE(set.text(Name), QStringLiteral("alpha"));
        QVERIFY(set.boolean(Flag));
        QCOMPARE(set.dateTime(When), DateTimeValue::fromFields(2000, 1, 1));
        set.moveNext();
        QCOMPARE(set.text(Name), QStringLiteral("bravo"));
        set.moveNext();
        QCOMPARE(set.text(Name), QStringLiteral("delta"));
        QVERIFY(!set.boolean(Flag));
        QVERIFY(set.isNull(When));
        QCOMPARE(set.dateTime(When).status(), DateTimeValue::Status::Null);
        Statement raw(db, QStringLiteral("SELECT Flag FROM T WHERE Name = 'alpha'"));
        QVERIFY(raw.step());
        QCOMPARE(raw.integer(0), -1LL);
    }

    // Regression: rows written while walking a set were met again when the
    // write moved them further along the sort, so a rename pass never ended
    // or renamed twice.
    void writesDuringAWalkVisitEachRowOnce()
    {
        QTemporaryDir dir;
        Connection db(tableFile(dir, "CREATE INDEX T_Name ON T(Name); INSERT INTO T (Name) VALUES ('a'), ('b'), ('c')"));
        RecordSet set(db, QStringLiteral("[T]"), fields());
        set.setSort(QStringLiteral("Name"));
        set.open();
        int visits = 0;
        for (; !set.isEOF() && visits < 10; set.moveNext(), ++visits) {
            set.edit();
            set.setText(Name, QStringLiteral("z") + set.text(Name));
            set.update();
        }
        QCOMPARE(visits, 3);
        set.moveFirst();
        QStringList names;
        for (; !set.isEOF(); set.moveNext())
            names << set.text(Name);
        QCOMPARE(names, (QStringList{"za", "zb", "zc"}));
    }

    void deleteThenMoveOn()
    {
        QTemporaryDir dir;
        Connection db(tableFile(dir, "INSERT INTO T (Name, Rank) VALUES ('a', 1), ('b', 2), ('c', 3)"));
        RecordSet set(db, QStringLiteral("[T]"), fields());
        set.open();
        set.moveNext();
        set.deleteCurrent();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, set.text(Name));
        set.moveNext();
        QCOMPARE(set.text(Name), QStringLiteral("c"));
        set.close();
        set.open();
        QCOMPARE(set.text(Name), QStringLiteral("a"));
        set.moveNext();
        QCOMPARE(set.text(Name), QStringLiteral("c"));
    }

    void misuseIsAnError()
    {
        Connection db(m_path);
        RecordSet set(db, QStringLiteral("[T]"), fields());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, set.moveNext());
        set.setFilter(QStringLiteral("Rank = 99"));
        set.open();
        QVERIFY(set.isEOF());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, set.edit());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, set.setText(Name, QStringLiteral("x")));
        set.setFilter(QStringLiteral("No_Such_Column = 1"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, set.open());
        RecordSet view(db, QStringLiteral("SELECT Name, Rank, Flag, [When] FROM T"), fields());
        view.open();
        QVERIFY(!view.isEOF());
        QVERIFY_THROWS_EXCEPTION(DatabaseError, view.edit());
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
