#include "store/datetext.h"
#include "store/entryrules.h"

#include <QTest>

using namespace quadrivium;

namespace {

const DateEntryLocale kDayFirst{false, u'.'};
const DateEntryLocale kMonthFirst{true, u'/'};
const TimeEntryLocale k24Hour{false, u':'};
const TimeEntryLocale k12Hour{true, u':'};

// Types `keys` one after the other as a field does: each at the caret the
// previous one left. Fails when a rule puts the caret beyond the text.
template<typename Locale, typename Insert>
bool typeKeys(QString &text, int &caret, const QString &keys, const Locale &locale, Insert insert)
{
    for (const QChar key : keys) {
        caret = insert(text, key, caret, locale);
        if (caret > text.size()) {
            qWarning("caret %d beyond \"%s\" after '%c'", caret, qPrintable(text),
                     key.toLatin1());
            return false;
        }
    }
    return true;
}

void addTypingColumns()
{
    QTest::addColumn<bool>("alternative"); // month-first date, 12-hour time
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedCaret");
}

} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ResetDateLocale(); }

    void setCharAt_data();
    void setCharAt();
    void acceptedCharacters();
    void dateTyping_data();
    void dateTyping();
    void timeTyping_data();
    void timeTyping();
    void isComplete();
    void fieldsFollowTheProbedLocale();
};

void TestEntryRules::setCharAt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");
    QTest::newRow("replace first") << "12.05" << 0 << "x2.05";
    QTest::newRow("replace last") << "12.05" << 4 << "12.0x";
    QTest::newRow("append at end") << "12.05" << 5 << "12.05x";
    QTest::newRow("append beyond end") << "12" << 7 << "12x";
    QTest::newRow("empty text") << "" << 0 << "x";
}

void TestEntryRules::setCharAt()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, expected);
    SetCharAt(text, position, u'x');
    QCOMPARE(text, expected);
}

void TestEntryRules::acceptedCharacters()
{
    for (QChar c : QStringLiteral("0123456789."))
        QVERIFY(IsDateEntryChar(c, kDayFirst));
    for (QChar c : QStringLiteral("/-: aA"))
        QVERIFY(!IsDateEntryChar(c, kDayFirst));
    QVERIFY(IsDateEntryChar(u'/', kMonthFirst));
    for (QChar c : QStringLiteral("0123456789:aApPmM"))
        QVERIFY(IsTimeEntryChar(c, k24Hour));
    for (QChar c : QStringLiteral("./ bBxX"))
        QVERIFY(!IsTimeEntryChar(c, k24Hour));
}

