#include "engine/corenumbers.h"

#include <QTest>

using namespace quadrivium;

namespace {
Clock fixedYear(int year)
{
    return [year] { return CivilDate{year, 6, 15}; };
}
} // namespace

class TestCoreNumbers : public QObject {
    Q_OBJECT
private slots:
    void coreNumbers_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("today");
        QTest::addColumn<QList<int>>("numbers"); // ruling, day, fate, appearance, dominant, py, py next

        QTest::newRow("worked example") << QByteArray("Lena Vogel") << 1951 << 3 << 6 << 2026
            << QList<int>{7, 6, 8, 4, 3, 1, 2};
        QTest::newRow("ruling 8") << QByteArray("Anna") << 1957 << 11 << 29 << 2019
            << QList<int>{8, 29, 2, 1, 3, 7, 8};
        QTest::newRow("master 11") << QByteArray("K\xe4the Gro\xdf") << 1980 << 9 << 29 << 2020
            << QList<int>{11, 29, 8, 2, 1, 6, 7};
        QTest::newRow("day 31") << QByteArray("Y") << 1999 << 12 << 31 << 2010
            << QList<int>{8, 31, 0, 7, 7, 1, 2};
        QTest::newRow("ruling 6") << QByteArray("") << 1999 << 12 << 29 << 2010
            << QList<int>{6, 29, 0, 0, 0, 8, 9};
        QTest::newRow("fate 9 appearance 9") << QByteArray("IR") << 2000 << 1 << 1 << 2019
            << QList<int>{4, 1, 9, 9, 9, 5, 6};
    }

    void coreNumbers()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, today);
        QFETCH(QList<int>, numbers);

        const auto filled = FillCoreNumbers(name.toStdString(),
                                            DateTimeValue::fromFields(year, month, day), fixedYear(today));
        QVERIFY(filled);
        const CoreNumberSet *set = &filled->numbers;
        QCOMPARE((QList<int>{set->rulingNumber, set->dayNumber, set->core.m_nFate,
                             set->core.m_nAppearance, set->core.m_nDominant,
                             set->core.m_nPersonalYear, set->core.m_nPersonalYearNext}),
                 numbers);
        QCOMPARE(set->core.m_nCurrentYear, today);
        QCOMPARE(filled->pyramid.rulingNumber, set->rulingNumber);
    }

    void personalYear_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("number");

        QTest::newRow("6 March in 2026") << 3 << 6 << 2026 << 1;
        QTest::newRow("1 January in 2019") << 1 << 1 << 2019 << 5;
        QTest::newRow("1 January in 2010") << 1 << 1 << 2010 << 5;
        QTest::newRow("29 November in 2000") << 11 << 29 << 2000 << 6;
        QTest::newRow("leap day birth in 2027") << 2 << 29 << 2027 << 6;
    }

    void personalYear()
    {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, target);
        QFETCH(int, number);
        const auto birth = DateTimeValue::fromFields(1960, month, day);
        QCOMPARE(PersonalYearFor(birth, target), std::optional<int>(number));
        QCOMPARE(CalcPersonalYear(birth, 0, fixedYear(target)), std::optional<int>(number));
        QCOMPARE(CalcPersonalYear(birth, 1, fixedYear(target - 1)), std::optional<int>(number));
    }

    void notValidDate()
    {
        QVERIFY(!FillCoreNumbers("Anna", DateTimeValue::invalid(), fixedYear(2020)));
        QVERIFY(!CalcPersonalYear(DateTimeValue::null(), 0, fixedYear(2020)));
        QCOMPARE(DayNumber(DateTimeValue::invalid()), -1);
    }
};

QTEST_APPLESS_MAIN(TestCoreNumbers)
#include "tst_corenumbers.moc"
