// A newer supplied text database brought into a user's copy: edited texts
// stay, the others take the new text, new records arrive, a backup is made
// first, and a failure changes nothing.

#include "store/store.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace quadrivium;

namespace {

constexpr int kNumbers = 5;

TextRecord text(int numberId, const QString &body)
{
    return TextRecord{QString::number(numberId), QStringLiteral("T%1").arg(numberId), body,
                      QStringLiteral("T%1").arg(numberId), numberId};
}

/// A supplied database of `version`: Intro 1 and 4 (with ID = NumberID),
/// Zahlen 1 and 2 with "<n> v<version>", the title list's heading records
/// 1..3 with "heading <n>", and from version 2 also Zahlen 3
/// and Intro 5.
QString supplied(const QString &path, int version)
{
    const Status made = CreateTextDatabase(path, [version](Connection &db) {
        const auto body = [version](int n) { return QStringLiteral("%1 v%2").arg(n).arg(version); };
        for (int n : {1, 4})
            InsertText(db, 0, text(n, body(n)), n);
        for (int n : {1, 2})
            InsertText(db, kNumbers, text(n, body(n)));
        for (int n : {1, 2, 3})
            InsertText(db, kTitleListTable, text(n, QStringLiteral("heading %1").arg(n)));
        if (version >= 2) {
            InsertText(db, kNumbers, text(3, body(3)));
            InsertText(db, 0, text(5, body(5)), 5);
        }
        SetTextDataVersion(db, version);
    });
    if (!made)
        qFatal("%s", qPrintable(made.error()));
    return path;
}

QString body(const QString &path, int table, int numberId)
{
    const auto record = TextStore(path).read(table, numberId);
    if (!record)
        return QStringLiteral("error: ") + record.error();
    return *record ? (*record)->text : QStringLiteral("(none)");
}

int version(const QString &path)
{
    Connection db(path);
    return TextDataVersion(db);
}

} // namespace

class TestTextUpgrade : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_old, m_new;

