#include "engine/chartgrid.h"

#include <QTest>

using namespace quadrivium;

class TestChartGrid : public QObject {
    Q_OBJECT
private slots:
    void grid_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QList<int>>("counts");  // digits 0..9
        QTest::addColumn<QStringList>("cells");  // digits 1..9
        QTest::addColumn<QStringList>("lines");  // formed lines in walking order

        QTest::newRow("two present lines") << 1951 << 3 << 6 << QList<int>{2, 2, 0, 1, 0, 1, 1, 0, 0, 1}
            << QStringList{"11", "", "3", "", "5", "6", "", "", "9"}
            << QStringList{"present 3-6-9", "present 1-5-9"};
        QTest::newRow("three missing lines") << 1911 << 11 << 11 << QList<int>{0, 7, 0, 0, 0, 0, 0, 0, 0, 1}
            << QStringList{"1111111", "", "", "", "", "", "", "", "9"}
            << QStringList{"missing 2-5-8", "missing 4-5-6", "missing 3-5-7"};
        QTest::newRow("partial rows form nothing") << 2000 << 12 << 29 << QList<int>{3, 1, 3, 0, 0, 0, 0, 0, 0, 1}
            << QStringList{"1", "222", "", "", "", "", "", "", "9"}
            << QStringList{"missing 4-5-6", "missing 3-5-7"};
        QTest::newRow("three present lines, none missing") << 1987 << 5 << 26 << QList<int>{1, 1, 1, 0, 0, 1, 1, 1, 1, 1}
            << QStringList{"1", "2", "", "", "5", "6", "7", "8", "9"}
            << QStringList{"present 2-5-8", "present 7-8-9", "present 1-5-9"};
        QTest::newRow("outer lines only") << 1987 << 3 << 24 << QList<int>{1, 1, 1, 1, 1, 0, 0, 1, 1, 1}
            << QStringList{"1", "2", "3", "4", "", "", "7", "8", "9"}
            << QStringList{"present 1-4-7", "present 1-2-3", "present 7-8-9"};
        // Births from 2000 on: the year gives no 1 and no 9, so the lines
        // missing 1-5-9, 1-4-7 and 7-8-9 appear, after the older four.
        QTest::newRow("2004-02-20") << 2004 << 2 << 20 << QList<int>{4, 0, 3, 0, 1, 0, 0, 0, 0, 0}
            << QStringList{"", "222", "", "4", "", "", "", "", ""}
            << QStringList{"missing 3-6-9", "missing 3-5-7", "missing 1-5-9", "missing 7-8-9"};
        QTest::newRow("2000-01-01") << 2000 << 1 << 1 << QList<int>{5, 2, 1, 0, 0, 0, 0, 0, 0, 0}
            << QStringList{"11", "2", "", "", "", "", "", "", ""}
            << QStringList{"missing 3-6-9", "missing 4-5-6", "missing 3-5-7", "missing 7-8-9"};
        QTest::newRow("2011-11-11") << 2011 << 11 << 11 << QList<int>{1, 6, 1, 0, 0, 0, 0, 0, 0, 0}
            << QStringList{"111111", "2", "", "", "", "", "", "", ""}
            << QStringList{"missing 3-6-9", "missing 4-5-6", "missing 3-5-7", "missing 7-8-9"};
        QTest::newRow("2022-02-22") << 2022 << 2 << 22 << QList<int>{2, 0, 6, 0, 0, 0, 0, 0, 0, 0}
            << QStringList{"", "222222", "", "", "", "", "", "", ""}
            << QStringList{"missing 3-6-9", "missing 4-5-6", "missing 3-5-7", "missing 1-5-9",
                           "missing 1-4-7", "missing 7-8-9"};
        // Every year from 1000 to 2999 has a 1 or a 2: an empty left column
        // needs an earlier year.
        QTest::newRow("0567-04-05") << 567 << 4 << 5 << QList<int>{3, 0, 0, 0, 1, 2, 1, 1, 0, 0}
            << QStringList{"", "", "", "4", "55", "6", "7", "", ""}
            << QStringList{"missing 1-2-3", "present 4-5-6"};
    }

    void grid()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QList<int>, counts);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, lines);

        const auto grid = ComputeChartGrid(DateTimeValue::fromFields(year, month, day));
        QVERIFY(grid);
        QList<int> gotCounts;
        for (auto c : grid->m_nDigitCount)
            gotCounts << c;
        QCOMPARE(gotCounts, counts);
        QStringList gotCells;
        for (int d = 1; d <= 9; ++d)
            gotCells << QString::fromStdString(grid->m_strCell[d]);
        QCOMPARE(gotCells, cells);
        QStringList gotLines;
        for (int i : LineWalkOrder()) {
            if (grid->m_bLine[i])
                gotLines << QStringLiteral("%1 %2").arg(ChartLines()[i].missing ? "missing" : "present",
                                                        ChartLines()[i].digitText);
        }
        QCOMPARE(gotLines, lines);
    }

    void cellNumberId_data()
    {
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("numberId");

        QTest::newRow("1 absent") << 1 << 0 << 1;
        QTest::newRow("1 once") << 1 << 1 << 2;
        QTest::newRow("1 four times") << 1 << 4 << 5;
        QTest::newRow("1 six times uses four") << 1 << 6 << 5;
        QTest::newRow("2 absent") << 2 << 0 << 6;
        QTest::newRow("5 three times") << 5 << 3 << 24;
        QTest::newRow("9 absent") << 9 << 0 << 41;
        QTest::newRow("9 seven times") << 9 << 7 << 45;
    }

    void cellNumberId()
    {
        QFETCH(int, digit);
        QFETCH(int, count);
        QFETCH(int, numberId);
        QCOMPARE(CellNumberID(digit, count), numberId);
    }

    // The walking order visits every line once, missing lines first, and each
    // line's text key is its line number.
    void lineTable()
    {
        const auto &lines = ChartLines();
        QStringList walked;
        for (int i : LineWalkOrder())
            walked << QStringLiteral("%1%2").arg(lines[i].missing ? "-" : "+", lines[i].digitText);
        QCOMPARE(walked, (QStringList{"-3-6-9", "-2-5-8", "-4-5-6", "-3-5-7", "-1-5-9", "-1-2-3",
                                      "-1-4-7", "-7-8-9", "+3-6-9", "+2-5-8", "+1-4-7", "+1-2-3",
                                      "+4-5-6", "+7-8-9", "+3-5-7", "+1-5-9"}));
        for (int i = 0; i < int(kChartLineCount); ++i) {
            QCOMPARE(lines[i].numberId, i + 1);
            QCOMPARE(lines[i].missing, i >= 8);
        }
        QCOMPARE(QString::fromLatin1(lines[9].label), QStringLiteral("Emotional Vulnerability"));
        QCOMPARE(lines[9].labelId, 7011);
    }

    void gridPositions()
    {
        // Columns are read bottom to top: 3 6 9 / 2 5 8 / 1 4 7.
        const int expected[3][3] = {{3, 6, 9}, {2, 5, 8}, {1, 4, 7}};
        for (int d = 1; d <= 9; ++d)
            QCOMPARE(expected[GridRow(d)][GridColumn(d)], d);
    }
};

QTEST_APPLESS_MAIN(TestChartGrid)
#include "tst_chartgrid.moc"
