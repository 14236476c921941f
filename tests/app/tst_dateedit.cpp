// The date and time entry fields driven through key events: the typing
// rules reach the text and the caret, Backspace only moves, Delete and
// other editing keys change nothing, Enter is reported by the date field.

#include "app/dateedit.h"
#include "store/datetext.h"

#include <QSignalSpy>
#include <QtTest>

using namespace quadrivium;

class TestDateEdit : public QObject {
    Q_OBJECT

private slots:
    void init() { SetDateLocale(QLocale(QStringLiteral("de_DE"))); }
    void cleanup() { ResetDateLocale(); }

    void typing_data()
    {
        QTest::addColumn<bool>("time"); // the time field, else the date field
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");

        QTest::newRow("single day digit gets a 0") << false << "de_DE" << "5" << "05." << 3;
        QTest::newRow("day held at 31, digit carried to month") << false << "de_DE" << "35" << "31.05." << 6;
        QTest::newRow("whole date") << false << "de_DE" << "06031951" << "06.03.1951" << 10;
        QTest::newRow("separator out of place ignored") << false << "de_DE" << "1.." << "1" << 1;
        QTest::newRow("letters discarded") << false << "de_DE" << "a1b2-" << "12." << 3;
        QTest::newRow("year 9 becomes 169") << false << "de_DE" << "01019" << "01.01.169" << 9;
        QTest::newRow("year after 210 ends in 0") << false << "de_DE" << "01012159" << "01.01.2100" << 10;
        QTest::newRow("nothing beyond ten characters") << false << "de_DE" << "0101195199" << "01.01.1951" << 10;
        QTest::newRow("month first: month held at 12") << false << "en_US" << "13" << "12/3" << 4;
        QTest::newRow("month first: whole date") << false << "en_US" << "03061951" << "03/06/1951" << 10;
        QTest::newRow("month first: day held at 31") << false << "en_US" << "0135" << "01/31/165" << 9;

        QTest::newRow("single hour digit gets a 0") << true << "de_DE" << "7" << "07:" << 3;
        QTest::newRow("hour held at 23, digit carried on") << true << "de_DE" << "27" << "23:07" << 5;
        QTest::newRow("whole time") << true << "de_DE" << "1405" << "14:05" << 5;
        QTest::newRow("24 hours: no designator") << true << "de_DE" << "1230pm" << "12:30" << 5;
        QTest::newRow("letters other than A M P dropped") << true << "de_DE" << "x1y4" << "14:" << 3;
        QTest::newRow("12 hours: hour held at 12") << true << "en_US" << "13" << "12:3" << 4;
        QTest::newRow("12 hours: designator typed on") << true << "en_US" << "0130pm" << "01:30 PM" << 8;
        QTest::newRow("12 hours: wrong letter ignored") << true << "en_US" << "0130m" << "01:30 " << 6;
    }

    void typing()
    {
        QFETCH(bool, time);
        QFETCH(QString, locale);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, caret);
        SetDateLocale(QLocale(locale));
        std::unique_ptr<QLineEdit> edit(time ? static_cast<QLineEdit *>(new CTimeEdit) : new CDateEdit);
        QTest::keyClicks(edit.get(), keys);
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->cursorPosition(), caret);
    }

    void backspaceMovesCaretOnly()
    {
        CDateEdit date;
        QTest::keyClicks(&date, QStringLiteral("06031951"));
        QTest::keyClick(&date, Qt::Key_Backspace);
        QCOMPARE(date.text(), QStringLiteral("06.03.1951"));
        QCOMPARE(date.cursorPosition(), 9);
        // Typing after Backspace overwrites the last year digit.
        QTest::keyClicks(&date, QStringLiteral("2"));
        QCOMPARE(date.text(), QStringLiteral("06.03.1952"));
        QTest::keyClick(&date, Qt::Key_Home);
        QTest::keyClick(&date, Qt::Key_Backspace);
        QCOMPARE(date.cursorPosition(), 0);
        QCOMPARE(date.text(), QStringLiteral("06.03.1952"));

        CTimeEdit time;
        QTest::keyClicks(&time, QStringLiteral("1405"));
        QTest::keyClick(&time, Qt::Key_Backspace);
        QTest::keyClick(&time, Qt::Key_Backspace);
        QCOMPARE(time.text(), QStringLiteral("14:05"));
        QCOMPARE(time.cursorPosition(), 3);
    }

    void backspaceMovesSelection()
    {
        CDateEdit date;
        QTest::keyClicks(&date, QStringLiteral("06031951"));
        date.setSelection(3, 2);
        QTest::keyClick(&date, Qt::Key_Backspace);
        QCOMPARE(date.text(), QStringLiteral("06.03.1951"));
        QCOMPARE(date.selectionStart(), 2);
        QCOMPARE(date.selectionLength(), 2);
        date.setSelection(0, 2);
        QTest::keyClick(&date, Qt::Key_Backspace);
        QCOMPARE(date.selectionStart(), 0);
        QCOMPARE(date.selectionLength(), 2);
    }

    void deleteAndEditingKeysChangeNothing()
    {
        CDateEdit date;
        QTest::keyClicks(&date, QStringLiteral("06031951"));
        QTest::keyClick(&date, Qt::Key_Home);
        QTest::keyClick(&date, Qt::Key_Delete);
        QCOMPARE(date.text(), QStringLiteral("06.03.1951"));
        QCOMPARE(date.cursorPosition(), 0);
        date.setSelection(0, 5);
        QTest::keyClick(&date, Qt::Key_Delete);
        date.selectAll();
        QTest::keyClick(&date, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(&date, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(&date, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(date.text(), QStringLiteral("06.03.1951"));

        CTimeEdit time;
        QTest::keyClicks(&time, QStringLiteral("1405"));
        QTest::keyClick(&time, Qt::Key_Left);
        QTest::keyClick(&time, Qt::Key_Delete);
        QCOMPARE(time.text(), QStringLiteral("14:05"));
        QCOMPARE(time.cursorPosition(), 4);

        // Delete on the whole text empties the field, so that a time of birth
        // typed by mistake can be taken back (nothing else could remove it).
        time.selectAll();
        QTest::keyClick(&time, Qt::Key_Delete);
        QCOMPARE(time.text(), QString());
    }

    void typingOverSelectionStartsAtItsStart()
    {
        CDateEdit date;
        QTest::keyClicks(&date, QStringLiteral("06031951"));
        // The selected year is not removed: the digit goes to its first place.
        date.setSelection(6, 4);
        QTest::keyClicks(&date, QStringLiteral("2"));
        QCOMPARE(date.text(), QStringLiteral("06.03.2000"));
        QCOMPARE(date.cursorPosition(), 7);
    }

    void enterReportsDateEntered()
    {
        CDateEdit date;
        QSignalSpy entered(&date, &CDateEdit::dateEntered);
        QTest::keyClicks(&date, QStringLiteral("0603"));
        QCOMPARE(entered.count(), 0);
        QTest::keyClick(&date, Qt::Key_Return);
        QCOMPARE(entered.count(), 1);
        QTest::keyClick(&date, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(entered.count(), 2);
        QCOMPARE(date.text(), QStringLiteral("06.03."));
    }
};

QTEST_MAIN(TestDateEdit)
#include "tst_dateedit.moc"
