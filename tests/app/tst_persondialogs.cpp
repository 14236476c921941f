// The person selection dialog, the person dialog and the group dialog over
// a real persons database in a temporary folder, driven by mouse, key and
// drop events; message boxes and nested dialogs are answered from timers.

#include "app/dateedit.h"
#include "app/groupdialog.h"
#include "app/persondialog.h"
#include "app/personlistview.h"
#include "app/personselectdialog.h"
#include "apptestsupport.h"
#include "pages/quadriviumdoc.h"
#include "store/datetext.h"
#include "store/personstore.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>


using namespace quadrivium;

namespace {

QStringList names(const CPersonListView *list)
{
    QStringList texts;
    const QAbstractItemModel *model = list->model();
    for (int i = 0; i < model->rowCount(); ++i)
        texts << model->index(i, 0).data().toString();
    return texts;
}

/// The first cell of the row whose name is `name`; invalid when none.
QModelIndex rowNamed(const CPersonListView *list, const QString &name)
{
    const QAbstractItemModel *model = list->model();
    for (int i = 0; i < model->rowCount(); ++i) {
        if (model->index(i, 0).data().toString() == name)
            return model->index(i, 0);
    }
    return {};
}

QString cell(const QModelIndex &row, int column)
{
    return row.siblingAtColumn(column).data().toString();
}

void doubleClickRow(CPersonListView *list, const QString &name)
{
    const QModelIndex row = rowNamed(list, name);
    QVERIFY2(row.isValid(), qPrintable(name));
    const QPoint at = list->visualRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void selectRow(CPersonListView *list, const QString &name)
{
    const QModelIndex row = rowNamed(list, name);
    QVERIFY2(row.isValid(), qPrintable(name));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
    QVERIFY(list->selectionModel()->isRowSelected(row.row()));
}

/// Drops the row `source` onto the row `target` as a mouse drag would.
void dropRow(CPersonListView *list, const QString &source, const QString &target)
{
    const QModelIndex from = rowNamed(list, source);
    const QModelIndex onto = rowNamed(list, target);
    QVERIFY(from.isValid() && onto.isValid());
    std::unique_ptr<QMimeData> mime(list->model()->mimeData({from}));
    QVERIFY(mime);
    const QPoint at = list->visualRect(onto).center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    // The drop goes to the widget that accepted the drag's entry.
    QDragEnterEvent enter(at, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QDragMoveEvent move(at, actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(at), actions, mime.get(), Qt::LeftButton, Qt::NoModifier);
    for (QDropEvent *event : std::initializer_list<QDropEvent *>{&enter, &move, &drop}) {
        QApplication::sendEvent(list->viewport(), event);
        QVERIFY(event->isAccepted());
    }
}

QPushButton *button(const QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1String(name));
}

QLineEdit *field(const QWidget *dialog, const char *name)
{
    return dialog->findChild<QLineEdit *>(QLatin1String(name));
}

/// The person dialog's entries: last name, first name, group, date, time.
QStringList fields(const QWidget *dialog)
{
    QStringList texts;
    for (const char *name : {"lastName", "firstName", "group", "dateOfBirth", "time"})
        texts << field(dialog, name)->text();
    return texts;
}

bool shown(QWidget &widget)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

PersonEntry person(const char *last, const char *first, DateTimeValue born, DateTimeValue time = {},
                   const char *group = "")
{
    return {QString::fromUtf8(last), QString::fromUtf8(first), born, time, QString::fromUtf8(group)};
}

} // namespace

class TestPersonDialogs : public QObject {
    Q_OBJECT

