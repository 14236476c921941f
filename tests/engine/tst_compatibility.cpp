#include "engine/compatibility.h"
#include "engine/reduce.h"

#include <QTest>

using namespace quadrivium;

namespace {

struct Person {
    CoreNumberSet numbers;
    ChartGrid grid;
};

Person person(const char *windows1252Name, int year, int month, int day)
{
    const auto birth = DateTimeValue::fromFields(year, month, day);
    const auto core = FillCoreNumbers(windows1252Name, birth, [] { return CivilDate{2026, 12, 7}; });
    const auto grid = ComputeChartGrid(birth);
    if (!core || !grid)
        qFatal("no reading for %s", windows1252Name);
    return {core->numbers, *grid};
}

QStringList relations(const Compatibility &c)
{
    QStringList out;
    for (const ComparedPair &p : c.pairs)
        out << QStringLiteral("%1 %2-%3 %4")
                   .arg(CompareRoleKey(p.role))
                   .arg(p.a)
                   .arg(p.b)
                   .arg(p.relation ? RelationKey(*p.relation) : "none");
    return out;
}

QStringList lineNames(const std::vector<int> &indexes)
{
    QStringList out;
    for (int i : indexes)
        out << QString::fromLatin1(ChartLines()[std::size_t(i)].digitText);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(Person)

class TestCompatibility : public QObject {
    Q_OBJECT
private slots:
    // The table must read the same from either side, or "compare A B" and
    // "compare B A" would tell two persons different stories.
    void tableIsSymmetricAndGroupsAreNatural()
    {
        const QList<int> numbers{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 22};
        // 1-5-7, 2-4-8 (with 11 and 22) and 3-6-9
        auto group = [](int n) {
            n = ReduceToDigit(n);
            return n % 3 == 0 ? 2 : (n == 2 || n == 4 || n == 8) ? 1 : 0;
        };
        for (int a : numbers) {
            for (int b : numbers) {
                const auto ab = RelationOf(a, b);
                QVERIFY2(ab && ab == RelationOf(b, a), qPrintable(QStringLiteral("%1-%2").arg(a).arg(b)));
                QCOMPARE(*ab == Relation::Natural, group(a) == group(b));
            }
        }
    }

    void table_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("relation");
        QTest::newRow("same group 1-7") << 1 << 7 << "natural";
        QTest::newRow("1-3 compatible") << 1 << 3 << "compatible";
        QTest::newRow("2-9 neutral") << 2 << 9 << "neutral";
        QTest::newRow("4-5 challenging") << 4 << 5 << "challenging";
        QTest::newRow("master 11 as 2, with 6") << 11 << 6 << "compatible";
        QTest::newRow("master 22 as 4, with 7") << 22 << 7 << "compatible";
        QTest::newRow("masters 11 and 22") << 11 << 22 << "natural";
        QTest::newRow("no number") << 0 << 5 << "none";
    }

    void table()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, relation);
        const auto r = RelationOf(a, b);
        QCOMPARE(QString::fromLatin1(r ? RelationKey(*r) : "none"), relation);
    }

    void pairs_data()
    {
        QTest::addColumn<Person>("a");
        QTest::addColumn<Person>("b");
        QTest::addColumn<QStringList>("relations");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("together");

        const Person lena = person("Lena Vogel", 1951, 3, 6);
        const Person kaethe = person("K\xE4the Gro\xDF", 1980, 9, 29);
        const Person joerg = person("J\xF6rg M\xFCller", 1966, 11, 19);
        // Lena: ruling 7, day 6, fate 8, appearance 4, dominant 3, present 3-6-9 and 1-5-9.
        // Käthe: ruling 11, day 29 (2), fate 8, appearance 2, dominant 1, missing 4-5-6 and 3-5-7.
        // Their grids together fill 2-5-8 (Käthe's 2 and 8, Lena's 5) and 1-2-3
        // (both 1s, Käthe's 2, Lena's 3), which neither forms alone.
        QTest::newRow("two lines completed by the other") << lena << kaethe
            << QStringList{"ruling 7-11 challenging", "day 6-2 compatible", "fate 8-8 natural",
                           "appearance 4-2 natural", "dominant 3-1 compatible"}
            << QStringList{"111", "2", "3", "", "5", "6", "", "8", "9999"}
            << QStringList{"2-5-8", "1-2-3"};
        // Jörg: ruling 7, day 19 (1), fate 6, appearance 9, dominant 6; only 3-5-7 stays empty.
        QTest::newRow("master ruling number, nothing completed") << kaethe << joerg
            << QStringList{"ruling 11-7 challenging", "day 2-1 challenging", "fate 8-6 compatible",
                           "appearance 2-9 neutral", "dominant 1-6 challenging"}
            << QStringList{"11111", "2", "", "", "", "66", "", "8", "99999"}
            << QStringList{};
    }

    void pairs()
    {
        QFETCH(Person, a);
        QFETCH(Person, b);
        QFETCH(QStringList, relations);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, together);

        const Compatibility ab = ComputeCompatibility(a.numbers, a.grid, b.numbers, b.grid);
        QCOMPARE(::relations(ab), relations);
        QStringList gotCells;
        for (int d = 1; d <= 9; ++d)
            gotCells << QString::fromStdString(ab.chart.together.m_strCell[std::size_t(d)]);
        QCOMPARE(gotCells, cells);
        QCOMPARE(lineNames(ab.chart.linesTogether), together);

        // The other way round: the same relations and lines, the sides swapped.
        const Compatibility ba = ComputeCompatibility(b.numbers, b.grid, a.numbers, a.grid);
        for (std::size_t i = 0; i < ab.pairs.size(); ++i) {
            QCOMPARE(ba.pairs[i].a, ab.pairs[i].b);
            QCOMPARE(ba.pairs[i].b, ab.pairs[i].a);
            QCOMPARE(ba.pairs[i].relation, ab.pairs[i].relation);
        }
        QCOMPARE(ba.chart.linesTogether, ab.chart.linesTogether);
        QCOMPARE(ba.chart.linesA, ab.chart.linesB);
    }

    void textNumbersAreDistinct()
    {
        QSet<int> ids;
        for (CompareRole role : kCompareRoles)
            for (Relation relation : kRelations)
                ids.insert(RelationNumberID(role, relation));
        for (std::size_t i = 0; i < ChartLines().size(); ++i)
            if (!ChartLines()[i].missing)
                ids.insert(LineTogetherNumberID(int(i)));
        QCOMPARE(ids.size(), int(kCompareRoles.size() * kRelations.size() + 8));
        QVERIFY(!ids.contains(1)); // the introduction's record
    }
};

QTEST_APPLESS_MAIN(TestCompatibility)
#include "tst_compatibility.moc"