void TestEntryRules::dateTyping_data()
{
    addTypingColumns();
    auto row = [](const char *name, bool monthFirst, const char *text, int caret,
                  const char *keys, const char *expectedText, int expectedCaret) {
        QTest::newRow(name) << monthFirst << QString::fromUtf8(text) << caret
                            << QString::fromUtf8(keys) << QString::fromUtf8(expectedText)
                            << expectedCaret;
    };
    // Day first, "."
    row("5 gets a leading 0", false, "", 0, "5", "05.", 3);
    row("day held at 31, 5 carried", false, "", 0, "35", "31.05.", 6);
    row("day 29", false, "", 0, "29", "29.", 3);
    row("day 30", false, "", 0, "30", "30.", 3);
    row("day 00 becomes 01", false, "", 0, "00", "01.", 3);
    row("month 00 becomes 01", false, "", 0, "1500", "15.01.", 6);
    row("month 2 gets a leading 0", false, "", 0, "012", "01.02.", 6);
    row("month held at 12, 3 carried", false, "", 0, "0113", "01.12.163", 9);
    row("separator after one digit ignored", false, "", 0, "1.", "1", 1);
    row("separator after two digits ignored", false, "", 0, "12.", "12.", 3);
    row("separator typed at its place", false, "12", 2, ".", "12.", 3);
    row("whole date", false, "", 0, "06031951", "06.03.1951", 10);
    row("year 9 starts 169", false, "", 0, "01019", "01.01.169", 9);
    row("year 0 starts 160", false, "", 0, "01010", "01.01.160", 9);
    row("year 15 held at 16", false, "", 0, "010115", "01.01.16", 8);
    row("year 1599 becomes 1699", false, "", 0, "01011599", "01.01.1699", 10);
    row("year 25 held at 21", false, "", 0, "010125", "01.01.21", 8);
    row("year 215 held at 210", false, "", 0, "0101215", "01.01.210", 9);
    row("fourth digit after 210 is 0", false, "", 0, "01012159", "01.01.2100", 10);
    row("year 210 completes 2100", false, "", 0, "0101210", "01.01.2100", 10);
    row("year 2099", false, "", 0, "01012099", "01.01.2099", 10);
    row("nothing after a whole date", false, "", 0, "010119905", "01.01.1990", 10);
    row("31 February can be typed", false, "", 0, "31021990", "31.02.1990", 10);
    // Month first, "/"
    row("month 5 gets a leading 0", true, "", 0, "5", "05/", 3);
    row("month held at 12, 3 carried", true, "", 0, "13", "12/3", 4);
    row("day held at 31, 5 carried", true, "", 0, "0135", "01/31/165", 9);
    row("day 4 gets a leading 0", true, "", 0, "014", "01/04/", 6);
    row("month 00 kept", true, "", 0, "00", "00/", 3);
    row("day 00 kept", true, "", 0, "0100", "01/00/", 6);
    row("whole US date", true, "", 0, "03061951", "03/06/1951", 10);
    row("US year 25 held at 21", true, "", 0, "010125", "01/01/21", 8);
    // Overwriting
    row("3 over day 25 gives 31", false, "25.05.1990", 0, "3", "31.05.1990", 1);
    row("2 over day 05 keeps the 5", false, "05.05.1990", 0, "2", "25.05.1990", 1);
    row("1 over month 09 gives 12", true, "09/05/1990", 0, "1", "12/05/1990", 1);
    row("3 over day 05 gives 31", true, "01/05/1990", 3, "3", "01/31/1990", 4);
    row("digit over the separator", false, "01.01.1990", 2, "5", "01.05.1990", 6);
    row("separator at 5 moves on", false, "01.01.", 5, ".", "01.01.", 6);
    row("1 over 2005 gives 1600", false, "01.01.2005", 6, "1", "01.01.1600", 7);
    row("2 over 1990 gives 2000", false, "01.01.1990", 6, "2", "01.01.2000", 7);
    row("1 over 1990 keeps it", false, "01.01.1990", 6, "1", "01.01.1990", 7);
    row("2 over 2100 gives 2000", false, "01.01.2100", 6, "2", "01.01.2000", 7);
    row("2 over three digits 199", false, "01.01.199", 6, "2", "01.01.200", 7);
    row("1 over three digits 205", false, "01.01.205", 6, "1", "01.01.160", 7);
    row("over two year digits nothing", false, "01.01.19", 6, "2", "01.01.19", 7);
    row("9 over 1990 gives 1690", false, "01.01.1990", 6, "9", "01.01.1690", 9);
    row("third digit of 2100 stays 0", false, "01.01.2100", 8, "5", "01.01.2100", 9);
    row("third digit of 2050", false, "01.01.2050", 8, "7", "01.01.2070", 9);
    // Regression: a 1 typed over the second digit of 2050 gave 2150.
    row("1 over 2050 gives 2100", false, "01.01.2050", 7, "1", "01.01.2100", 8);
    row("at position 10 nothing", false, "01.01.1990", 10, "5", "01.01.1990", 10);
}

void TestEntryRules::dateTyping()
{
    QFETCH(bool, alternative);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, keys);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedCaret);
    const DateEntryLocale &locale = alternative ? kMonthFirst : kDayFirst;
    QString typed = keys;
    typed.replace(u'.', locale.separator);
    QVERIFY(typeKeys(text, caret, typed, locale,
                     [](QString &t, QChar c, int p, const DateEntryLocale &l) {
                         return InsertDateChar(t, c, p, l);
                     }));
    expectedText.replace(u'.', locale.separator);
    QCOMPARE(text, expectedText);
    QCOMPARE(caret, expectedCaret);
}

