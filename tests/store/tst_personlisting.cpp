// Person lists read a window at a time: the windows, positions and searches
// must agree with the whole listings they stand for, on names that are
// missing, differ only in case, repeat, or lie outside ASCII.

#include "store/personlisting.h"
#include "store/store.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quadrivium;

namespace {

QString lastAndFirst(const PersonRow &row)
{
    return row.name + QLatin1Char('|') + row.first;
}

QString firstThenLast(const PersonRow &row)
{
    return row.displayName();
}

QString lastThenFirst(const PersonRow &row)
{
    if (row.folder || row.first.isEmpty())
        return row.name;
    return row.name.isEmpty() ? row.first : row.name + QStringLiteral(", ") + row.first;
}

std::vector<int> idsOf(const std::vector<PersonRow> &rows)
{
    std::vector<int> ids;
    for (const PersonRow &row : rows)
        ids.push_back(row.id);
    return ids;
}

} // namespace

class TestPersonListing : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    static constexpr int kGroupKey = -2;

    PersonListing listing(const QString &which) const
    {
        if (which == QLatin1String("persons"))
            return PersonListing::persons(m_path);
        return PersonListing::level(m_path, which == QLatin1String("top") ? kTopLevelKey : kGroupKey);
    }

    std::vector<PersonRow> whole(const QString &which) const
    {
        const PersonStore store(m_path);
        if (which == QLatin1String("persons"))
            return store.listPersons().value();
        return store.listLevel(which == QLatin1String("top") ? kTopLevelKey : kGroupKey).value();
    }

    void addListings()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("every person") << "persons";
        QTest::newRow("top level") << "top";
        QTest::newRow("a group") << "group";
    }

