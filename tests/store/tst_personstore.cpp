// The person store on real files: levels and their order, group keys,
// duplicate check, moves, deletes, apostrophes and Unicode names.

#include "store/store.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quadrivium;

namespace {

PersonEntry person(const QString &last, const QString &first, const QString &group = {})
{
    PersonEntry entry;
    entry.last = last;
    entry.first = first;
    entry.born = DateTimeValue::fromFields(1985, 3, 14);
    entry.group = group;
    return entry;
}

QStringList labels(const std::vector<PersonRow> &rows)
{
    QStringList out;
    for (const PersonRow &row : rows)
        out << (row.folder ? QStringLiteral("[%1]").arg(row.name) : row.name + QLatin1Char(',') + row.first);
    return out;
}

} // namespace

class TestPersonStore : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    int m_files = 0;

    PersonStore freshStore()
    {
        m_path = m_dir.filePath(QStringLiteral("p%1.mdb").arg(++m_files));
        const Status made = CreatePersonsDatabase(m_path);
        if (!made)
            qFatal("%s", qPrintable(made.error()));
        return PersonStore(m_path);
    }

private slots:
    void newStoreHasOnlyTheTopLevelRow()
    {
        const PersonStore store = freshStore();
        QCOMPARE(store.listLevel(kTopLevelKey)->size(), std::size_t(0));
        QCOMPARE(store.listGroups()->size(), std::size_t(0));
        QCOMPARE(*store.groupNameOfPerson(kTopLevelKey), TopLevelName());
        const auto top = store.find(1);
        QVERIFY(top.ok() && top->has_value());
        QCOMPARE(std::tuple((*top)->child, (*top)->parent, (*top)->folder), std::tuple(-1, 0, true));
    }

    void addPersonRoundTripsEveryField()
    {
        const PersonStore store = freshStore();
        PersonEntry e = person(" Müller ", "Ἀθηνᾶ 😀");
        e.time = DateTimeValue::fromTime(14, 35);
        const auto added = store.addPerson(e);
        QVERIFY2(added.ok(), qPrintable(added.error()));
        const auto found = store.find(added->id);
        QVERIFY(found.ok() && found->has_value());
        const PersonRow &row = **found;
        QCOMPARE(row.name, QStringLiteral("Müller"));
        QCOMPARE(row.first, QStringLiteral("Ἀθηνᾶ 😀"));
        QCOMPARE(row.born, DateTimeValue::fromFields(1985, 3, 14));
        QCOMPARE(row.time, DateTimeValue::fromTime(14, 35));
        QCOMPARE(std::tuple(row.parent, row.child, row.folder, row.hasTime()), std::tuple(kTopLevelKey, 0, false, true));
        QCOMPARE(row.displayName(), QStringLiteral("Ἀθηνᾶ 😀 Müller"));
    }

    // Groups come first (true is stored as -1), then persons by last and
    // first name; a new group is made at the top level with the next key.
    void levelListsGroupsFirstThenNames()
    {
        const PersonStore store = freshStore();
        // Letter case does not change the order: "de Vries" stands among the D's.
        QVERIFY(store.addPersons({person("Zander", "Al"), person("Adams", "Zoe"), person("Adams", "Bob"),
                                  person("Kern", "Eva", "Family"), person("Ober", {}, "Club"), person("de Vries", "Jan")})
                    .ok());
        QCOMPARE(labels(*store.listLevel(kTopLevelKey)),
                 (QStringList{"[Club]", "[Family]", "Adams,Bob", "Adams,Zoe", "de Vries,Jan", "Zander,Al"}));
        QCOMPARE(labels(*store.listLevel(-2)), QStringList{"Kern,Eva"});
        QCOMPARE(labels(*store.listLevel(-3)), QStringList{"Ober,"});
        QCOMPARE(*store.groupNameOfPerson(-2), QStringLiteral("Family"));
        // An existing group is reused, not made again.
        QCOMPARE(store.addPerson(person("Kern", "Udo", "Family"))->parent, -2);
        QCOMPARE(store.listGroups()->size(), std::size_t(2));
        QCOMPARE(store.listLevel(-2)->size(), std::size_t(2));
    }

    void addGroupTakesTheKeyBelowTheSmallest()
    {
        const PersonStore store = freshStore();
        const auto a = store.addGroup(QStringLiteral("A"));
        const auto b = store.addGroup(QStringLiteral("B"));
        QVERIFY(a.ok() && b.ok());
        QCOMPARE(a->child, -2);
        QCOMPARE(std::tuple(b->child, b->parent, b->folder), std::tuple(-3, kTopLevelKey, true));
        // The walk used when a person's group is made agrees.
        QCOMPARE(store.addPerson(person("X", {}, "C"))->parent, -4);
        QVERIFY(!store.addGroup(QStringLiteral("  ")).ok());
    }

    void duplicateCheck_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("group");
        QTest::newRow("both names in a group") << "Kern" << "Eva" << true << "Family";
        QTest::newRow("both names at top level") << "Adams" << "Zoe" << true << "Persons";
        QTest::newRow("other first name") << "Kern" << "Udo" << false << "";
        QTest::newRow("only last name") << "Solo" << "" << true << "Club";
        QTest::newRow("last name given, stored one has a first name") << "Kern" << "" << false << "";
        QTest::newRow("only first name") << "" << "Cher" << true << "Persons";
        QTest::newRow("first name alone is not a full name") << "" << "Eva" << false << "";
        QTest::newRow("apostrophe") << "O'Brien" << "Seán" << true << "Kids' Club";
        QTest::newRow("group name is no person") << "Family" << "" << false << "";
        QTest::newRow("text that would end the literal") << "x' OR '1'='1" << "" << false << "";
        QTest::newRow("case as stored") << "kern" << "eva" << false << "";
        QTest::newRow("no names") << "" << "" << false << "";
    }

    void duplicateCheck()
    {
        QFETCH(QString, last);
        QFETCH(QString, first);
        QFETCH(bool, found);
        QFETCH(QString, group);
        if (m_path.isEmpty() || !m_path.endsWith(QLatin1String("dup.mdb"))) {
            m_path = m_dir.filePath(QStringLiteral("dup.mdb"));
            QVERIFY(CreatePersonsDatabase(m_path).ok());
            const PersonStore setup(m_path);
            QVERIFY(setup.addPersons({person("Kern", "Eva", "Family"), person("Adams", "Zoe"), person("Solo", {}, "Club"),
                                      person({}, "Cher"), person("O'Brien", "Seán", "Kids' Club")}).ok());
        }
        const auto result = PersonStore(m_path).findDuplicateGroupName(last, first);
        QVERIFY2(result.ok(), qPrintable(result.error()));
        QCOMPARE(result->has_value(), found);
        if (found)
            QCOMPARE(**result, group);
    }

    // Regression: a typed group name was looked up among all rows, so a
    // person whose last name equals the group name gave the group key 0
    // (its Child) and the new person vanished from every list.
    void typedGroupNameMatchesGroupRowsOnly()
    {
        const PersonStore store = freshStore();
        QVERIFY(store.addPerson(person("Smith", "Ann")).ok());
        const auto added = store.addPerson(person("Jones", "Tom", "Smith"));
        QVERIFY(added.ok());
        QCOMPARE(added->parent, -2);
        QCOMPARE(labels(*store.listLevel(-2)), QStringList{"Jones,Tom"});
        QCOMPARE(labels(*store.listLevel(0)), QStringList{"[Persons]"}); // only the top-level row
        // Updating with that name files the person in the group, too.
        const auto ann = store.listLevel(kTopLevelKey)->back();
        QCOMPARE(ann.name, QStringLiteral("Smith"));
        QCOMPARE(store.updatePerson(ann.id, person("Smith", "Ann", "Smith"))->parent, -2);
    }

    // Regression: a mistyped group name in an edit moved the person to the
    // top level without a word; it makes the group, as adding does.
    void updateWithUnknownGroupMakesIt()
    {
        const PersonStore store = freshStore();
        const auto added = store.addPerson(person("Kern", "Eva", "Family"));
        QVERIFY(added.ok());
        PersonEntry changed = person("Kern-Li", "Eva", "Nowhere");
        changed.born = DateTimeValue::fromFields(1990, 12, 31);
        const auto updated = store.updatePerson(added->id, changed);
        QVERIFY2(updated.ok(), qPrintable(updated.error()));
        const auto groups = store.listGroups();
        QCOMPARE(groups->size(), std::size_t(2));
        const PersonRow &nowhere = groups->at(1);
        QCOMPARE(nowhere.name, QStringLiteral("Nowhere"));
        QCOMPARE(std::tuple(updated->parent, updated->name, updated->born),
                 std::tuple(nowhere.child, QStringLiteral("Kern-Li"), DateTimeValue::fromFields(1990, 12, 31)));
        // The top level's name files the person at the top level.
        QCOMPARE(store.updatePerson(added->id, person("K", {}, TopLevelName()))->parent, kTopLevelKey);
        QVERIFY(!store.updatePerson(9999, changed).ok());
    }

    void moves()
    {
        const PersonStore store = freshStore();
        const auto group = store.addGroup(QStringLiteral("Team"));
        const auto p = store.addPerson(person("Mover", {}));
        QVERIFY(group.ok() && p.ok());
        QVERIFY(store.movePerson(p->id, group->id).ok());
        QCOMPARE((*store.find(p->id))->parent, group->child);
        QVERIFY(store.movePersonToLevel(p->id, kTopLevelKey).ok());
        QCOMPARE((*store.find(p->id))->parent, kTopLevelKey);
        // Unknown targets and groups moved like persons are refused.
        QVERIFY(!store.movePersonToLevel(p->id, 0).ok());
        QVERIFY(!store.movePerson(p->id, p->id).ok());
        QVERIFY(!store.movePerson(group->id, group->id).ok());
        QCOMPARE((*store.find(p->id))->parent, kTopLevelKey);
    }

    void deleteRules()
    {
        const PersonStore store = freshStore();
        const auto member = store.addPerson(person("Kern", {}, "Family"));
        const auto empty = store.addGroup(QStringLiteral("Empty"));
        QVERIFY(member.ok() && empty.ok());
        const int familyId = store.listGroups()->at(1).id; // "Empty" < "Family"
        QCOMPARE(*store.deleteRow(familyId), DeleteOutcome::GroupNotEmpty);
        QCOMPARE(*store.deleteRow(empty->id), DeleteOutcome::Deleted);
        QCOMPARE(*store.deleteRow(member->id), DeleteOutcome::Deleted);
        QCOMPARE(*store.deleteRow(familyId), DeleteOutcome::Deleted);
        QCOMPARE(*store.deleteRow(familyId), DeleteOutcome::NotFound);
        QCOMPARE(*store.deleteRow(1), DeleteOutcome::TopLevel);
        QCOMPARE(store.listGroups()->size(), std::size_t(0));
    }

    void renameGroup()
    {
        const PersonStore store = freshStore();
        const auto group = store.addGroup(QStringLiteral("Old"));
        const auto p = store.addPerson(person("Old", {}));
        QVERIFY(store.renameGroup(group->id, QStringLiteral("Jack's")).ok());
        QCOMPARE(*store.groupNameOfPerson(group->child), QStringLiteral("Jack's"));
        QVERIFY(!store.renameGroup(p->id, QStringLiteral("X")).ok());
        QCOMPARE((*store.find(p->id))->name, QStringLiteral("Old"));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("validDate");
        QTest::newRow("no names") << " " << "" << "" << true;
        QTest::newRow("last name too long") << QString(256, QLatin1Char('a')) << "" << "" << true;
        QTest::newRow("group name too long") << "A" << "" << QString(256, QLatin1Char('g')) << true;
        QTest::newRow("escape in a first name") << "A" << QStringLiteral("B\x1b[2J") << "" << true;
        QTest::newRow("line break in a group name") << "A" << "" << QStringLiteral("G\nH") << true;
        // A name must read as it is stored: these would hide or turn around
        // what follows them.
        QTest::newRow("right-to-left override in a first name") << "A" << QStringLiteral("B\u202Egnp.exe") << "" << true;
        QTest::newRow("zero-width space in a group name") << "A" << "" << QStringLiteral("G\u200BH") << true;
        QTest::newRow("paragraph separator in a last name") << QStringLiteral("A\u2029B") << "" << "" << true;
        QTest::newRow("byte order mark in a last name") << QStringLiteral("\uFEFFA") << "" << "" << true;
        QTest::newRow("NUL in a last name") << QString(QStringLiteral("A") + QChar(0)) << "" << "" << true;
        QTest::newRow("invalid date") << "A" << "B" << "" << false;
    }

    // A group named like the top level could never be found again: persons
    // filed in it would land at the top level.
    void topLevelNameIsNoGroupName()
    {
        const PersonStore store = freshStore();
        QVERIFY(!store.addGroup(TopLevelName()).ok());
        const auto club = store.addGroup(QStringLiteral("Club"));
        QVERIFY(club.ok());
        QVERIFY(!store.renameGroup(club->id, QStringLiteral(" %1 ").arg(TopLevelName())).ok());
        QCOMPARE(*store.groupNameOfPerson(club->child), QStringLiteral("Club"));
    }

    void refusals()
    {
        QFETCH(QString, last);
        QFETCH(QString, first);
        QFETCH(QString, group);
        QFETCH(bool, validDate);
        const PersonStore store = freshStore();
        PersonEntry e = person(last, first, group);
        if (!validDate)
            e.born = DateTimeValue::fromFields(1990, 2, 31);
        QVERIFY(!store.addPerson(e).ok());
        QVERIFY(!store.addPersonUnlessDuplicate(e).ok());
        // All or nothing: a bad entry after a good one adds neither.
        QVERIFY(!store.addPersons({person("Good", {}), e}).ok());
        QVERIFY(!store.importPersons({person("Good", {}), e}).ok());
        QCOMPARE(store.listLevel(kTopLevelKey)->size(), std::size_t(0));
    }

    // An import skips persons stored already with the same names, date and
    // time of birth (or met earlier in the import), files persons in
    // existing groups and makes a missing group once.
    void importSkipsPersonsPresent()
    {
        const PersonStore store = freshStore();
        QVERIFY(store.addPerson(person("Kern", "Eva", "Family")).ok());
        PersonEntry otherDay = person("Kern", "Eva");
        otherDay.born = DateTimeValue::fromFields(1985, 3, 15);
        PersonEntry withTime = person("Kern", "Eva");
        withTime.time = DateTimeValue::fromTime(8, 0);
        const auto count = store.importPersons({person("Kern", "Eva"), otherDay, withTime, person("Roth", "Ida", "Family"),
                                                person("Neu", "A", "Club"), person("Neu", "B", "Club"),
                                                person("Neu", "B", "Club"), person({}, QStringLiteral("Ka\u0308the"))});
        QVERIFY2(count.ok(), qPrintable(count.error()));
        QCOMPARE(std::pair(count->imported, count->alreadyPresent), std::pair(6, 2));
        QCOMPARE(labels(*store.listGroups()), (QStringList{"[Club]", "[Family]"}));
        const int family = store.listGroups()->at(1).child;
        QCOMPARE(labels(*store.listLevel(family)), (QStringList{"Kern,Eva", "Roth,Ida"}));
        // Names are stored composed: the typed forms are one person.
        const auto again = store.addPersonUnlessDuplicate(person({}, QStringLiteral("K\u00e4the")));
        QVERIFY(again.ok() && again->duplicateGroup && !again->added);
        QCOMPARE(*again->duplicateGroup, TopLevelName());
    }

    // No stray blank when one of the names is missing.
    void displayName()
    {
        QCOMPARE(DisplayName("Anna", "Kern"), QStringLiteral("Anna Kern"));
        QCOMPARE(DisplayName("Anna", {}), QStringLiteral("Anna"));
        QCOMPARE(DisplayName({}, "Kern"), QStringLiteral("Kern"));
        QCOMPARE(DisplayName({}, {}), QString());
    }
};

QTEST_GUILESS_MAIN(TestPersonStore)
#include "tst_personstore.moc"
