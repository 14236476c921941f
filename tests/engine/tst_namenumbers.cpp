#include "engine/namenumbers.h"
#include "engine/reduce.h"

#include <QTest>

using namespace quadrivium;

class TestNameNumbers : public QObject {
    Q_OBJECT
private slots:
    void nameNumbers_data()
    {
        QTest::addColumn<QByteArray>("name"); // Windows-1252 bytes
        QTest::addColumn<QByteArray>("vowels");
        QTest::addColumn<QByteArray>("vowelDigits");
        QTest::addColumn<QByteArray>("consonants");
        QTest::addColumn<QByteArray>("consonantDigits");
        QTest::addColumn<int>("vowelSum");
        QTest::addColumn<int>("consonantSum");
        QTest::addColumn<int>("fate");
        QTest::addColumn<int>("appearance");
        QTest::addColumn<int>("dominant");

        QTest::newRow("umlaut and sharp s") << QByteArray("K\xe4the Gro\xdf") << QByteArray("AEEO")
            << QByteArray("1556") << QByteArray("KTHGRS") << QByteArray("228791") << 17 << 29 << 8 << 2 << 1;
        QTest::newRow("lower case") << QByteArray("anna") << QByteArray("AA") << QByteArray("11")
            << QByteArray("NN") << QByteArray("55") << 2 << 10 << 2 << 1 << 3;
        QTest::newRow("upper case") << QByteArray("ANNA") << QByteArray("AA") << QByteArray("11")
            << QByteArray("NN") << QByteArray("55") << 2 << 10 << 2 << 1 << 3;
        QTest::newRow("o and u umlauts") << QByteArray("J\xf6rg M\xfcller") << QByteArray("EOEUE")
            << QByteArray("56535") << QByteArray("JRGMLLR") << QByteArray("1974339") << 24 << 36 << 6 << 9 << 6;
        QTest::newRow("capital umlauts") << QByteArray("\xc4\xd6\xdc") << QByteArray("AEEOEU")
            << QByteArray("155653") << QByteArray() << QByteArray() << 25 << 0 << 7 << 0 << 7;
        QTest::newRow("Y is a consonant") << QByteArray("Y") << QByteArray() << QByteArray()
            << QByteArray("Y") << QByteArray("7") << 0 << 7 << 0 << 7 << 7;
        QTest::newRow("hyphen and digit ignored") << QByteArray("B-1 x") << QByteArray() << QByteArray()
            << QByteArray("BX") << QByteArray("26") << 0 << 8 << 0 << 8 << 8;
        QTest::newRow("sharp s is one S") << QByteArray("\xdf") << QByteArray() << QByteArray()
            << QByteArray("S") << QByteArray("1") << 0 << 1 << 0 << 1 << 1;
        QTest::newRow("underscore is a zero vowel") << QByteArray("A_E") << QByteArray("A_E")
            << QByteArray("105") << QByteArray() << QByteArray() << 6 << 0 << 6 << 0 << 6;
        QTest::newRow("other accents ignored") << QByteArray("Ren\xe9") << QByteArray("E")
            << QByteArray("5") << QByteArray("RN") << QByteArray("95") << 5 << 14 << 5 << 5 << 1;
        QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
            << QByteArray() << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("no letters") << QByteArray("12 -'.") << QByteArray() << QByteArray()
            << QByteArray() << QByteArray() << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("worked example") << QByteArray("Lena Vogel") << QByteArray("EAOE")
            << QByteArray("5165") << QByteArray("LNVGL") << QByteArray("35473") << 17 << 22 << 8 << 4 << 3;
    }

