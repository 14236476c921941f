#include "engine/datetimevalue.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace quadrivium;

class TestDateTimeValue : public QObject {
    Q_OBJECT
private slots:
    // Every day from 1600 to 2100 converts to a day count and back unchanged,
    // and consecutive days are exactly one apart on the time line.
    void roundTripEveryDay()
    {
        double previous = 0;
        bool first = true;
        int days = 0;
        for (int y = 1600; y <= 2100; ++y) {
            for (int m = 1; m <= 12; ++m) {
                for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                    const DateTimeValue v = DateTimeValue::fromFields(y, m, d, 13, 45, 30);
                    QVERIFY(v.isValid());
                    if (v.year() != y || v.month() != m || v.day() != d || v.hour() != 13
                        || v.minute() != 45 || v.second() != 30)
                        QFAIL(qPrintable(QStringLiteral("%1-%2-%3 came back as %4-%5-%6")
                                             .arg(y).arg(m).arg(d)
                                             .arg(v.year()).arg(v.month()).arg(v.day())));
                    if (!first)
                        QVERIFY(std::abs(v.serial() - previous - 1.0) < 1e-6);
                    previous = v.serial();
                    first = false;
                    ++days;
                }
            }
        }
        QCOMPARE(days, 182987); // 501 years of the Gregorian calendar
    }

    void fields_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<double>("days");

        QTest::newRow("epoch") << 1899 << 12 << 30 << 0 << 0 << 0.0;
        QTest::newRow("epoch noon") << 1899 << 12 << 30 << 12 << 0 << 0.5;
        QTest::newRow("day after epoch") << 1899 << 12 << 31 << 0 << 0 << 1.0;
        // Before the epoch the fraction still counts the time forward.
        QTest::newRow("day before epoch, 6 am") << 1899 << 12 << 29 << 6 << 0 << -1.25;
        QTest::newRow("two days before, 6 pm") << 1899 << 12 << 28 << 18 << 0 << -2.75;
        QTest::newRow("1 January 1900") << 1900 << 1 << 1 << 0 << 0 << 2.0;
        QTest::newRow("6 March 1951") << 1951 << 3 << 6 << 0 << 0 << 18693.0;
        QTest::newRow("1 January 2000") << 2000 << 1 << 1 << 0 << 0 << 36526.0;
        QTest::newRow("leap day 2000") << 2000 << 2 << 29 << 0 << 0 << 36585.0;
        QTest::newRow("1 January 1600") << 1600 << 1 << 1 << 0 << 0 << -109571.0;
    }

    void fields()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(double, days);

        const DateTimeValue built = DateTimeValue::fromFields(year, month, day, hour, minute);
        QCOMPARE(built.days(), days);
        const DateTimeValue read(days);
        QCOMPARE(read.year(), year);
        QCOMPARE(read.month(), month);
        QCOMPARE(read.day(), day);
        QCOMPARE(read.hour(), hour);
        QCOMPARE(read.minute(), minute);
        QCOMPARE(read.second(), 0);
    }

    void impossibleFields_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");

        QTest::newRow("31 February") << 1990 << 2 << 31 << 0;
        QTest::newRow("29 February 1900") << 1900 << 2 << 29 << 0;
        QTest::newRow("29 February 2100") << 2100 << 2 << 29 << 0;
        QTest::newRow("31 April") << 2001 << 4 << 31 << 0;
        QTest::newRow("month 13") << 2001 << 13 << 1 << 0;
        QTest::newRow("month 0") << 2001 << 0 << 1 << 0;
        QTest::newRow("day 0") << 2001 << 1 << 0 << 0;
        QTest::newRow("hour 24") << 2001 << 1 << 1 << 24;
        QTest::newRow("year 10000") << 10000 << 1 << 1 << 0;
    }

    void impossibleFields()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        const DateTimeValue v = DateTimeValue::fromFields(year, month, day, hour);
        QCOMPARE(v.status(), DateTimeValue::Status::Invalid);
        QCOMPARE(v.year(), -1);
    }

    void notValidGivesMinusOne()
    {
        for (const DateTimeValue &v : {DateTimeValue::null(), DateTimeValue::invalid()}) {
            QCOMPARE(v.year(), -1);
            QCOMPARE(v.month(), -1);
            QCOMPARE(v.day(), -1);
            QCOMPARE(v.hour(), -1);
            QCOMPARE(v.minute(), -1);
            QCOMPARE(v.second(), -1);
        }
        QCOMPARE(DateTimeValue(std::numeric_limits<double>::quiet_NaN()).status(),
                 DateTimeValue::Status::Invalid);
    }

    // A date before the epoch with a time of day must not run backwards in time:
    // 29 Dec 1899 18:00 lies 12 hours after 29 Dec 1899 06:00.
    void elapsedDaysAcrossTheEpoch()
    {
        const auto morning = DateTimeValue::fromFields(1899, 12, 29, 6);
        const auto evening = DateTimeValue::fromFields(1899, 12, 29, 18);
        const auto after = DateTimeValue::fromFields(1899, 12, 30, 6);
        QCOMPARE(evening - morning, 0.5);
        QCOMPARE(after - morning, 1.0);
        QCOMPARE(morning.addDays(2), DateTimeValue::fromFields(1899, 12, 31, 6));
        QCOMPARE(after.addDays(-3), DateTimeValue::fromFields(1899, 12, 27, 6));
    }

    void daysInMonth_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");

        QTest::newRow("January") << 2001 << 1 << 31;
        QTest::newRow("April") << 2001 << 4 << 30;
        QTest::newRow("December") << 2001 << 12 << 31;
        QTest::newRow("February common year") << 2001 << 2 << 28;
        QTest::newRow("February leap year") << 2024 << 2 << 29;
        QTest::newRow("February 2000") << 2000 << 2 << 29;
        QTest::newRow("February 1600") << 1600 << 2 << 29;
        // Century years not divisible by 400 have no 29 February; counting every
        // fourth year as leap showed days that never existed.
        QTest::newRow("February 1700") << 1700 << 2 << 28;
        QTest::newRow("February 1800") << 1800 << 2 << 28;
        QTest::newRow("February 1900") << 1900 << 2 << 28;
        QTest::newRow("February 2100") << 2100 << 2 << 28;
    }

    void daysInMonth()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, days);
        QCOMPARE(DaysInMonth(year, month), days);
    }
};

QTEST_APPLESS_MAIN(TestDateTimeValue)
#include "tst_datetimevalue.moc"
