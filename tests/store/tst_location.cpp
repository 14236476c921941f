// Where the database files are found and made.

#include "store/store.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace quadrivium;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestLocation : public QObject {
    Q_OBJECT

    QString m_startDir;
    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        // The remembered persons file is kept in the settings: never the user's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    }

    void init()
    {
        m_startDir = QDir::currentPath();
        QSettings(QStringLiteral("Velmora"), QStringLiteral("Orbisaneng")).remove(RememberedPersonsFileKey());
        ForgetDatabaseLocations();
    }

    void cleanup()
    {
        QDir::setCurrent(m_startDir);
        ForgetDatabaseLocations();
    }

    void findSharedDatabase_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("two files, the last listed") << QStringList{"p1.mdb", "p2.mdb"} << "p2.mdb";
        QTest::newRow("letter case ignored") << QStringList{"p1.mdb", "P3.MDB"} << "P3.MDB";
        QTest::newRow("other names ignored") << QStringList{"q.mdb", "p.txt", "xp.mdb"} << "";
        QTest::newRow("empty folder") << QStringList{} << "";
    }

    void findSharedDatabase()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        for (const QString &name : files)
            touch(dir.filePath(name));
        const QString found = FindSharedDatabase(QLatin1Char('p'), dir.path());
        QCOMPARE(found, chosen.isEmpty() ? QString() : dir.filePath(chosen));
    }

    void choosePersonsDatabase_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("a backup copy beside the file made") << QStringList{"persons.mdb", "persons_backup.mdb"} << ""
                                                            << "persons.mdb";
        QTest::newRow("an unrelated file beside it") << QStringList{"persons.mdb", "pz-notes.mdb"} << ""
                                                     << "persons.mdb";
        QTest::newRow("the remembered file before all") << QStringList{"persons.mdb", "p2.mdb", "pz.mdb"} << "p2.mdb"
                                                        << "p2.mdb";
        QTest::newRow("a remembered file that is gone") << QStringList{"p1.mdb", "p2.mdb"} << "gone.mdb" << "p2.mdb";
        QTest::newRow("a single file of another name") << QStringList{"p1.mdb"} << "" << "p1.mdb";
    }

    void choosePersonsDatabase()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, remembered);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        for (const QString &name : files)
            touch(dir.filePath(name));
        const PersonsFileChoice choice
            = ChoosePersonsDatabase(dir.path(), remembered.isEmpty() ? QString() : dir.filePath(remembered));
        QCOMPARE(choice.path, dir.filePath(chosen));
        QCOMPARE(choice.candidates.size(), files.size());
    }

    // Once chosen, the file stays in use although a name later in the
    // listing appears beside it, and the notice names the other one.
    void personsFileIsRemembered()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString shared = SharedFolder();
        QVERIFY(QDir().mkpath(shared));
        touch(shared + QStringLiteral("/p1.mdb"));
        QCOMPARE(PersonsDatabasePath(), shared + QStringLiteral("/p1.mdb"));
        touch(shared + QStringLiteral("/p2.mdb"));
        ForgetDatabaseLocations();
        QCOMPARE(PersonsDatabasePath(), shared + QStringLiteral("/p1.mdb"));
        QCOMPARE(PersonsFileNotice(), QStringLiteral("Persons file: %1/p1.mdb (also in its folder, not used: p2.mdb)")
                                          .arg(shared));
        qunsetenv("XDG_DATA_HOME");
    }

    // Guards against a remembered persons file that has gone (a drive not
    // attached) being replaced for good by another file of the shared
    // folder: none is used, none is made, the file stays remembered until
    // the user agrees to the other one.
    void goneFileStaysRemembered()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString shared = SharedFolder();
        QVERIFY(QDir().mkpath(shared));
        touch(shared + QStringLiteral("/p1.mdb"));
        const QString gone = home.filePath(QStringLiteral("unplugged/persons.mdb"));
        QSettings settings(QStringLiteral("Velmora"), QStringLiteral("Orbisaneng"));
        settings.setValue(RememberedPersonsFileKey(), gone);
        for (int start = 0; start < 2; ++start) {
            ForgetDatabaseLocations();
            QCOMPARE(PersonsDatabasePath(), QString());
            QVERIFY2(PersonsFileGoneMessage().contains(gone), qPrintable(PersonsFileGoneMessage()));
            const auto ensured = EnsurePersonsDatabase();
            QVERIFY(!ensured.ok());
            QCOMPARE(ensured.error(), PersonsFileGoneMessage());
            QCOMPARE(QDir(shared).entryList(QDir::Files), QStringList{"p1.mdb"});
            settings.sync();
            QCOMPARE(settings.value(RememberedPersonsFileKey()).toString(), gone);
        }
        QCOMPARE(*ReplaceGonePersonsFile(), shared + QStringLiteral("/p1.mdb"));
        ForgetDatabaseLocations();
        QCOMPARE(PersonsDatabasePath(), shared + QStringLiteral("/p1.mdb"));
        QCOMPARE(PersonsFileGoneMessage(), QString());
        qunsetenv("XDG_DATA_HOME");
    }

    // Leftovers of creations that were cut off go; the file of a creation
    // still running stays.
    void removesStalePartFiles()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString shared = SharedFolder();
        QVERIFY(QDir().mkpath(shared));
        const QString dead = shared + QStringLiteral("/persons.mdb.999999999.part");
        const QString running = shared + QStringLiteral("/persons.mdb.%1.part").arg(QCoreApplication::applicationPid());
        const QString texts = home.filePath(QStringLiteral("Quadrivium/Quadrivium.mdb.999999999.part"));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("Quadrivium"))));
        for (const QString &path : {dead, running, texts})
            touch(path);
        RemoveStalePartFiles();
        QVERIFY(!QFile::exists(dead));
        QVERIFY(!QFile::exists(texts));
        QVERIFY(QFile::exists(running));
        qunsetenv("XDG_DATA_HOME");
    }

    void sharedFolderFollowsDataHome()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        QCOMPARE(SharedFolder(), home.filePath(QStringLiteral("Velmora Shared")));
        qputenv("XDG_DATA_HOME", "relative/ignored");
        QCOMPARE(DataHome(), QDir::homePath() + QStringLiteral("/.local/share"));
        qunsetenv("XDG_DATA_HOME");
    }

    // Guards against texts read from wherever the program was started: a
    // "Quadrivium.mdb" in the working directory is ignored; the user's copy
    // is the text database unless a path is given, and the choice stays.
    void textDatabaseIgnoresWorkingDirectory()
    {
        QTemporaryDir work, home, given;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        touch(QDir(work.path()).filePath(TextDatabaseFileName()));
        QDir::setCurrent(work.path());
        const QString copy = home.filePath(QStringLiteral("Quadrivium/Quadrivium.mdb"));
        QCOMPARE(TextDatabasePath(), copy);
        SetTextDatabasePath(QDir(given.path()).filePath(TextDatabaseFileName()));
        QDir::setCurrent(home.path());
        QCOMPARE(TextDatabasePath(), QDir(given.path()).filePath(TextDatabaseFileName()));
        QCOMPARE(TextDatabaseWarning(), QString());
        qunsetenv("XDG_DATA_HOME");
    }

    void personsDatabaseIsMadeWhenMissing()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        QCOMPARE(PersonsDatabasePath(), QString());
        const auto made = EnsurePersonsDatabase();
        QVERIFY2(made.ok(), qPrintable(made.error()));
        QCOMPARE(*made, home.filePath(QStringLiteral("Velmora Shared/persons.mdb")));
        QCOMPARE(QFile::permissions(*made) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
        const auto top = PersonStore().find(1);
        QVERIFY(top.ok() && top->has_value());
        QCOMPARE((*top)->child, kTopLevelKey);
        // Found again by the search once it exists.
        ForgetDatabaseLocations();
        QCOMPARE(PersonsDatabasePath(), *made);
        QCOMPARE(*EnsurePersonsDatabase(), *made);
        qunsetenv("XDG_DATA_HOME");
    }

    void copyPrivately()
    {
        QTemporaryDir dir;
        const QString from = dir.filePath(QStringLiteral("a"));
        QFile file(from);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(200000, 'x'));
        file.close();
        const QString to = dir.filePath(QStringLiteral("sub/b"));
        QVERIFY(CopyPrivately(from, to).ok());
        QFile copy(to);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray(200000, 'x'));
        QCOMPARE(copy.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
        QVERIFY(!CopyPrivately(from, to).ok());
    }
};

QTEST_GUILESS_MAIN(TestLocation)
#include "tst_location.moc"
