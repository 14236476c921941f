// The forecast worked by hand: personal year, month and day, the months
// row, the challenges with their ages and the karmic lessons of the name.

#include "engine/forecast.h"

#include <QTest>

#include <vector>

using namespace quadrivium;

Q_DECLARE_METATYPE(std::vector<int>)

class TestForecast : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("born");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<std::vector<int>>("yearMonthDay");
        QTest::addColumn<std::vector<int>>("months");
        QTest::addColumn<std::vector<int>>("challenges"); // number, from, to for each
        QTest::addColumn<std::vector<int>>("lessons");

        // Born 6.3.1951, on 7.12.2026. Year 0+6+0+3+2+0+2+6 = 19 -> 1;
        // month 1+12 = 13 -> 4; day 4+7 = 11 -> 2. m 3, d 6, y 1+9+5+1 = 16
        // -> 7: |3-6| 3, |6-7| 1, |3-1| 2, |3-7| 4. Ruling 7: ages 29, 38,
        // 47, 56. L3 E5 N5 A1 V4 O6 G7 E5 L3: 2, 8 and 9 are missing.
        QTest::newRow("Lena Vogel") << "Lena Vogel" << QDate(1951, 3, 6) << QDate(2026, 12, 7)
                                    << std::vector<int>{1, 4, 2}
                                    << std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4}
                                    << std::vector<int>{3, 0, 29, 1, 29, 38, 2, 38, 47, 4, 47, 56}
                                    << std::vector<int>{2, 8, 9};
        // Born 29.9.1980, Ruling Number 11 (2+9+0+9+1+9+8+0 = 38 -> 11):
        // ages 25, 34, 43, 52. On 15.3.2026: year 2+9+0+9+2+0+2+6 = 30 -> 3,
        // month 3+3 = 6, day 6+15 = 21 -> 3. m 9, d 29 -> 11 -> 2, y 18 -> 9:
        // |9-2| 7, |2-9| 7, |7-7| 0, |9-9| 0. N5 O6 R9 A1 L3 I9 N5 D4.
        QTest::newRow("master-number birth") << "Nora Lind" << QDate(1980, 9, 29) << QDate(2026, 3, 15)
                                             << std::vector<int>{3, 6, 3}
                                             << std::vector<int>{4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 5, 6}
                                             << std::vector<int>{7, 0, 25, 7, 25, 34, 0, 34, 43, 0, 43, 52}
                                             << std::vector<int>{2, 7, 8};
        // Born 19.11.1966, on 31.1.2027: year 1+9+1+1+2+0+2+7 = 23 -> 5,
        // month 5+1 = 6, day 6+31 = 37 -> 1. m 11 -> 2, d 19 -> 1, y 22 -> 4:
        // 1, 3, 2, 2. Ruling 34 -> 7. The name holds every digit:
        // F6 R9 I9 E5 D4 C3 H8 B2 L3 U3 M4 N5 K2 A1 P7.
        QTest::newRow("name with every digit")
            << "Friedrich Blumenkamp" << QDate(1966, 11, 19) << QDate(2027, 1, 31) << std::vector<int>{5, 6, 1}
            << std::vector<int>{6, 7, 8, 9, 1, 2, 3, 4, 5, 6, 7, 8}
            << std::vector<int>{1, 0, 29, 3, 29, 38, 2, 38, 47, 2, 47, 56} << std::vector<int>{};
    }

    void workedExamples()
    {
        QFETCH(QString, name);
        QFETCH(QDate, born);
        QFETCH(QDate, day);
        QFETCH(std::vector<int>, yearMonthDay);
        QFETCH(std::vector<int>, months);
        QFETCH(std::vector<int>, challenges);
        QFETCH(std::vector<int>, lessons);
        const auto f = ComputeForecast(name.toStdString(), DateTimeValue::fromFields(born.year(), born.month(), born.day()),
                                       CivilDate{day.year(), day.month(), day.day()});
        QVERIFY(f);
        QCOMPARE((std::vector<int>{f->personalYear, f->personalMonth, f->personalDay}), yearMonthDay);
        QCOMPARE(std::vector<int>(f->months.begin(), f->months.end()), months);
        std::vector<int> spans;
        for (const Challenge &c : f->challenges)
            spans.insert(spans.end(), {c.number, c.fromAge, c.toAge});
        QCOMPARE(spans, challenges);
        QCOMPARE(f->karmicLessons, lessons);
    }

    /// Umlauts count as their spelt-out letters (Ä as A and E), as in the
    /// other name numbers; signs and digits are no letters.
    void lessonsOfSpeltOutLetters()
    {
        // "Jörg-2" -> J1 O6 E5 R9 G7: 2, 3, 4 and 8 are missing.
        QCOMPARE(KarmicLessons("J\xF6rg-2"), (std::vector<int>{2, 3, 4, 8}));
        QCOMPARE(KarmicLessons(""), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }

    void invalidBirthHasNoForecast()
    {
        QVERIFY(!ComputeForecast("Lena Vogel", DateTimeValue::invalid(), CivilDate{2026, 12, 7}));
    }
};

QTEST_MAIN(TestForecast)
#include "tst_forecast.moc"