private slots:
    void initTestCase()
    {
        m_old = supplied(m_dir.filePath(QStringLiteral("v1.mdb")), 1);
        m_new = supplied(m_dir.filePath(QStringLiteral("v2.mdb")), 2);
    }

    void upgrade_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("kept"); // Zahlen 1 after the upgrade
        QTest::newRow("edited in the editor") << "edit" << "mine";
        QTest::newRow("never touched") << "none" << "1 v2";
        QTest::newRow("saved unchanged") << "same" << "1 v2";
        QTest::newRow("deleted by the user") << "delete" << "(none)";
        QTest::newRow("copy from before the notes, rich text") << "rtf" << "{\\rtf1 mine}";
        QTest::newRow("copy from before the notes, plain text") << "plain" << "1 v2";
    }

    void upgrade()
    {
        QFETCH(QString, action);
        QFETCH(QString, kept);
        QTemporaryDir home;
        const QString copy = home.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(CopyPrivately(m_old, copy).ok());
        const TextStore store(copy);
        if (action == QLatin1String("edit"))
            QVERIFY(store.write(kNumbers, text(1, QStringLiteral("mine"))).ok());
        else if (action == QLatin1String("same"))
            QVERIFY(store.write(kNumbers, text(1, QStringLiteral("1 v1"))).ok());
        else if (action == QLatin1String("delete"))
            QVERIFY(store.write(kNumbers, text(1, QString())).ok());
        // A text the user added to Intro takes the next free ID, 5, which
        // the new supplied Intro record also has.
        if (action != QLatin1String("rtf") && action != QLatin1String("plain") && action != QLatin1String("none"))
            QVERIFY(store.write(0, text(9, QStringLiteral("my intro"))).ok());
        if (action == QLatin1String("rtf") || action == QLatin1String("plain")) {
            // Written as older versions did, without noting the edit.
            Connection db(copy);
            db.exec(QStringLiteral("UPDATE [Zahlen] SET [Text] = %1 WHERE [NumberID] = 1")
                        .arg(SqlQuote(action == QLatin1String("rtf") ? kept : QStringLiteral("my plain"))));
        }

        const Result<bool> upgraded = UpgradeTextCopy(copy, m_new);
        QVERIFY2(upgraded.ok(), qPrintable(upgraded.error()));
        QVERIFY(*upgraded);
        QCOMPARE(QStringList({body(copy, kNumbers, 1), body(copy, kNumbers, 2), body(copy, kNumbers, 3),
                              body(copy, 0, 5)}),
                 QStringList({kept, "2 v2", "3 v2", "5 v2"}));
        QCOMPARE(version(copy), 2);
        const QString backup = copy + QStringLiteral(".v1.bak");
        QCOMPARE(body(backup, kNumbers, 2), QStringLiteral("2 v1"));
        QCOMPARE(version(backup), 1);

        // Up to date now: nothing more happens, no second backup.
        QCOMPARE(*UpgradeTextCopy(copy, m_new), false);
        QVERIFY(!QFileInfo::exists(copy + QStringLiteral(".v1-2.bak")));
    }

    void personHeadingsCleared_data()
    {
        QTest::addColumn<bool>("upToDate");
        QTest::newRow("copy up to date") << true;
        QTest::newRow("copy brought up") << false;
    }

    // Guards against a person's name and time of birth, which exports of
    // earlier versions wrote into the heading records, staying in the texts
    // (and breaking a texts export and import); a heading the user edited
    // stays.
    void personHeadingsCleared()
    {
        QFETCH(bool, upToDate);
        QTemporaryDir home;
        const QString copy = home.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(CopyPrivately(upToDate ? m_new : m_old, copy).ok());
        {
            Connection db(copy);
            const QString start = QString::fromLatin1(kExportHeadingStart);
            const QString end = QString::fromLatin1(kExportHeadingEnd);
            for (const auto &[numberId, value] : {std::pair{1, QStringLiteral("Anna Kern")}, std::pair{3, QString()}})
                db.exec(QStringLiteral("UPDATE [TitleListe] SET [Text] = %1 WHERE [NumberID] = %2")
                            .arg(SqlQuote(start + value + end))
                            .arg(numberId));
            db.exec(QStringLiteral("UPDATE [TitleListe] SET [Text] = '{\\rtf1 my heading}' WHERE [NumberID] = 2"));
        }
        QVERIFY(body(copy, kTitleListTable, 1).contains(QStringLiteral("Anna Kern")));
        const Result<bool> upgraded = UpgradeTextCopy(copy, m_new);
        QVERIFY2(upgraded.ok(), qPrintable(upgraded.error()));
        QCOMPARE(*upgraded, !upToDate);
        QCOMPARE(QStringList({body(copy, kTitleListTable, 1), body(copy, kTitleListTable, 2),
                              body(copy, kTitleListTable, 3)}),
                 QStringList({"heading 1", "{\\rtf1 my heading}", "heading 3"}));
        QCOMPARE(version(copy), 2);
    }

    // A write that fails half-way (here refused by the database itself)
    // must leave the copy as it was: no text half taken over, old version.
    void failedWriteChangesNothing()
    {
        QTemporaryDir home;
        const QString copy = home.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(CopyPrivately(m_old, copy).ok());
        {
            Connection db(copy);
            db.exec(QStringLiteral("CREATE TRIGGER [full] BEFORE INSERT ON [Zahlen] "
                                   "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        }
        const Result<bool> upgraded = UpgradeTextCopy(copy, m_new);
        QVERIFY(!upgraded.ok());
        QVERIFY2(upgraded.error().contains(QStringLiteral("disk full")), qPrintable(upgraded.error()));
        QCOMPARE(QStringList({body(copy, kNumbers, 1), body(copy, kNumbers, 2), body(copy, 0, 4)}),
                 QStringList({"1 v1", "2 v1", "4 v1"}));
        QCOMPARE(version(copy), 1);
        QVERIFY(QFileInfo::exists(copy + QStringLiteral(".v1.bak")));
        // An older supplied database never overwrites a newer copy.
        QCOMPARE(*UpgradeTextCopy(m_new, m_old), false);
        QCOMPARE(body(m_new, kNumbers, 1), QStringLiteral("1 v2"));
    }
};

QTEST_GUILESS_MAIN(TestTextUpgrade)
#include "tst_textupgrade.moc"
