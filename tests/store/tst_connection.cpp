// Opening, keying and creating database files: interplay with the sqlcipher
// command-line tool, wrong passwords, damaged files and concurrent writers.

#include "store/keycache.h"
#include "store/store.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

using namespace quadrivium;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Runs the sqlcipher tool on `path` with `script`; its standard output.
QString runCli(const QString &path, const QByteArray &script)
{
    QProcess cli;
    cli.start(QStringLiteral("sqlcipher"), {path});
    cli.write(script);
    cli.closeWriteChannel();
    cli.waitForFinished(30000);
    return QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError());
}

PersonEntry person(const QString &last, int year, const QString &group = {})
{
    PersonEntry entry;
    entry.last = last;
    entry.born = DateTimeValue::fromFields(year, 1, 2);
    entry.group = group;
    return entry;
}

// The file at `path` is refused, for reading and for writing, as one our key
// does not open, and is left as it was.
void checkRefused(const QString &path)
{
    const QByteArray before = fileBytes(path);
    const PersonStore store(path);
    const auto rows = store.listLevel(-1);
    QVERIFY(!rows.ok());
    QCOMPARE(rows.error(), QStringLiteral("wrong password or damaged file: %1").arg(path));
    const auto added = store.addPerson(person(QStringLiteral("Roe"), 1970));
    QVERIFY(!added.ok());
    QVERIFY2(added.error().contains(QStringLiteral("wrong password or damaged file")), qPrintable(added.error()));
    QCOMPARE(fileBytes(path), before);
}

QString personsFile(const QTemporaryDir &dir, const QString &name = QStringLiteral("p1.mdb"))
{
    const QString path = dir.filePath(name);
    const Status made = CreatePersonsDatabase(path);
    if (!made)
        qFatal("cannot create %s: %s", qPrintable(path), qPrintable(made.error()));
    return path;
}

} // namespace

