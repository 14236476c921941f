#include "engine/pyramid.h"

#include <QTest>

using namespace quadrivium;

using Four = QList<int>;

class TestPyramid : public QObject {
    Q_OBJECT
private slots:
    void pyramid_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<Four>("sums"); // month, day, year
        QTest::addColumn<Four>("climaxes");
        QTest::addColumn<int>("ruling");
        QTest::addColumn<Four>("ages");
        QTest::addColumn<Four>("years");
        QTest::addColumn<QString>("firstText");

        QTest::newRow("6 March 1951") << 1951 << 3 << 6 << Four{3, 6, 7} << Four{9, 4, 4, 1} << 7
            << Four{29, 38, 47, 56} << Four{1980, 1989, 1998, 2007} << "29 (1980)";
        QTest::newRow("day sum 11, master 11") << 1980 << 9 << 29 << Four{9, 11, 9} << Four{2, 2, 4, 9}
            << 11 << Four{25, 34, 43, 52} << Four{2005, 2014, 2023, 2032} << "25 (2005)";
        QTest::newRow("day sum 10") << 1966 << 11 << 19 << Four{2, 10, 4} << Four{3, 5, 8, 6} << 7
            << Four{29, 38, 47, 56} << Four{1995, 2004, 2013, 2022} << "29 (1995)";
        QTest::newRow("31 December 1999") << 1999 << 12 << 31 << Four{3, 4, 1} << Four{7, 5, 3, 4} << 8
            << Four{28, 37, 46, 55} << Four{2027, 2036, 2045, 2054} << "28 (2027)";
        QTest::newRow("master 22") << 1982 << 1 << 1 << Four{1, 1, 2} << Four{2, 3, 5, 3} << 22
            << Four{14, 23, 32, 41} << Four{1996, 2005, 2014, 2023} << "14 (1996)";
        QTest::newRow("year below 1000") << 999 << 6 << 15 << Four{6, 6, 9} << Four{3, 6, 9, 6} << 3
            << Four{33, 42, 51, 60} << Four{1032, 1041, 1050, 1059} << "33 (1032)";
    }

    void pyramid()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(Four, sums);
        QFETCH(Four, climaxes);
        QFETCH(int, ruling);
        QFETCH(Four, ages);
        QFETCH(Four, years);
        QFETCH(QString, firstText);

        const auto p = CalcPyramid(DateTimeValue::fromFields(year, month, day));
        QVERIFY(p);
        QCOMPARE((Four{p->monthSum, p->daySum, p->yearSum}), sums);
        QCOMPARE((Four{p->climax[0], p->climax[1], p->climax[2], p->climax[3]}), climaxes);
        QCOMPARE(p->rulingNumber, ruling);
        QCOMPARE((Four{p->age[0], p->age[1], p->age[2], p->age[3]}), ages);
        QCOMPARE((Four{p->year[0], p->year[1], p->year[2], p->year[3]}), years);
        QCOMPARE(p->birthYear, year);
        QCOMPARE(QString::fromStdString(p->ageYearText(0)), firstText);
    }

    void birthDigits_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<Four>("digits");

        QTest::newRow("29.11.1957") << 1957 << 11 << 29 << Four{2, 9, 1, 1, 1, 9, 5, 7};
        QTest::newRow("01.01.2000") << 2000 << 1 << 1 << Four{0, 1, 0, 1, 2, 0, 0, 0};
        QTest::newRow("leading zero year") << 999 << 6 << 15 << Four{1, 5, 0, 6, 0, 9, 9, 9};
    }

    void birthDigits()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(Four, digits);
        const auto b = FillBirthDigits(DateTimeValue::fromFields(year, month, day, 14, 30));
        QVERIFY(b);
        QCOMPARE((Four{b->dayTens, b->dayOnes, b->monthTens, b->monthOnes, b->yearThousands,
                       b->yearHundreds, b->yearTens, b->yearOnes}),
                 digits);
    }

    // A date of birth that is not valid gives no pyramid rather than numbers
    // computed from -1 digits.
    void notValidDate()
    {
        QVERIFY(!CalcPyramid(DateTimeValue::invalid()));
        QVERIFY(!CalcPyramid(DateTimeValue::null()));
        QVERIFY(!FillBirthDigits(DateTimeValue::fromFields(1990, 2, 31)));
    }
};

QTEST_APPLESS_MAIN(TestPyramid)
#include "tst_pyramid.moc"
