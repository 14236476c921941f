#include "engine/walkthrough.h"

#include <QTest>

using namespace quadrivium;

class TestWalkthrough : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QStringList>("expected"); // date, ruling, day, fate, appearance, dominant

        QTest::newRow("worked example") << QByteArray("Lena Vogel") << 1951 << 3 << 6 << QStringList{
            "06.03.1951",
            "0 + 6 + 0 + 3 + 1 + 9 + 5 + 1  =  25   =  2 + 5  =   7",
            "06",
            "EAOE =  5 + 1 + 6 + 5 =  17 = 1 + 7  =  8",
            "LNVGL =  3 + 5 + 4 + 7 + 3 =  22 = 2 + 2  =  4",
            "8 + 4 = 12 = 1 + 2 =  3"};
        QTest::newRow("date sum 39 takes a second step") << QByteArray("Anna") << 1982 << 9 << 19 << QStringList{
            "19.09.1982",
            "1 + 9 + 0 + 9 + 1 + 9 + 8 + 2  =  39   =  3 + 9  =   12  =  1 + 2  =  3",
            "19",
            "AA =  1 + 1 =  2 = 0 + 2  =  2",
            "NN =  5 + 5 =  10 = 1 + 0  =  1",
            "2 + 1 =  3"};
        // Regression: the line went on to 2 while the chart's Ruling Number is 11.
        QTest::newRow("date sum 38 ends at master 11") << QByteArray("Y") << 1980 << 9 << 29 << QStringList{
            "29.09.1980",
            "2 + 9 + 0 + 9 + 1 + 9 + 8 + 0  =  38   =  3 + 8  =   11",
            "29",
            "-",
            "Y =  7 =  7 = 0 + 7  =  7",
            "- + 7 =  7"};
        QTest::newRow("date sum 11 ends without a step") << QByteArray("I") << 2007 << 1 << 1 << QStringList{
            "01.01.2007",
            "0 + 1 + 0 + 1 + 2 + 0 + 0 + 7  =  11",
            "01",
            "I =  9 =  9 = 0 + 9  =  9",
            " =   0 = 0 + 0  =  0",
            "9 + 0 =  9"};
        QTest::newRow("date sum 22 ends without a step") << QByteArray("I") << 1901 << 2 << 18 << QStringList{
            "18.02.1901",
            "1 + 8 + 0 + 2 + 1 + 9 + 0 + 1  =  22",
            "18",
            "I =  9 =  9 = 0 + 9  =  9",
            " =   0 = 0 + 0  =  0",
            "9 + 0 =  9"};
        QTest::newRow("vowel sums 9 and 10") << QByteArray("IA ES") << 2000 << 1 << 1 << QStringList{
            "01.01.2000",
            "0 + 1 + 0 + 1 + 2 + 0 + 0 + 0  =  4   =  0 + 4  =   4",
            "01",
            "IAE =  9 + 1 + 5 =  15 = 1 + 5  =  6",
            "S =  1 =  1 = 0 + 1  =  1",
            "6 + 1 =  7"};
        QTest::newRow("sum 9 step") << QByteArray("I") << 2000 << 1 << 1 << QStringList{
            "01.01.2000",
            "0 + 1 + 0 + 1 + 2 + 0 + 0 + 0  =  4   =  0 + 4  =   4",
            "01",
            "I =  9 =  9 = 0 + 9  =  9",
            " =   0 = 0 + 0  =  0",
            "9 + 0 =  9"};
        // One digit-sum step of 29 gives 11: the name lines go on until one digit is left.
        QTest::newRow("name sum 29 continues") << QByteArray("K\xe4the Gro\xdf") << 2000 << 1 << 1 << QStringList{
            "01.01.2000",
            "0 + 1 + 0 + 1 + 2 + 0 + 0 + 0  =  4   =  0 + 4  =   4",
            "01",
            "AEEO =  1 + 5 + 5 + 6 =  17 = 1 + 7  =  8",
            "KTHGRS =  2 + 2 + 8 + 7 + 9 + 1 =  29 = 2 + 9  =  11  =  1 + 1  =  2",
            "8 + 2 = 10 = 1 + 0 =  1"};
        // Regression: 126 was split into "12 + 6".
        QTest::newRow("three-digit name sum split into its digits") << QByteArray("RRRRRRRRRRRRRR") << 2000 << 1 << 1 << QStringList{
            "01.01.2000",
            "0 + 1 + 0 + 1 + 2 + 0 + 0 + 0  =  4   =  0 + 4  =   4",
            "01",
            "-",
            "RRRRRRRRRRRRRR =  9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 + 9 =  126 = 1 + 2 + 6  =  9",
            "- + 9 =  9"};
    }

    // Under the other rules: Y stands in where a part of the name has no
    // vowel, and è counts as E.
    void rules_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("expected"); // fate, appearance, dominant

        QTest::newRow("Lyn Wynn, Y a consonant") << QByteArray("Lyn Wynn") << "y=consonant" << QStringList{
            "-", "LYNWYNN =  3 + 7 + 5 + 5 + 7 + 5 + 5 =  37 = 3 + 7  =  10  =  1 + 0  =  1", "- + 1 =  1"};
        QTest::newRow("Lyn Wynn, Y a vowel if needed") << QByteArray("Lyn Wynn") << "y=vowel-if-needed"
            << QStringList{"YY =  7 + 7 =  14 = 1 + 4  =  5", "LNWNN =  3 + 5 + 5 + 5 + 5 =  23 = 2 + 3  =  5",
                           "5 + 5 = 10 = 1 + 0 =  1"};
        QTest::newRow("Lef\u00e8vre, accents as base letters") << QByteArray("Anne-Marie Lef\xe8vre") << "accents=base"
            << QStringList{"AEAIEEEE =  1 + 5 + 1 + 9 + 5 + 5 + 5 + 5 =  36 = 3 + 6  =  9",
                           "NNMRLFVR =  5 + 5 + 4 + 9 + 3 + 6 + 4 + 9 =  45 = 4 + 5  =  9", "9 + 9 = 18 = 1 + 8 =  9"};
    }

    void rules()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, rules);
        QFETCH(QStringList, expected);
        const auto w = BuildWalkthrough(name.toStdString(), DateTimeValue::fromFields(2004, 2, 20),
                                        *ParseLetterRules(rules.toStdString()));
        QVERIFY(w);
        QCOMPARE((QStringList{QString::fromLatin1(w->fate), QString::fromLatin1(w->appearance),
                              QString::fromLatin1(w->dominant)}),
                 expected);
    }

    void lines()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QStringList, expected);

        const auto w = BuildWalkthrough(name.toStdString(), DateTimeValue::fromFields(year, month, day));
        QVERIFY(w);
        const QStringList got{QString::fromLatin1(w->date), QString::fromLatin1(w->ruling),
                              QString::fromLatin1(w->day), QString::fromLatin1(w->fate),
                              QString::fromLatin1(w->appearance), QString::fromLatin1(w->dominant)};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(got[i], expected[i]);
        // The walkthrough never contradicts the chart: its last number is the Ruling Number.
        const int ruling = CalcPyramid(*FillBirthDigits(DateTimeValue::fromFields(year, month, day))).rulingNumber;
        QVERIFY(w->ruling.ends_with(" " + std::to_string(ruling)));
    }

    void notValidDate()
    {
        QVERIFY(!BuildWalkthrough("Anna", DateTimeValue::invalid()));
    }
};

QTEST_APPLESS_MAIN(TestWalkthrough)
#include "tst_walkthrough.moc"