private slots:
    void initTestCase()
    {
        m_path = m_dir.filePath(QStringLiteral("p1.mdb"));
        // Written as older files hold them: missing names as null or empty,
        // names in both cases, the same names twice, two groups.
        QVERIFY(CreatePersonsDatabase(m_path, [](Connection &db) {
            db.exec(QStringLiteral(
                "INSERT INTO Data (Name, Vorname, Geburtsdatum, Zeit, Parent, Child, Folder) VALUES "
                "('Family', NULL, NULL, NULL, -1, -2, -1), ('club', NULL, NULL, NULL, -1, -3, -1),"
                "('smith', 'anna', 20000, 0, -1, 0, 0), ('Smith', 'Anna', 20001, 0, -1, 0, 0),"
                "('Smith', 'Anna', 20002, 0.5, -2, 0, 0), ('Smith', NULL, 20003, 0, -1, 0, 0),"
                "(NULL, 'Cher', 20004, 0, -1, 0, 0), ('Özdemir', 'Ece', 20005, 0, -2, 0, 0),"
                "('Adams', 'Zoe', 20006, 0, -2, 0, 0), ('Zander', 'Al', 20007, 0, -1, 0, 0),"
                "('Adams', 'Zoe', 20008, 0, -1, 0, 0), ('', 'Empty', 20009, 0, -1, 0, 0),"
                "('Muller', 'Bo', 20010, 0, -3, 0, 0), ('Percy_100%', 'Ann', 20011, 0, -2, 0, 0)"));
        }).ok());
    }

    // Windows of any size, laid end to end, give the whole listing in its
    // order, and each row is found at its position.
    void windowsAndPositionsAgreeWithWholeListing_data() { addListings(); }
    void windowsAndPositionsAgreeWithWholeListing()
    {
        QFETCH(QString, which);
        const std::vector<PersonRow> all = whole(which);
        QVERIFY(all.size() >= 3);
        const PersonListing rows = listing(which);
        QCOMPARE(rows.count().value(), int(all.size()));
        for (int window : {1, 2, 5, 100}) {
            std::vector<PersonRow> joined;
            for (int at = 0; at < int(all.size()); at += window) {
                const auto part = rows.rows(at, window);
                QVERIFY(part.ok());
                joined.insert(joined.end(), part->begin(), part->end());
            }
            QCOMPARE(idsOf(joined), idsOf(all));
        }
        for (int i = 0; i < int(all.size()); ++i) {
            QCOMPARE(rows.positionOf(all[size_t(i)].id).value(), std::optional<int>(i));
            QCOMPARE(lastAndFirst(rows.rows(i, 1)->front()), lastAndFirst(all[size_t(i)]));
        }
        QVERIFY(rows.rows(int(all.size()), 10)->empty());
    }

    // A row of another listing has no position: a group in the list of
    // persons, a person of another level.
    void rowsOfOtherListingsHaveNoPosition_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("name");
        QTest::newRow("group among persons") << "persons" << "Family";
        QTest::newRow("person of a group at the top") << "top" << "Özdemir";
        QTest::newRow("person of another group") << "group" << "Muller";
        QTest::newRow("no such row") << "persons" << "Nobody";
    }
    void rowsOfOtherListingsHaveNoPosition()
    {
        QFETCH(QString, which);
        QFETCH(QString, name);
        int id = 999;
        for (int key : {kTopLevelKey, -2, -3}) {
            const auto level = PersonStore(m_path).listLevel(key);
            for (const PersonRow &row : level.value())
                if (row.name == name)
                    id = row.id;
        }
        const auto found = listing(which).positionOf(id);
        QVERIFY(found.ok());
        QVERIFY(!found.value());
    }

    // Searching: the first match at or after the start, then from the top;
    // letter case ignored also outside ASCII; an exact search only finds the
    // text as it is.
    void find_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("exactly");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("expected"); // last|first of the row found; empty: none

        // Every person by display name: Cher, Empty, Zoe Adams (twice), Bo
        // Muller, Ann Percy_100%, Smith, anna smith, Anna Smith (twice), Al
        // Zander, Ece Özdemir.
        QTest::newRow("start of a name, any case") << "persons" << "ANNA" << false << 0 << "smith|anna";
        QTest::newRow("next match after the start") << "persons" << "anna" << false << 8 << "Smith|Anna";
        QTest::newRow("wraps round to the top") << "persons" << "zoe" << false << 9 << "Adams|Zoe";
        QTest::newRow("case outside ASCII") << "group" << "öz" << false << 0 << "Özdemir|Ece";
        QTest::newRow("name and first name") << "top" << "Smith, A" << false << 0 << "smith|anna";
        QTest::newRow("missing last name") << "top" << "cher" << false << 0 << "|Cher";
        QTest::newRow("groups are rows of the level") << "top" << "clu" << false << 0 << "club|";
        QTest::newRow("typed wildcards are letters") << "group" << "percy_100%, a" << false << 0 << "Percy_100%|Ann";
        QTest::newRow("no match") << "persons" << "Xavier" << false << 0 << "";
        QTest::newRow("exact display name") << "persons" << "Anna Smith" << true << 0 << "Smith|Anna";
        QTest::newRow("exact is case-sensitive") << "persons" << "anna Smith" << true << 0 << "";
    }
    void find()
    {
        QFETCH(QString, which);
        QFETCH(QString, text);
        QFETCH(bool, exactly);
        QFETCH(int, from);
        QFETCH(QString, expected);
        const PersonListing rows = listing(which);
        const PersonListing::RowText rowText = which == QLatin1String("persons") ? firstThenLast : lastThenFirst;
        const auto found = rows.find(text, exactly ? PersonListing::Match::Exactly : PersonListing::Match::StartsWith,
                                     from, rowText);
        QVERIFY2(found.ok(), qPrintable(found.error()));
        if (expected.isEmpty()) {
            QVERIFY(!found.value());
            return;
        }
        QVERIFY(found.value());
        const std::vector<PersonRow> all = whole(which);
        QCOMPARE(lastAndFirst(all[size_t(*found.value())]), expected);
        // No row between the start and the one found matches.
        const int end = *found.value() >= from ? *found.value() : int(all.size());
        for (int i = from; !exactly && i < end; ++i)
            QVERIFY(!rowText(all[size_t(i)]).startsWith(text, Qt::CaseInsensitive));
    }

    void missingFileIsReported()
    {
        const PersonListing rows = PersonListing::persons(m_dir.filePath(QStringLiteral("none.mdb")));
        QVERIFY(rows.count().error().contains(QStringLiteral("no such file")));
        QVERIFY(!rows.rows(0, 5).ok());
        QVERIFY(!rows.positionOf(1).ok());
    }
};

QTEST_GUILESS_MAIN(TestPersonListing)
#include "tst_personlisting.moc"
