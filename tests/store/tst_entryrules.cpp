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
            qWarning("caret %d beyond \"%s\" after '%c'", caret, qPrintable(text), key.toLatin1());
            return false;
        }
    }
    return true;
}

enum Rules { DayFirst, MonthFirst, Hours24, Hours12 };

void row(Rules rules, const char *name, const char *text, int caret, const char *keys, const char *expectedText,
         int expectedCaret)
{
    static const char *const kRules[] = {"d.m.y", "m/d/y", "24h", "12h"};
    QTest::addRow("%s: %s", kRules[rules], name) << int(rules) << QString::fromUtf8(text) << caret
                                                 << QString::fromUtf8(keys) << QString::fromUtf8(expectedText)
                                                 << expectedCaret;
}

} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ResetDateLocale(); }

    void setCharAt_data()
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

    void setCharAt()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(QString, expected);
        SetCharAt(text, position, u'x');
        QCOMPARE(text, expected);
    }

    void acceptedCharacters()
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

    void typing_data()
    {
        QTest::addColumn<int>("rules");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<int>("expectedCaret");
        // Day first, "."
        row(DayFirst, "5 gets a leading 0", "", 0, "5", "05.", 3);
        row(DayFirst, "day held at 31, 5 carried", "", 0, "35", "31.05.", 6);
        row(DayFirst, "day 30", "", 0, "30", "30.", 3);
        row(DayFirst, "day 00 becomes 01", "", 0, "00", "01.", 3);
        row(DayFirst, "month 00 becomes 01", "", 0, "1500", "15.01.", 6);
        row(DayFirst, "month 2 gets a leading 0", "", 0, "012", "01.02.", 6);
        row(DayFirst, "month held at 12, 3 carried", "", 0, "0113", "01.12.163", 9);
        row(DayFirst, "separator after one digit ignored", "", 0, "1.", "1", 1);
        row(DayFirst, "separator after two digits ignored", "", 0, "12.", "12.", 3);
        row(DayFirst, "separator typed at its place", "12", 2, ".", "12.", 3);
        row(DayFirst, "whole date", "", 0, "06031951", "06.03.1951", 10);
        row(DayFirst, "year 9 starts 169", "", 0, "01019", "01.01.169", 9);
        row(DayFirst, "year 0 starts 160", "", 0, "01010", "01.01.160", 9);
        row(DayFirst, "year 15 held at 16", "", 0, "010115", "01.01.16", 8);
        row(DayFirst, "year 1599 becomes 1699", "", 0, "01011599", "01.01.1699", 10);
        row(DayFirst, "year 25 held at 21", "", 0, "010125", "01.01.21", 8);
        row(DayFirst, "year 215 held at 210", "", 0, "0101215", "01.01.210", 9);
        row(DayFirst, "fourth digit after 210 is 0", "", 0, "01012159", "01.01.2100", 10);
        row(DayFirst, "year 210 completes 2100", "", 0, "0101210", "01.01.2100", 10);
        row(DayFirst, "year 2099", "", 0, "01012099", "01.01.2099", 10);
        row(DayFirst, "nothing after a whole date", "", 0, "010119905", "01.01.1990", 10);
        row(DayFirst, "31 February can be typed", "", 0, "31021990", "31.02.1990", 10);
        // Month first, "/"
        row(MonthFirst, "month 5 gets a leading 0", "", 0, "5", "05/", 3);
        row(MonthFirst, "month held at 12, 3 carried", "", 0, "13", "12/3", 4);
        row(MonthFirst, "day held at 31, 5 carried", "", 0, "0135", "01/31/165", 9);
        row(MonthFirst, "day 4 gets a leading 0", "", 0, "014", "01/04/", 6);
        row(MonthFirst, "month 00 kept", "", 0, "00", "00/", 3);
        row(MonthFirst, "day 00 kept", "", 0, "0100", "01/00/", 6);
        row(MonthFirst, "whole US date", "", 0, "03061951", "03/06/1951", 10);
        row(MonthFirst, "US year 25 held at 21", "", 0, "010125", "01/01/21", 8);
        // Overwriting
        row(DayFirst, "3 over day 25 gives 31", "25.05.1990", 0, "3", "31.05.1990", 1);
        row(DayFirst, "2 over day 05 keeps the 5", "05.05.1990", 0, "2", "25.05.1990", 1);
        row(MonthFirst, "1 over month 09 gives 12", "09/05/1990", 0, "1", "12/05/1990", 1);
        row(MonthFirst, "3 over day 05 gives 31", "01/05/1990", 3, "3", "01/31/1990", 4);
        row(DayFirst, "digit over the separator", "01.01.1990", 2, "5", "01.05.1990", 6);
        row(DayFirst, "separator at 5 moves on", "01.01.", 5, ".", "01.01.", 6);
        row(DayFirst, "1 over 2005 gives 1600", "01.01.2005", 6, "1", "01.01.1600", 7);
        row(DayFirst, "2 over 1990 gives 2000", "01.01.1990", 6, "2", "01.01.2000", 7);
        row(DayFirst, "1 over 1990 keeps it", "01.01.1990", 6, "1", "01.01.1990", 7);
        row(DayFirst, "2 over 2100 gives 2000", "01.01.2100", 6, "2", "01.01.2000", 7);
        row(DayFirst, "2 over three digits 199", "01.01.199", 6, "2", "01.01.200", 7);
        row(DayFirst, "1 over three digits 205", "01.01.205", 6, "1", "01.01.160", 7);
        row(DayFirst, "over two year digits nothing", "01.01.19", 6, "2", "01.01.19", 7);
        row(DayFirst, "9 over 1990 gives 1690", "01.01.1990", 6, "9", "01.01.1690", 9);
        row(DayFirst, "third digit of 2100 stays 0", "01.01.2100", 8, "5", "01.01.2100", 9);
        row(DayFirst, "third digit of 2050", "01.01.2050", 8, "7", "01.01.2070", 9);
        // Regression: a 1 typed over the second digit of 2050 gave 2150.
        row(DayFirst, "1 over 2050 gives 2100", "01.01.2050", 7, "1", "01.01.2100", 8);
        row(DayFirst, "at position 10 nothing", "01.01.1990", 10, "5", "01.01.1990", 10);
        // 24 hours
        row(Hours24, "7 gets a leading 0", "", 0, "7", "07:", 3);
        row(Hours24, "hour held at 23, 7 carried", "", 0, "27", "23:07", 5);
        row(Hours24, "whole time", "", 0, "1405", "14:05", 5);
        row(Hours24, "minute 6 gets a leading 0", "", 0, "146", "14:06", 5);
        row(Hours24, "minute 59", "", 0, "2359", "23:59", 5);
        row(Hours24, "nothing after the minute", "", 0, "14059P", "14:05", 5);
        row(Hours24, "separator after one digit ignored", "", 0, "1:", "1", 1);
        row(Hours24, "separator at its place", "14", 2, ":", "14:", 3);
        // Regression: letters went into the hour ("0A:") in digit places.
        row(Hours24, "letters ignored in digit places", "", 0, "a1p4m", "14:", 3);
        row(Hours24, "2 over hour 15 gives 23", "15:30", 0, "2", "23:30", 1);
        // 12 hours
        row(Hours12, "2 gets a leading 0", "", 0, "2", "02:", 3);
        row(Hours12, "hour held at 12, 3 carried", "", 0, "13", "12:3", 4);
        row(Hours12, "hour 00 kept", "", 0, "0015a", "00:15 A", 7);
        row(Hours12, "whole afternoon", "", 0, "0205pm", "02:05 PM", 8);
        row(Hours12, "whole morning in capitals", "", 0, "1130AM", "11:30 AM", 8);
        row(Hours12, "M before A or P ignored", "", 0, "0205m", "02:05 ", 6);
        row(Hours12, "digit in designator place ignored", "", 0, "02059", "02:05 ", 6);
        row(Hours12, "P then digit ignored", "", 0, "0205p1", "02:05 P", 7);
        row(Hours12, "nothing after M", "", 0, "0205pmp", "02:05 PM", 8);
        row(Hours12, "designator typed at the blank", "02:05", 5, "p", "02:05 P", 7);
        row(Hours12, "1 over hour 09 gives 12", "09:30 PM", 0, "1", "12:30 PM", 1);
        row(Hours12, "A over P", "02:05 PM", 6, "a", "02:05 AM", 7);
    }

    // Date rows are written with "." and typed with the conventions' separator.
    void typing()
    {
        QFETCH(int, rules);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, keys);
        QFETCH(QString, expectedText);
        QFETCH(int, expectedCaret);
        if (rules == Hours24 || rules == Hours12) {
            QVERIFY(typeKeys(text, caret, keys, rules == Hours12 ? k12Hour : k24Hour,
                             [](QString &t, QChar c, int p, const TimeEntryLocale &l) { return InsertTimeChar(t, c, p, l); }));
        } else {
            const DateEntryLocale &locale = rules == MonthFirst ? kMonthFirst : kDayFirst;
            keys.replace(u'.', locale.separator);
            expectedText.replace(u'.', locale.separator);
            QVERIFY(typeKeys(text, caret, keys, locale,
                             [](QString &t, QChar c, int p, const DateEntryLocale &l) { return InsertDateChar(t, c, p, l); }));
        }
        QCOMPARE(text, expectedText);
        QCOMPARE(caret, expectedCaret);
    }

    void isComplete()
    {
        QVERIFY(!IsComplete(QString()));
        QVERIFY(!IsComplete(QStringLiteral("01.01.199")));
        QVERIFY(IsComplete(QStringLiteral("01.01.1990")));
        QVERIFY(!IsComplete(QStringLiteral("01.01.19900")));
    }

    // Without explicit conventions the rules type in the probed locale's, and
    // follow a change of locale.
    void fieldsFollowTheProbedLocale()
    {
        const auto typed = [](const char *locale) {
            SetDateLocale(QLocale(locale));
            QString date, time;
            int dateCaret = 0, timeCaret = 0;
            for (QChar c : QStringLiteral("35"))
                dateCaret = InsertDateChar(date, c, dateCaret);
            for (QChar c : QStringLiteral("1305pm"))
                timeCaret = InsertTimeChar(time, c, timeCaret);
            return date + u'|' + time;
        };
        QCOMPARE(typed("de_DE"), QStringLiteral("31.05.|13:05"));
        QCOMPARE(typed("en_US"), QStringLiteral("03/05/|12:30 PM"));
    }
};

QTEST_GUILESS_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