void TestEntryRules::timeTyping_data()
{
    addTypingColumns();
    auto row = [](const char *name, bool twelveHour, const char *text, int caret,
                  const char *keys, const char *expectedText, int expectedCaret) {
        QTest::newRow(name) << twelveHour << QString::fromUtf8(text) << caret
                            << QString::fromUtf8(keys) << QString::fromUtf8(expectedText)
                            << expectedCaret;
    };
    // 24 hours
    row("7 gets a leading 0", false, "", 0, "7", "07:", 3);
    row("hour held at 23, 7 carried", false, "", 0, "27", "23:07", 5);
    row("whole time", false, "", 0, "1405", "14:05", 5);
    row("hour 20", false, "", 0, "20", "20:", 3);
    row("minute 6 gets a leading 0", false, "", 0, "146", "14:06", 5);
    row("minute 59", false, "", 0, "2359", "23:59", 5);
    row("nothing after the minute", false, "", 0, "14059P", "14:05", 5);
    row("separator after one digit ignored", false, "", 0, "1:", "1", 1);
    row("separator at its place", false, "14", 2, ":", "14:", 3);
    // Regression: letters went into the hour ("0A:") in digit places.
    row("letters ignored in digit places", false, "", 0, "a1p4m", "14:", 3);
    row("2 over hour 15 gives 23", false, "15:30", 0, "2", "23:30", 1);
    // 12 hours
    row("2 gets a leading 0", true, "", 0, "2", "02:", 3);
    row("hour held at 12, 3 carried", true, "", 0, "13", "12:3", 4);
    row("hour 00 kept", true, "", 0, "0015a", "00:15 A", 7);
    row("whole afternoon", true, "", 0, "0205pm", "02:05 PM", 8);
    row("whole morning in capitals", true, "", 0, "1130AM", "11:30 AM", 8);
    row("M before A or P ignored", true, "", 0, "0205m", "02:05 ", 6);
    row("digit in designator place ignored", true, "", 0, "02059", "02:05 ", 6);
    row("P then digit ignored", true, "", 0, "0205p1", "02:05 P", 7);
    row("nothing after M", true, "", 0, "0205pmp", "02:05 PM", 8);
    row("designator typed at the blank", true, "02:05", 5, "p", "02:05 P", 7);
    row("1 over hour 09 gives 12", true, "09:30 PM", 0, "1", "12:30 PM", 1);
    row("A over P", true, "02:05 PM", 6, "a", "02:05 AM", 7);
}

void TestEntryRules::timeTyping()
{
    QFETCH(bool, alternative);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, keys);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedCaret);
    const TimeEntryLocale &locale = alternative ? k12Hour : k24Hour;
    QVERIFY(typeKeys(text, caret, keys, locale,
                     [](QString &t, QChar c, int p, const TimeEntryLocale &l) {
                         return InsertTimeChar(t, c, p, l);
                     }));
    QCOMPARE(text, expectedText);
    QCOMPARE(caret, expectedCaret);
}

void TestEntryRules::isComplete()
{
    QVERIFY(!IsComplete(QString()));
    QVERIFY(!IsComplete(QStringLiteral("01.01.199")));
    QVERIFY(IsComplete(QStringLiteral("01.01.1990")));
    QVERIFY(!IsComplete(QStringLiteral("01.01.19900")));
}

// Without explicit conventions the rules type in the probed locale's.
void TestEntryRules::fieldsFollowTheProbedLocale()
{
    SetDateLocale(QLocale("de_DE"));
    QString date, time;
    int dateCaret = 0, timeCaret = 0;
    for (QChar c : QStringLiteral("35"))
        dateCaret = InsertDateChar(date, c, dateCaret);
    for (QChar c : QStringLiteral("1305pm"))
        timeCaret = InsertTimeChar(time, c, timeCaret);
    QCOMPARE(date, QStringLiteral("31.05."));
    QCOMPARE(time, QStringLiteral("13:05"));

    SetDateLocale(QLocale("en_US"));
    date.clear();
    time.clear();
    dateCaret = timeCaret = 0;
    for (QChar c : QStringLiteral("35"))
        dateCaret = InsertDateChar(date, c, dateCaret);
    for (QChar c : QStringLiteral("1305pm"))
        timeCaret = InsertTimeChar(time, c, timeCaret);
    QCOMPARE(date, QStringLiteral("03/05/"));
    QCOMPARE(time, QStringLiteral("12:30 PM"));
}

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