    PersonStore store() const { return PersonStore(m_path); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<CQuadriviumDoc> m_doc;
    int m_familyChild = 0;
    int m_familyId = 0;

    std::optional<PersonRow> personNamed(const QString &last, const QString &first) const
    {
        const auto all = store().listPersons();
        if (!all.ok())
            return std::nullopt;
        for (const PersonRow &row : all.value())
            if (row.name == last && row.first == first)
                return row;
        return std::nullopt;
    }

    int personCount() const
    {
        const auto all = store().listPersons();
        return all.ok() ? int(all.value().size()) : -1;
    }

    void fill(CPersonDialog &dialog, const QString &last, const QString &first, const QString &group,
              const QString &dateKeys, const QString &timeKeys)
    {
        const QStringList keys{last, first, group, dateKeys, timeKeys};
        const char *names[] = {"lastName", "firstName", "group", "dateOfBirth", "time"};
        for (int i = 0; i < 5; ++i) {
            QLineEdit *edit = field(&dialog, names[i]);
            edit->clear();
            QTest::keyClicks(edit, keys[i]);
        }
    }

private slots:
    void init()
    {
        SetDateLocale(QLocale(QStringLiteral("de_DE")));
        CPersonDialog::setDefaultGroupName(QString());
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("p1.mdb"));
        QVERIFY(CreatePersonsDatabase(m_path).ok());
        const PersonStore s = store();
        QVERIFY(s.addGroup(QStringLiteral("Empty")).ok());
        const auto family = s.addGroup(QStringLiteral("Family"));
        QVERIFY(family.ok());
        m_familyChild = family->child;
        m_familyId = family->id;
        QVERIFY(s.addPersons({
            person("Muster", "Anna", DateTimeValue::fromFields(1951, 3, 6), DateTimeValue::fromTime(14, 5), "Family"),
            person("Muster", "Max", DateTimeValue::fromFields(1949, 11, 30), {}, "Family"),
            person("Adams", "Zoe", DateTimeValue::fromFields(1980, 1, 1)),
            person("O'Brien", "Pat", DateTimeValue::fromFields(1975, 7, 14)),
        }).ok());
        m_doc = std::make_unique<CQuadriviumDoc>();
    }

    void cleanup()
    {
        m_doc.reset();
        m_dir.reset();
        ResetDateLocale();
    }

    // --- Selection dialog -----------------------------------------------------

