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

        // The rules themselves are checked row by row in the store's tests;
        // these rows show that the fields apply them, with the locale's order.
        QTest::newRow("day held at 31, digit carried to month") << false << "de_DE" << "35" << "31.05." << 6;
        QTest::newRow("whole date") << false << "de_DE" << "06031951" << "06.03.1951" << 10;
        QTest::newRow("letters discarded") << false << "de_DE" << "a1b2-" << "12." << 3;
        QTest::newRow("month first: whole date") << false << "en_US" << "03061951" << "03/06/1951" << 10;
        QTest::newRow("whole time") << true << "de_DE" << "1405" << "14:05" << 5;
        QTest::newRow("letters other than A M P dropped") << true << "de_DE" << "x1y4" << "14:" << 3;
        QTest::newRow("12 hours: designator typed on") << true << "en_US" << "0130pm" << "01:30 PM" << 8;
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

    // Editing a filled field: Backspace only moves the caret (or the
    // selection) back, Delete and the clipboard keys change nothing, typing
    // overwrites from the caret or the selection's start, and Delete on the
    // whole text empties it, so that a time typed by mistake can be taken back.
    void editingKeys_data()
    {
        QTest::addColumn<bool>("time");
        QTest::addColumn<QPoint>("selection"); // start, length; length 0: none
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QString>("typed"); // after the keys
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("after"); // caret and selection length

        using K = QList<QKeyCombination>;
        const QKeyCombination bs(Qt::Key_Backspace), del(Qt::Key_Delete), home(Qt::Key_Home);
        QTest::newRow("backspace moves back") << false << QPoint() << K{bs} << "" << "06.03.1951" << QPoint(9, 0);
        QTest::newRow("typing after backspace overwrites")
            << false << QPoint() << K{bs} << "2" << "06.03.1952" << QPoint(10, 0);
        QTest::newRow("backspace at the start") << false << QPoint() << K{home, bs} << "" << "06.03.1951"
                                                << QPoint(0, 0);
        QTest::newRow("backspace over the separator") << true << QPoint() << K{bs, bs} << "" << "14:05"
                                                      << QPoint(3, 0);
        QTest::newRow("backspace moves a selection") << false << QPoint(3, 2) << K{bs} << "" << "06.03.1951"
                                                     << QPoint(2, 2);
        QTest::newRow("backspace keeps a selection at the start")
            << false << QPoint(0, 2) << K{bs} << "" << "06.03.1951" << QPoint(0, 2);
        QTest::newRow("delete at the start") << false << QPoint() << K{home, del} << "" << "06.03.1951"
                                             << QPoint(0, 0);
        QTest::newRow("delete inside a time") << true << QPoint() << K{Qt::Key_Left, del} << "" << "14:05"
                                              << QPoint(4, 0);
        QTest::newRow("delete on part of the text") << false << QPoint(0, 5) << K{del} << "" << "06.03.1951"
                                                    << QPoint(0, 5);
        QTest::newRow("cut, paste and undo")
            << false << QPoint(0, 10)
            << K{Qt::ControlModifier | Qt::Key_X, Qt::ControlModifier | Qt::Key_V, Qt::ControlModifier | Qt::Key_Z}
            << "" << "06.03.1951" << QPoint(0, 10);
        QTest::newRow("typing over a selection starts at its start")
            << false << QPoint(6, 4) << K{} << "2" << "06.03.2000" << QPoint(7, 0);
        QTest::newRow("delete on the whole time empties it") << true << QPoint(0, 5) << K{del} << "" << ""
                                                             << QPoint(0, 0);
    }

    void editingKeys()
    {
        QFETCH(bool, time);
        QFETCH(QPoint, selection);
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QPoint, after);
        std::unique_ptr<QLineEdit> edit(time ? static_cast<QLineEdit *>(new CTimeEdit) : new CDateEdit);
        QTest::keyClicks(edit.get(), time ? QStringLiteral("1405") : QStringLiteral("06031951"));
        if (selection.y() > 0)
            edit->setSelection(selection.x(), selection.y());
        for (const QKeyCombination key : keys)
            QTest::keyClick(edit.get(), key.key(), key.keyboardModifiers());
        QTest::keyClicks(edit.get(), typed);
        QCOMPARE(edit->text(), text);
        const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        QCOMPARE(QPoint(caret, int(edit->selectedText().size())), after);
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
