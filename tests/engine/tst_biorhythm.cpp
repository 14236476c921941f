#include "engine/biorhythm.h"

#include <QTest>

using namespace quadrivium;

class TestBiorhythm : public QObject {
    Q_OBJECT
private slots:
    void curves_data()
    {
        QTest::addColumn<double>("elapsed"); // days after birth
        QTest::addColumn<int>("period");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("kind");

        QTest::newRow("day of birth") << 0.0 << 23 << 0.0 << 2;
        QTest::newRow("physical quarter: high") << 5.75 << 23 << 1.0 << 1;
        QTest::newRow("physical three quarters: low") << 17.25 << 23 << -1.0 << 3;
        QTest::newRow("emotional quarter") << 7.0 << 28 << 1.0 << 1;
        QTest::newRow("intellectual half: zero") << 16.5 << 33 << 0.0 << 2;
        QTest::newRow("before birth") << -5.75 << 23 << -1.0 << 3;
        QTest::newRow("one full turn") << 23.0 << 23 << 0.0 << 2;
    }

    void curves()
    {
        QFETCH(double, elapsed);
        QFETCH(int, period);
        QFETCH(double, value);
        QFETCH(int, kind);

        const auto birth = DateTimeValue::fromFields(2000, 1, 1);
        const DateTimeValue date(birth.days() + elapsed);
        const double got = CurveValue(birth, date, period);
        QVERIFY2(std::abs(got - value) < 1e-4, qPrintable(QString::number(got)));
        QCOMPARE(Classify(birth, date, period), kind);
    }

    void classifyBoundaries_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("kind");
        QTest::newRow("just above 0.66") << 0.6601 << 1;
        QTest::newRow("0.66 is middle") << 0.66 << 2;
        QTest::newRow("-0.66 is middle") << -0.66 << 2;
        QTest::newRow("just below -0.66") << -0.6601 << 3;
    }

    void classifyBoundaries()
    {
        QFETCH(double, value);
        QFETCH(int, kind);
        QCOMPARE(Classify(value), kind);
    }

    void periods()
    {
        QCOMPARE(CurvePeriod(Curve::Physical), 23);
        QCOMPARE(CurvePeriod(Curve::Emotional), 28);
        QCOMPARE(CurvePeriod(Curve::Intellectual), 33);
    }

    void criticalDays_data()
    {
        QTest::addColumn<int>("elapsed"); // whole days after birth at 00:00
        QTest::addColumn<int>("period");
        QTest::addColumn<bool>("critical");
        QTest::newRow("day of birth: exactly zero") << 0 << 23 << true;
        QTest::newRow("physical falls through zero in day 11") << 11 << 23 << true;
        QTest::newRow("physical still positive over day 10") << 10 << 23 << false;
        // The turn of 6.283134 falls just short of 2 pi: at day 28 the value is
        // still a little below zero, so the crossing lies in day 28, not 27.
        QTest::newRow("emotional, day 27") << 27 << 28 << false;
        QTest::newRow("emotional rises through zero in day 28") << 28 << 28 << true;
        QTest::newRow("intellectual at its low, day 25") << 25 << 33 << false;
    }

    void criticalDays()
    {
        QFETCH(int, elapsed);
        QFETCH(int, period);
        QFETCH(bool, critical);
        const auto birth = DateTimeValue::fromFields(2000, 1, 1);
        QCOMPARE(IsCriticalDay(birth, birth.addDays(elapsed), period), critical);
        // A time of day on the date does not move the day's window.
        QCOMPARE(IsCriticalDay(birth, DateTimeValue(birth.addDays(elapsed).days() + 0.75), period), critical);
    }
};

QTEST_APPLESS_MAIN(TestBiorhythm)
#include "tst_biorhythm.moc"