    void levels()
    {
        CPersonSelectDialog dialog(*m_doc, m_path);
        QVERIFY(shown(dialog));
        CPersonListView *list = dialog.list();

        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open"));
        QCOMPARE(names(list), (QStringList{"Empty", "Family", "Adams, Zoe", "O'Brien, Pat"}));
        QVERIFY(button(&dialog, "newGroupButton")->isEnabled());
        QVERIFY(!button(&dialog, "okButton")->isEnabled());
        QVERIFY(!button(&dialog, "editButton")->isEnabled());
        QVERIFY(!button(&dialog, "deleteButton")->isEnabled());
        QCOMPARE(cell(rowNamed(list, "Adams, Zoe"), 1), QStringLiteral("01.01.1980"));
        QCOMPARE(cell(rowNamed(list, "Family"), 1), QString());

        doubleClickRow(list, QStringLiteral("Family"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open - Family"));
        QCOMPARE(names(list), (QStringList{"..", "Muster, Anna", "Muster, Max"}));
        QVERIFY(!button(&dialog, "newGroupButton")->isEnabled());
        QCOMPARE(cell(rowNamed(list, "Muster, Anna"), 1), QStringLiteral("06.03.1951"));
        QCOMPARE(cell(rowNamed(list, "Muster, Anna"), 2), QStringLiteral("14:05:00"));
        QVERIFY(dialog.isVisible());

        doubleClickRow(list, QStringLiteral(".."));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open"));
        QCOMPARE(names(list), (QStringList{"Empty", "Family", "Adams, Zoe", "O'Brien, Pat"}));
        QVERIFY(button(&dialog, "newGroupButton")->isEnabled());

        // A double-click on a person opens that person.
        doubleClickRow(list, QStringLiteral("Family"));
        doubleClickRow(list, QStringLiteral("Muster, Anna"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(m_doc->personName(), QStringLiteral("Anna Muster"));
        QCOMPARE(m_doc->birthDate(), DateTimeValue::fromFields(1951, 3, 6));
        QCOMPARE(m_doc->birthTime(), DateTimeValue::fromTime(14, 5));
        QCOMPARE(m_doc->settings().value(DocumentSettings::LastID), personNamed("Muster", "Anna")->id);
    }

    void okOnRows()
    {
        CPersonSelectDialog dialog(*m_doc, m_path);
        QVERIFY(shown(dialog));
        CPersonListView *list = dialog.list();

        selectRow(list, QStringLiteral("Family"));
        QVERIFY(button(&dialog, "okButton")->isEnabled());
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open - Family"));
        QCOMPARE(dialog.levelKey(), m_familyChild);

        // Regression: OK on ".." used to list the level with key 0, where no
        // person or group stands, instead of the top level.
        selectRow(list, QStringLiteral(".."));
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.levelKey(), kTopLevelKey);
        QCOMPARE(names(list), (QStringList{"Empty", "Family", "Adams, Zoe", "O'Brien, Pat"}));

        selectRow(list, QStringLiteral("O'Brien, Pat"));
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(m_doc->personName(), QStringLiteral("Pat O'Brien"));
        QCOMPARE(m_doc->birthDate(), DateTimeValue::fromFields(1975, 7, 14));
        QCOMPARE(m_doc->settings().value(DocumentSettings::LastID), personNamed("O'Brien", "Pat")->id);
    }

    // Typing in the list makes the next row whose name starts so current,
    // from the top when none follows; groups and ".." are rows too.
    void typingFindsRow_data()
    {
        QTest::addColumn<bool>("inGroup");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected"); // empty: nothing current

        QTest::newRow("group, other case") << false << "fam" << "Family";
        QTest::newRow("person after the groups") << false << "o'b" << "O'Brien, Pat";
        QTest::newRow("name and first name") << false << "Adams, z" << "Adams, Zoe";
        QTest::newRow("no such name") << false << "xy" << "";
        QTest::newRow("second of two names alike") << true << "muster, m" << "Muster, Max";
        QTest::newRow("the row up") << true << ".." << "..";
    }

    void typingFindsRow()
    {
        QFETCH(bool, inGroup);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        CPersonSelectDialog dialog(*m_doc, m_path);
        QVERIFY(shown(dialog));
        CPersonListView *list = dialog.list();
        if (inGroup)
            doubleClickRow(list, QStringLiteral("Family"));
        list->setCurrentIndex({});
        QTest::keyClicks(list, typed);
        QCOMPARE(list->currentIndex().siblingAtColumn(0).data().toString(), expected);
    }

    void deleteRows_data()
    {
        QTest::addColumn<QString>("row");    // empty: nothing selected
        QTest::addColumn<bool>("byKey");     // Delete key in the list instead of the button
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("remaining");

        const QStringList all{"Empty", "Family", "Adams, Zoe", "O'Brien, Pat"};
        QTest::newRow("group with members") << "Family" << false << QMessageBox::Ok
                                            << "There is still data saved in this group" << all;
        QTest::newRow("nothing selected") << "" << true << QMessageBox::Ok << "Please select the items to be deleted"
                                          << all;
        QTest::newRow("empty group, yes") << "Empty" << false << QMessageBox::Yes << "Delete Empty?"
                                          << QStringList{"Family", "Adams, Zoe", "O'Brien, Pat"};
        QTest::newRow("person, no") << "Adams, Zoe" << true << QMessageBox::No << "Delete Zoe Adams?" << all;
        QTest::newRow("person, yes") << "Adams, Zoe" << false << QMessageBox::Yes << "Delete Zoe Adams?"
                                     << QStringList{"Empty", "Family", "O'Brien, Pat"};
    }

    void deleteRows()
    {
        QFETCH(QString, row);
        QFETCH(bool, byKey);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, message);
        QFETCH(QStringList, remaining);

        CPersonSelectDialog dialog(*m_doc, m_path);
        QVERIFY(shown(dialog));
        CPersonListView *list = dialog.list();
        if (!row.isEmpty())
            selectRow(list, row);
        ModalDriver answerer({ModalDriver::answer(answer)});
        if (byKey)
            QTest::keyClick(list, Qt::Key_Delete);
        else
            QTest::mouseClick(button(&dialog, "deleteButton"), Qt::LeftButton);

        QCOMPARE(answerer.boxes, QStringList{"Delete: " + message + " [Question]"});
        QCOMPARE(names(list), remaining);
        // The store, not only the list, keeps what was not deleted.
        QCOMPARE(int(store().listLevel(kTopLevelKey).value().size()), remaining.size());
        QCOMPARE(int(store().listLevel(m_familyChild).value().size()), 2);
        QVERIFY(dialog.isVisible());
    }

    void dragPersonIntoGroupAndBack()
    {
        CPersonSelectDialog dialog(*m_doc, m_path);
        QVERIFY(shown(dialog));
        CPersonListView *list = dialog.list();

        // A group is not dragged: rows are marked draggable without being
        // read, so the drag itself must refuse it.
        const QModelIndexList family = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                            QStringLiteral("Family"), 1, Qt::MatchExactly);
        QCOMPARE(family.size(), 1);
        QVERIFY(std::unique_ptr<QMimeData>(list->model()->mimeData(family)) == nullptr);

        // Onto a person or onto itself: nothing moves.
        dropRow(list, QStringLiteral("Adams, Zoe"), QStringLiteral("O'Brien, Pat"));
        dropRow(list, QStringLiteral("Adams, Zoe"), QStringLiteral("Adams, Zoe"));
        QCOMPARE(personNamed("Adams", "Zoe")->parent, kTopLevelKey);

        dropRow(list, QStringLiteral("Adams, Zoe"), QStringLiteral("Family"));
        QCOMPARE(personNamed("Adams", "Zoe")->parent, m_familyChild);
        QCOMPARE(names(list), (QStringList{"Empty", "Family", "O'Brien, Pat"}));

        doubleClickRow(list, QStringLiteral("Family"));
        QCOMPARE(names(list), (QStringList{"..", "Adams, Zoe", "Muster, Anna", "Muster, Max"}));
        dropRow(list, QStringLiteral("Muster, Max"), QStringLiteral(".."));
        QCOMPARE(personNamed("Muster", "Max")->parent, kTopLevelKey);
        QCOMPARE(names(list), (QStringList{"..", "Adams, Zoe", "Muster, Anna"}));
    }

    // Edit renames the selected group and keeps it selected; New adds a
    // person and lists it.
    void editAndNewFromSelection()
    {
        CPersonSelectDialog dialog(*m_doc, m_path);
        QVERIFY(shown(dialog));
        CPersonListView *list = dialog.list();
        selectRow(list, QStringLiteral("Empty"));
        QString shownName;
        ModalDriver driver({[&](QWidget *w) {
                                auto *group = qobject_cast<CGroupDialog *>(w);
                                QVERIFY(group);
                                shownName = group->groupName();
                                auto *edit = group->findChild<QLineEdit *>(QStringLiteral("groupName"));
                                edit->selectAll();
                                QTest::keyClicks(edit, QStringLiteral("Friends"));
                                QTest::keyClick(edit, Qt::Key_Return);
                            },
                            [&](QWidget *w) {
                                auto *person = qobject_cast<CPersonDialog *>(w);
                                QVERIFY(person);
                                fill(*person, QStringLiteral("Zeta"), QStringLiteral("Ina"), QString(),
                                     QStringLiteral("01021990"), QString());
                                QTest::mouseClick(button(person, "okButton"), Qt::LeftButton);
                            }});
        QTest::mouseClick(button(&dialog, "editButton"), Qt::LeftButton);
        QCOMPARE(shownName, QStringLiteral("Empty"));
        QCOMPARE(names(list), (QStringList{"Family", "Friends", "Adams, Zoe", "O'Brien, Pat"}));
        QVERIFY(list->selectionModel()->isRowSelected(rowNamed(list, QStringLiteral("Friends")).row()));
        QVERIFY(button(&dialog, "editButton")->isEnabled());
        QVERIFY(button(&dialog, "deleteButton")->isEnabled());

        QTest::mouseClick(button(&dialog, "newButton"), Qt::LeftButton);
        QCOMPARE(driver.seen, (QStringList{"quadrivium::CGroupDialog", "quadrivium::CPersonDialog"}));
        QCOMPARE(names(list), (QStringList{"Family", "Friends", "Adams, Zoe", "O'Brien, Pat", "Zeta, Ina"}));
        QCOMPARE(m_doc->personName(), QStringLiteral("Ina Zeta"));
        QVERIFY(dialog.isVisible());
    }

    // The group last selected in the Open dialog is the group a new person
    // is offered.
    void groupField()
    {
        {
            CPersonSelectDialog dialog(*m_doc, m_path);
            QVERIFY(shown(dialog));
            selectRow(dialog.list(), QStringLiteral("Family"));
            selectRow(dialog.list(), QStringLiteral("Adams, Zoe"));
        }
        // Outlives the selection dialog.
        QCOMPARE(CPersonDialog::defaultGroupName(), QStringLiteral("Family"));
        CPersonDialog person(*m_doc, m_path, 0);
        QVERIFY(shown(person));
        QCOMPARE(field(&person, "group")->text(), QStringLiteral("Family"));

        // A click in the group list fills the group field; the top level's
        // own row is not offered.
        auto *groups = person.findChild<QListWidget *>(QStringLiteral("groupList"));
        QStringList listed;
        for (int i = 0; i < groups->count(); ++i)
            listed << groups->item(i)->text();
        QCOMPARE(listed, (QStringList{"Empty", "Family"}));
        QTest::mouseClick(groups->viewport(), Qt::LeftButton, {}, groups->visualItemRect(groups->item(0)).center());
        QCOMPARE(field(&person, "group")->text(), QStringLiteral("Empty"));
    }

    // --- Person dialog ----------------------------------------------------------

    void okEnabling_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("dateKeys");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("nothing entered") << "" << "" << "" << false;
        QTest::newRow("names, no date") << "Kern" << "Eva" << "" << false;
        QTest::newRow("names, date of nine characters") << "Kern" << "Eva" << "0101195" << false;
        QTest::newRow("names and whole date") << "Kern" << "Eva" << "01011951" << true;
        QTest::newRow("last name only") << "Kern" << "" << "01011951" << true;
        QTest::newRow("first name only") << "" << "Eva" << "01011951" << true;
        QTest::newRow("no name") << "" << "" << "01011951" << false;
        QTest::newRow("blank names") << "  " << " " << "01011951" << false;
    }