    void nameNumbers()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, vowels);
        QFETCH(QByteArray, vowelDigits);
        QFETCH(QByteArray, consonants);
        QFETCH(QByteArray, consonantDigits);
        QFETCH(int, vowelSum);
        QFETCH(int, consonantSum);
        QFETCH(int, fate);
        QFETCH(int, appearance);
        QFETCH(int, dominant);

        const std::string text = name.toStdString();
        NameNumbers r;
        QCOMPARE(CalcNameNumber(NameMode::Vowels, text, r), fate);
        QCOMPARE(QByteArray::fromStdString(r.m_strVowels), vowels);
        QCOMPARE(QByteArray::fromStdString(r.m_strVowelDigits), vowelDigits);
        QCOMPARE(r.m_nVowelSum, vowelSum);
        QCOMPARE(CalcNameNumber(NameMode::Consonants, text, r), appearance);
        QCOMPARE(QByteArray::fromStdString(r.m_strConsonants), consonants);
        QCOMPARE(QByteArray::fromStdString(r.m_strConsonantDigits), consonantDigits);
        QCOMPARE(r.m_nConsonantSum, consonantSum);
        NameNumbers all;
        QCOMPARE(CalcNameNumber(NameMode::AllLetters, text, all), dominant);
        QCOMPARE(all.m_nVowelSum, vowelSum);
        QCOMPARE(all.m_nConsonantSum, consonantSum);
        QCOMPARE(AddAndReduce(fate, appearance), dominant);
    }

    // The counting rules: accented letters as their base letters, Y as a
    // vowel in a part of the name without another vowel. The umlauts and
    // sharp s keep their own rules under both.
    void rules_data()
    {
        QTest::addColumn<QByteArray>("name"); // Windows-1252 bytes
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QByteArray>("vowels");
        QTest::addColumn<QByteArray>("consonants");
        QTest::addColumn<int>("fate");
        QTest::addColumn<int>("appearance");

        const QByteArray lefevre("Anne-Marie Lef\xe8vre");
        QTest::newRow("Lef\u00e8vre, accents ignored") << lefevre << "accents=ignore" << QByteArray("AEAIEEE")
            << QByteArray("NNMRLFVR") << 4 << 9;
        QTest::newRow("Lef\u00e8vre, accents as base letters") << lefevre << "accents=base" << QByteArray("AEAIEEEE")
            << QByteArray("NNMRLFVR") << 9 << 9;
        QTest::newRow("Lyn Wynn, Y a consonant") << QByteArray("Lyn Wynn") << "y=consonant" << QByteArray()
            << QByteArray("LYNWYNN") << 0 << 1;
        QTest::newRow("Lyn Wynn, Y a vowel if needed") << QByteArray("Lyn Wynn") << "y=vowel-if-needed"
            << QByteArray("YY") << QByteArray("LNWNN") << 5 << 5;
        QTest::newRow("Y next to a vowel stays a consonant") << QByteArray("Mary-Lynn") << "y=vowel-if-needed"
            << QByteArray("AY") << QByteArray("MRYLNN") << 8 << 6;
        QTest::newRow("umlauts and sharp s, usual rules") << QByteArray("\xc4\xdf\xf6") << "" << QByteArray("AEEO")
            << QByteArray("S") << 8 << 1;
        QTest::newRow("umlauts and sharp s, other rules") << QByteArray("\xc4\xdf\xf6")
            << "accents=base,y=vowel-if-needed" << QByteArray("AEEO") << QByteArray("S") << 8 << 1;
        QTest::newRow("ligature and slashed o") << QByteArray("\xc6s\xf8") << "accents=base" << QByteArray("AEO")
            << QByteArray("S") << 3 << 1;
        QTest::newRow("eth has no base letter") << QByteArray("\xd0" "a") << "accents=base" << QByteArray("A")
            << QByteArray() << 1 << 0;
    }

    void rules()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, rules);
        QFETCH(QByteArray, vowels);
        QFETCH(QByteArray, consonants);
        QFETCH(int, fate);
        QFETCH(int, appearance);
        const auto parsed = ParseLetterRules(rules.toStdString());
        QVERIFY(parsed);
        NameNumbers r;
        QCOMPARE(CalcNameNumber(NameMode::Vowels, name.toStdString(), r, *parsed), fate);
        QCOMPARE(QByteArray::fromStdString(r.m_strVowels), vowels);
        QCOMPARE(CalcNameNumber(NameMode::Consonants, name.toStdString(), r, *parsed), appearance);
        QCOMPARE(QByteArray::fromStdString(r.m_strConsonants), consonants);
    }

    // The --rules spelling: known keys and values in any order, each at
    // most once; anything else is refused with a reason.
    void parseRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("canonical"); // empty: refused

        QTest::newRow("nothing given") << "" << "accents=ignore,y=consonant";
        QTest::newRow("one rule") << "accents=base" << "accents=base,y=consonant";
        QTest::newRow("both, other order") << "y=vowel-if-needed,accents=base" << "accents=base,y=vowel-if-needed";
        QTest::newRow("blanks around") << " y = vowel-if-needed " << "accents=ignore,y=vowel-if-needed";
        QTest::newRow("unknown key") << "accent=base" << "";
        QTest::newRow("unknown value") << "accents=keep" << "";
        QTest::newRow("no value") << "y" << "";
        QTest::newRow("given twice") << "y=consonant,y=vowel-if-needed" << "";
        QTest::newRow("empty pair") << "accents=base,," << "";
    }

    void parseRules()
    {
        QFETCH(QString, text);
        QFETCH(QString, canonical);
        std::string error;
        const auto rules = ParseLetterRules(text.toStdString(), &error);
        if (canonical.isEmpty()) {
            QVERIFY(!rules);
            QVERIFY(!error.empty());
        } else {
            QVERIFY2(rules, error.c_str());
            QCOMPARE(QString::fromStdString(LetterRulesText(*rules)), canonical);
        }
    }

    // Each mode writes only its own sum: the walkthrough reads the vowel sum
    // after a later consonant call.
    void sumsKeptByMode()
    {
        NameNumbers r;
        CalcNameNumber(NameMode::Vowels, "Lena Vogel", r);
        CalcNameNumber(NameMode::Consonants, "Anna", r);
        QCOMPARE(r.m_nVowelSum, 17);
        QCOMPARE(r.m_nConsonantSum, 10);
        QCOMPARE(r.m_strVowels, std::string("AA")); // strings follow the latest call
    }

    // Names are not cut at any fixed length.
    void longName()
    {
        std::string name(1000, 'a');
        NameNumbers r;
        QCOMPARE(CalcNameNumber(NameMode::Vowels, name, r), 1);
        QCOMPARE(r.m_nVowelSum, 1000);
        QCOMPARE(r.m_strVowels.size(), std::size_t(1000));
    }

    void reduceToDigit_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("digit");
        QTest::addColumn<int>("ruling");

        QTest::newRow("zero") << 0 << 0 << 0;
        QTest::newRow("nine") << 9 << 9 << 9;
        QTest::newRow("ten") << 10 << 1 << 1;
        QTest::newRow("nineteen through ten") << 19 << 1 << 1;
        QTest::newRow("master 11") << 11 << 2 << 11;
        QTest::newRow("master 22") << 22 << 4 << 22;
        QTest::newRow("29 through 11") << 29 << 2 << 11;
        QTest::newRow("38 through 11") << 38 << 2 << 11;
        QTest::newRow("47 through 11") << 47 << 2 << 11;
        QTest::newRow("65 through 11") << 65 << 2 << 11;
        QTest::newRow("49 through 13") << 49 << 4 << 4;
        QTest::newRow("33 is no master") << 33 << 6 << 6;
        QTest::newRow("forty") << 40 << 4 << 4;
        QTest::newRow("multiple of nine") << 54 << 9 << 9;
        QTest::newRow("three digits") << 1000 << 1 << 1;
    }

    void reduceToDigit()
    {
        QFETCH(int, n);
        QFETCH(int, digit);
        QFETCH(int, ruling);
        QCOMPARE(ReduceToDigit(n), digit);
        QCOMPARE(ReduceToRulingNumber(n), ruling);
    }

    void ignoredLetters_data()
    {
        QTest::addColumn<QByteArray>("name"); // UTF-8
        QTest::addColumn<QByteArray>("ignored");
        QTest::newRow("all counted") << QByteArray("J\xc3\xb6rg-\xc3\x84\xc3\x9f O'Neil_3") << QByteArray();
        QTest::newRow("accents, once each, in order")
            << QByteArray("\xc3\xa9mile \xc3\x89\xc3\xa9\xc3\xb1\xc3\xa9") << QByteArray("\xc3\xa9\xc3\x89\xc3\xb1");
        QTest::newRow("Latin-1 signs are no letters") << QByteArray("A\xc3\x97\xc3\xb7\xc2\xa7\xc2\xb5") << QByteArray("\xc2\xb5");
        QTest::newRow("beyond Latin-1") << QByteArray("\xc5\x81\xf0\x9d\x90\x80") << QByteArray("\xc5\x81\xf0\x9d\x90\x80");
        QTest::newRow("named under base letters") << QByteArray("L\xc3\xa9" "a \xc3\x90") << QByteArray("\xc3\x90");
        QTest::newRow("broken UTF-8 skipped") << QByteArray("\xe9\xc3(\xc5\x81\xed\xa0\x80") << QByteArray("\xc5\x81");
    }

    // Guards against letters outside the table being passed over silently and
    // against signs and counted letters being named.
    void ignoredLetters()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, ignored);
        // Under the accent rule a letter with a base letter is counted, not named.
        const bool base = QByteArray(QTest::currentDataTag()) == "named under base letters";
        QCOMPARE(QByteArray::fromStdString(IgnoredLetters(name.toStdString(),
                                                          base ? AccentRule::Base : AccentRule::Ignore)),
                 ignored);
    }
};

QTEST_APPLESS_MAIN(TestNameNumbers)
#include "tst_namenumbers.moc"