class TestConnection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The tool is a dependency of the tests (./dev.sh installs it): its
        // absence fails them instead of skipping what they guard.
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("sqlcipher")).isEmpty(),
                 "the sqlcipher tool is not installed");
        QVERIFY(m_cache.isValid());
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
    }

    // The command-line tool, given the password as passphrase, must read a
    // file the program made with its raw key (and the salt it chose), and
    // refuse another passphrase. Guards the key derivation the other way as
    // well: a file keyed by the tool must open through the raw key derived
    // here from the file's salt.
    void cliAndProgramOpenEachOthersFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(CreateTextDatabase(path, [](Connection &db) {
            InsertText(db, 5, {QStringLiteral("7"), QStringLiteral("Seven-title"), QStringLiteral("body"),
                               QStringLiteral("Seven-title"), 7});
        }).ok());
        const QString out = runCli(path, "PRAGMA key='" + DatabasePassphrase() + "';\nSELECT Title FROM Zahlen;\n");
        QVERIFY2(out.contains(QStringLiteral("Seven-title")), qPrintable(out));
        const QString wrong = runCli(path, "PRAGMA key='1';\nSELECT Title FROM Zahlen;\n");
        QVERIFY(!wrong.contains(QStringLiteral("Seven-title")));

        const QString byCli = dir.filePath(QStringLiteral("pcli.mdb"));
        runCli(byCli, "PRAGMA key='" + DatabasePassphrase() + "';\nCREATE TABLE t(a TEXT);\n"
                      "INSERT INTO t VALUES('from the tool');\n");
        QVERIFY(QFile::exists(byCli));
        Connection db(byCli);
        Statement query(db, QStringLiteral("SELECT a FROM t"));
        QVERIFY(query.step());
        QCOMPARE(query.text(0), QStringLiteral("from the tool"));
    }

    void wrongPasswordIsReportedAndFileUntouched()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pother.mdb"));
        runCli(path, "PRAGMA key='271828';\nCREATE TABLE Data(a);\n");
        QVERIFY(!fileBytes(path).isEmpty());
        checkRefused(path);
    }

    void damagedFileIsReportedAndNeverWritten_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("random bytes") << "random";
        QTest::newRow("shorter than a salt") << "short";
        QTest::newRow("pages after the first flipped") << "pages";
        QTest::newRow("empty file") << "empty";
    }

    void damagedFileIsReportedAndNeverWritten()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        const QString path = personsFile(dir);
        QVERIFY(PersonStore(path).addPerson(person(QStringLiteral("Doe"), 1980)).ok());
        QByteArray bytes = fileBytes(path);
        if (damage == QLatin1String("random")) {
            for (qsizetype i = 0; i < bytes.size(); ++i)
                bytes[i] = char((i * 7919 + 13) & 0xff);
        } else if (damage == QLatin1String("short")) {
            bytes = bytes.left(10);
        } else if (damage == QLatin1String("empty")) {
            bytes.clear();
        } else {
            QVERIFY(bytes.size() > 2048);
            for (qsizetype page = 1024; page < bytes.size(); page += 1024)
                bytes[page + 100] = char(bytes[page + 100] ^ 0x5a);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        checkRefused(path);
    }

    void missingFileIsNotCreated()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("none.mdb"));
        const auto rows = PersonStore(path).listLevel(-1);
        QVERIFY(!rows.ok());
        QVERIFY(rows.error().contains(QStringLiteral("no such file")));
        QVERIFY(!QFile::exists(path));
        // A folder in place of the file is called what it is.
        QVERIFY(QDir().mkdir(path));
        const auto folder = PersonStore(path).listLevel(-1);
        QVERIFY2(!folder.ok() && folder.error().contains(QStringLiteral("it is a folder")), qPrintable(folder.error()));
    }

    void createdFilesAreOwnerOnlyAndNeverReplaced()
    {
        QTemporaryDir dir;
        const QString path = personsFile(dir);
        const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                            | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(path) & others, QFileDevice::Permissions());
        const QByteArray before = fileBytes(path);
        QVERIFY(!CreatePersonsDatabase(path).ok());
        QVERIFY(!CreateTextDatabase(path).ok());
        QCOMPARE(fileBytes(path), before);
        // No partial file is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p1.mdb")});
    }

    void failedBuildLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.mdb"));
        const Status made = CreateDatabaseFile(path, [](Connection &db) { db.exec(QStringLiteral("CREATE TABLE")); });
        QVERIFY(!made.ok());
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    // Two writers on one file: the second waits for the first to commit
    // instead of failing at once with "database is locked".
    void secondWriterWaitsForTheFirst()
    {
        QTemporaryDir dir;
        const QString path = personsFile(dir);
        Connection first(path);
        Transaction holding(first);
        first.exec(QStringLiteral("INSERT INTO Data (Name, Parent, Child, Folder) VALUES ('First', -1, 0, 0)"));
        Result<PersonRow> second = Result<PersonRow>::failure(QStringLiteral("not run"));
        std::thread writer([&] {
            second = PersonStore(path).addPerson(person(QStringLiteral("Second"), 1999, QStringLiteral("Group")));
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        holding.commit();
        writer.join();
        QVERIFY2(second.ok(), qPrintable(second.error()));
        const auto top = PersonStore(path).listLevel(-1);
        QVERIFY(top.ok());
        QCOMPARE(top->size(), std::size_t(2)); // the group and "First"
    }

    // The published PBKDF2-HMAC-SHA1 results of RFC 6070 (all but the one of
    // 16,777,216 rounds) and one with a passphrase longer than a hash block;
    // the key of a file that the sqlcipher tool wrote is checked above.
    void pbkdf2_data()
    {
        QTest::addColumn<QByteArray>("passphrase");
        QTest::addColumn<QByteArray>("salt");
        QTest::addColumn<int>("iterations");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("one round") << QByteArray("password") << QByteArray("salt") << 1
                                   << QByteArray("0c60c80f961f0e71f3a9b524af6012062fe037a6");
        QTest::newRow("two rounds") << QByteArray("password") << QByteArray("salt") << 2
                                    << QByteArray("ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957");
        QTest::newRow("4096 rounds") << QByteArray("password") << QByteArray("salt") << 4096
                                     << QByteArray("4b007901b765489abead49d926f721d065a429c1");
        QTest::newRow("4096 rounds, two blocks") << QByteArray("passwordPASSWORDpassword")
                                                 << QByteArray("saltSALTsaltSALTsaltSALTsaltSALTsalt") << 4096
                                                 << QByteArray("3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038");
        QTest::newRow("zero bytes inside") << QByteArray("pass\0word", 9) << QByteArray("sa\0lt", 5) << 4096
                                           << QByteArray("56fa6aa75548099dcc37d7f03425e0c3");
        QTest::newRow("passphrase longer than a block") << QByteArray(70, 'p') << QByteArray("salt") << 3
            << QByteArray("e4f3c8a9f641915f37df89b7b5503b60a961826add957c1973a9673c57407226");
    }

    void pbkdf2()
    {
        QFETCH(QByteArray, passphrase);
        QFETCH(QByteArray, salt);
        QFETCH(int, iterations);
        QFETCH(QByteArray, key);
        QCOMPARE(Pbkdf2HmacSha1(passphrase, salt, iterations, int(key.size() / 2)).toHex(), key);
    }

    void keyIsDerivedOncePerSalt()
    {
        const QByteArray salt(kSaltSize, '\x11');
        const QByteArray key = RawKeyForSalt(salt);
        QCOMPARE(key.size(), kKeySize);
        QCOMPARE(RawKeyForSalt(salt), key);
        QVERIFY(RawKeyForSalt(QByteArray(kSaltSize, '\x12')) != key);
        QCOMPARE(RawKeySpec(QByteArray(2, '\xab'), QByteArray(1, '\x01')), QByteArray("x'abab01'"));
    }

    // A key kept in the user's cache is only a guess: a wrong one (a cache
    // copied from elsewhere, a damaged file) must not make a good database
    // file look damaged. The file comes from the sqlcipher tool so that this
    // process has never derived its key and must use the kept one.
    void staleKeptKeyIsDerivedAgain()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pcli.mdb"));
        runCli(path, "PRAGMA key='" + DatabasePassphrase() + "';\nCREATE TABLE t(a TEXT);\n"
                     "INSERT INTO t VALUES('kept');\n");
        const QByteArray salt = fileBytes(path).left(kSaltSize);
        QCOMPARE(salt.size(), kSaltSize);
        const QByteArray wrong(kKeySize, '\x5a');
        DerivedKeyCache::store(salt, wrong);
        QCOMPARE(DerivedKeyCache::load(salt, kKeySize), wrong);

        Connection db(path);
        Statement query(db, QStringLiteral("SELECT a FROM t"));
        QVERIFY(query.step());
        QCOMPARE(query.text(0), QStringLiteral("kept"));
        const QByteArray mended = DerivedKeyCache::load(salt, kKeySize);
        QCOMPARE(mended, Pbkdf2HmacSha1(DatabasePassphrase(), salt, kKdfIterations, kKeySize));
    }

    // The kept keys open the user's files, so nobody else may read them: the
    // folder is the owner's alone even when it existed open to others, and a
    // key file readable by others, or a link in the folder's place, is not
    // used.
    void keptKeysAreOwnerOnly()
    {
        const QString folder = DerivedKeyCache::folder();
        QVERIFY(folder.startsWith(m_cache.path()));
        QDir().mkpath(folder);
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
        const QByteArray salt(kSaltSize, '\x21');
        const QByteArray key(kKeySize, '\x42');
        DerivedKeyCache::store(salt, key);
        const auto groupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                  | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFile::permissions(folder) & groupOrOther, QFileDevice::Permissions());
        const QStringList files = QDir(folder).entryList({QStringLiteral("*%1*").arg(QString::fromLatin1(salt.toHex()))},
                                                         QDir::Files);
        QCOMPARE(files.size(), 1);
        const QString keyFile = folder + QLatin1Char('/') + files.first();
        QCOMPARE(QFile::permissions(keyFile) & groupOrOther, QFileDevice::Permissions());
        QCOMPARE(DerivedKeyCache::load(salt, kKeySize), key);

        QVERIFY(QFile::setPermissions(keyFile, QFile::permissions(keyFile) | QFileDevice::ReadOther));
        QVERIFY(DerivedKeyCache::load(salt, kKeySize).isEmpty());

        QTemporaryDir elsewhere;
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(QFile::link(elsewhere.path(), folder));
        DerivedKeyCache::store(salt, key);
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        QVERIFY(DerivedKeyCache::load(salt, kKeySize).isEmpty());
        QVERIFY(QFile::remove(folder));
    }

private:
    QTemporaryDir m_cache;
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