    void okEnabling()
    {
        QFETCH(QString, last);
        QFETCH(QString, first);
        QFETCH(QString, dateKeys);
        QFETCH(bool, enabled);

        CPersonDialog dialog(*m_doc, m_path, 0);
        QVERIFY(shown(dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New"));
        QPushButton *ok = button(&dialog, "okButton");
        QVERIFY(!ok->isEnabled());
        fill(dialog, last, first, QString(), dateKeys, QString());
        QCOMPARE(ok->isEnabled(), enabled);
        // OK that is not enabled cannot be pressed with Enter either.
        const int before = personCount();
        QTest::keyClick(field(&dialog, "lastName"), Qt::Key_Return);
        QCOMPARE(personCount(), enabled ? before + 1 : before);
    }

    void add_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("dateKeys"); // 6 March 1951 in the locale's order
        QTest::addColumn<QString>("timeKeys");
        QTest::addColumn<QString>("designator"); // typed into the designator field; empty: left alone
        QTest::addColumn<QString>("shownDesignator"); // empty: the field is hidden
        QTest::addColumn<DateTimeValue>("time");

        QTest::newRow("24 hours") << "de_DE" << "06031951" << "0730" << "" << "" << DateTimeValue::fromTime(7, 30);
        const QString us = QStringLiteral("en_US");
        const QString date = QStringLiteral("03061951");
        QTest::newRow("designator field PM") << us << date << "0205" << "PM" << "PM" << DateTimeValue::fromTime(14, 5);
        QTest::newRow("designator left at AM") << us << date << "0205" << "" << "AM" << DateTimeValue::fromTime(2, 5);
        QTest::newRow("designator typed on in time field") << us << date << "0205pm" << "" << "PM"
                                                           << DateTimeValue::fromTime(14, 5);
        QTest::newRow("12 AM is midnight") << us << date << "1230" << "AM" << "AM" << DateTimeValue::fromTime(0, 30);
        QTest::newRow("no time") << us << date << "" << "" << "AM" << DateTimeValue();
    }

    void add()
    {
        QFETCH(QString, locale);
        QFETCH(QString, dateKeys);
        QFETCH(QString, timeKeys);
        QFETCH(QString, designator);
        QFETCH(QString, shownDesignator);
        QFETCH(DateTimeValue, time);

        SetDateLocale(QLocale(locale));
        CPersonDialog dialog(*m_doc, m_path, 0);
        QVERIFY(shown(dialog));
        QLineEdit *designatorEdit = field(&dialog, "designator");
        QCOMPARE(designatorEdit->isVisible(), !shownDesignator.isEmpty());
        if (designatorEdit->isVisible())
            QCOMPARE(designatorEdit->text(), QStringLiteral("AM"));
        fill(dialog, QStringLiteral("Kern"), QStringLiteral("Eva"), QStringLiteral("Friends"), dateKeys, timeKeys);
        if (!designator.isEmpty()) {
            designatorEdit->clear();
            QTest::keyClicks(designatorEdit, designator);
        }
        if (designatorEdit->isVisible())
            QCOMPARE(designatorEdit->text(), shownDesignator);
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        const auto row = personNamed("Kern", "Eva");
        QVERIFY(row);
        QCOMPARE(row->born, DateTimeValue::fromFields(1951, 3, 6));
        QCOMPARE(row->time, time);
        // The typed group did not exist: it was made at the top level.
        QCOMPARE(store().groupNameOfPerson(row->parent).value(), QStringLiteral("Friends"));
        QCOMPARE(m_doc->personName(), QStringLiteral("Eva Kern"));
        QCOMPARE(m_doc->birthDate(), row->born);
        QCOMPARE(m_doc->birthTime(), row->time);
        QCOMPARE(m_doc->settings().value(DocumentSettings::LastID), row->id);
    }

    void unreadableInputRefused_data()
    {
        QTest::addColumn<QString>("dateKeys");
        QTest::addColumn<QString>("timeKeys");

        QTest::newRow("31 February") << "31021990" << "1200";
        QTest::newRow("29 February of a common year") << "29021991" << "";
        QTest::newRow("time without minutes") << "01011990" << "07";
    }

    void unreadableInputRefused()
    {
        QFETCH(QString, dateKeys);
        QFETCH(QString, timeKeys);

        // Regression: a date (or time) the parser cannot read used to be stored
        // as 30 December 1899 (or as no time) and the dialog closed as if all
        // was well. It is refused and every entry stays as typed.
        CPersonDialog dialog(*m_doc, m_path, 0);
        QVERIFY(shown(dialog));
        fill(dialog, QStringLiteral("Kern"), QStringLiteral("Eva"), QStringLiteral("Family"), dateKeys, timeKeys);
        const QStringList typed = fields(&dialog);
        QCOMPARE(typed.mid(0, 3), (QStringList{"Kern", "Eva", "Family"}));
        QVERIFY(button(&dialog, "okButton")->isEnabled());
        const int before = personCount();

        ModalDriver answerer({ModalDriver::answer(QMessageBox::Ok)});
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(answerer.boxes, QStringList{"Error: False Input [Critical]"});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(personCount(), before);
        QVERIFY(!m_doc->hasPerson());
        QCOMPARE(fields(&dialog), typed);
    }

    void duplicateQuestion_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("group"); // named in the question
        QTest::addColumn<bool>("added");

        QTest::newRow("in a group, no") << "Muster" << "Anna" << QMessageBox::No << "Family" << false;
        QTest::newRow("in a group, yes") << "Muster" << "Anna" << QMessageBox::Yes << "Family" << true;
        QTest::newRow("apostrophe, top level, no") << "O'Brien" << "Pat" << QMessageBox::No << "Persons" << false;
    }

    void duplicateQuestion()
    {
        QFETCH(QString, last);
        QFETCH(QString, first);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, group);
        QFETCH(bool, added);

        CPersonDialog dialog(*m_doc, m_path, 0);
        QVERIFY(shown(dialog));
        fill(dialog, last, first, QStringLiteral("Friends"), QStringLiteral("02021962"), QStringLiteral("0815"));
        const int before = personCount();
        ModalDriver answerer({ModalDriver::answer(answer)});
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        const QString question = QStringLiteral("This name %1 %2 exists already in Group %3.\nAdd this person all the same?");
        QCOMPARE(answerer.boxes, QStringList{"Name already in database: " + question.arg(first, last, group) + " [Question]"});
        QCOMPARE(personCount(), added ? before + 1 : before);
        QCOMPARE(dialog.isVisible(), !added);
        QCOMPARE(m_doc->hasPerson(), added);
        if (!added)
            QCOMPARE(fields(&dialog), (QStringList{last, first, "Friends", "02.02.1962", "08:15"}));
    }

    void editMode_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("dateAndTime"); // as shown
        QTest::addColumn<QString>("designator"); // empty: the field is hidden
        QTest::newRow("24 hours") << "de_DE" << QStringList{"06.03.1951", "14:05"} << "";
        QTest::newRow("12 hours") << "en_US" << QStringList{"03/06/1951", "02:05"} << "PM";
    }

    void editMode()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, dateAndTime);
        QFETCH(QString, designator);
        SetDateLocale(QLocale(locale));
        const int id = personNamed("Muster", "Anna")->id;
        CPersonDialog dialog(*m_doc, m_path, id);
        QVERIFY(shown(dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit File"));
        QLineEdit *firstEdit = field(&dialog, "firstName");
        QLineEdit *groupEdit = field(&dialog, "group");
        QCOMPARE(fields(&dialog), QStringList({"Muster", "Anna", "Family"}) + dateAndTime);
        QCOMPARE(field(&dialog, "designator")->isVisible(), !designator.isEmpty());
        if (!designator.isEmpty())
            QCOMPARE(field(&dialog, "designator")->text(), designator);
        QVERIFY(button(&dialog, "okButton")->isEnabled());

        // Editing asks no duplicate question; a group name no group carries
        // makes that group (it once filed the person at the top level
        // without a word); the untouched date and time are saved as they were.
        firstEdit->selectAll();
        QTest::keyClicks(firstEdit, QStringLiteral("Annette"));
        groupEdit->selectAll();
        QTest::keyClicks(groupEdit, QStringLiteral("Nowhere"));
        QTest::mouseClick(button(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const auto row = store().find(id).value();
        QVERIFY(row);
        QCOMPARE(row->first, QStringLiteral("Annette"));
        QCOMPARE(store().groupNameOfPerson(row->parent).value(), QStringLiteral("Nowhere"));
        QCOMPARE(row->born, DateTimeValue::fromFields(1951, 3, 6));
        QCOMPARE(row->time, DateTimeValue::fromTime(14, 5));
        QCOMPARE(m_doc->personName(), QStringLiteral("Annette Muster"));
        QCOMPARE(m_doc->settings().value(DocumentSettings::LastID), id);
        QCOMPARE(personCount(), 4);
    }

    // --- Group dialog and list ---------------------------------------------------

    void groupDialog()
    {
        {
            CGroupDialog dialog(m_path, CGroupDialog::NewGroup);
            QVERIFY(shown(dialog));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("New Group"));
            auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("groupName"));
            QCOMPARE(edit->text(), QString());
            QTest::keyClicks(edit, QStringLiteral("  "));
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QTest::keyClicks(edit, QStringLiteral("Mc'Gee's"));
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            const auto row = store().find(dialog.groupId()).value();
            QVERIFY(row && row->folder);
            QCOMPARE(row->name, QStringLiteral("Mc'Gee's"));
            QCOMPARE(row->parent, kTopLevelKey);
        }
        CGroupDialog rename(m_path, CGroupDialog::RenameGroup, m_familyId);
        QVERIFY(shown(rename));
        QCOMPARE(rename.windowTitle(), QStringLiteral("Rename Group"));
        auto *edit = rename.findChild<QLineEdit *>(QStringLiteral("groupName"));
        QCOMPARE(edit->text(), QStringLiteral("Family"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Kin"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(rename.result(), int(QDialog::Accepted));
        QCOMPARE(store().groupNameOfPerson(m_familyChild).value(), QStringLiteral("Kin"));
    }

    void shortenedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fitsWithout"); // characters dropped in the width given; -1: whole text
        QTest::addColumn<QString>("shown");

        QTest::newRow("fits") << "Muster, Annabelle" << -1 << "Muster, Annabelle";
        QTest::newRow("four dropped") << "Muster, Annabelle" << 4 << "Muster, Annab...";
        QTest::newRow("eight dropped") << "Muster, Annabelle" << 8 << "Muster, A...";
        QTest::newRow("short text never shortened") << "Abcd" << 100 << "Abcd";
        QTest::newRow("nothing fits") << "Muster, Anna" << 100 << "...";
    }

    void shortenedText()
    {
        QFETCH(QString, text);
        QFETCH(int, fitsWithout);
        QFETCH(QString, shown);
        const QFontMetrics metrics(QApplication::font());
        int width = metrics.horizontalAdvance(text);
        if (fitsWithout >= 0)
            width = fitsWithout >= text.size() ? 0 : metrics.horizontalAdvance(text.left(text.size() - fitsWithout) + "...");
        QCOMPARE(ShortenedText(text, metrics, width), shown);
    }
};

QTEST_MAIN(TestPersonDialogs)
#include "tst_persondialogs.moc"
