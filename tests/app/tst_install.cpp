// The installed program: `cmake --install` into a temporary prefix, then
// both programs run from there for a new user, finding their data in the
// prefix and nothing in the working directory.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "../processrun.h"

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir m_prefix;
    QTemporaryDir m_home;
    QTemporaryDir m_work;

    /// Runs an installed program as a new user whose home is m_home, in a
    /// working directory that holds a damaged "Quadrivium.mdb": reading it
    /// would fail.
    Run runInstalled(const QString &program, const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return run(QDir(m_prefix.path()).filePath(QStringLiteral("bin/") + program), arguments, env, m_work.path());
    }

private slots:
    void initTestCase()
    {
        QFile decoy(QDir(m_work.path()).filePath(QStringLiteral("Quadrivium.mdb")));
        QVERIFY(decoy.open(QIODevice::WriteOnly));
        decoy.write("not a database");
        decoy.close();
        QProcess install;
        install.start(QStringLiteral(QUADRIVIUM_CMAKE),
                      {"--install", QStringLiteral(QUADRIVIUM_BUILD_DIR), "--prefix", m_prefix.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
    }

    void installedFiles()
    {
        const QDir prefix(m_prefix.path());
        const QStringList files{
            "bin/quadrivium", "bin/quadrivium-cli", "share/quadrivium/Quadrivium.mdb",
            "share/quadrivium/persons.mdb", "share/quadrivium/tips.txt", "share/quadrivium/help/index.html",
            "share/applications/quadrivium.desktop", "share/metainfo/org.velmora.Quadrivium.metainfo.xml",
            "share/icons/hicolor/scalable/apps/quadrivium.svg", "share/doc/quadrivium/copyright",
            "share/doc/quadrivium/changelog.gz", "share/man/man1/quadrivium.1.gz",
            "share/man/man1/quadrivium-cli.1.gz",
        };
        QStringList missing;
        for (const QString &file : files) {
            if (!QFile::exists(prefix.filePath(file)))
                missing << file;
        }
        // Each rendered icon has the size its folder names.
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString file = QStringLiteral("share/icons/hicolor/%1x%1/apps/quadrivium.png").arg(size);
            if (QImage(prefix.filePath(file)).size() != QSize(size, size))
                missing << file;
        }
        QCOMPARE(missing, QStringList());
    }

    void cliReadsInstalledTexts()
    {
        const Run r = runInstalled(QStringLiteral("quadrivium-cli"),
                          {"reading", "--first", "Lena", "--last", "Vogel", "--born", "1951-03-06", "--texts", "--json"});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QJsonArray texts = QJsonDocument::fromJson(r.out).object()[QStringLiteral("texts")].toArray();
        QVERIFY(texts.size() >= 6);
        for (const QJsonValue &t : texts)
            QVERIFY(!t[QStringLiteral("title")].toString().isEmpty() && !t[QStringLiteral("text")].toString().isEmpty());
        QVERIFY(QFile::exists(m_home.filePath(QStringLiteral(".local/share/Quadrivium/Quadrivium.mdb"))));
    }

    // The window opens on the introduction page, whose text from the
    // installed database fills the text pane in the lower third.
    void guiStartsFromPrefix()
    {
        const QString picture = m_work.filePath(QStringLiteral("window.png"));
        const Run r = runInstalled(QStringLiteral("quadrivium"), {"--no-splash", "--no-tips", "--screenshot", picture});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QImage image(picture);
        QVERIFY(image.width() >= 640 && image.height() >= 480);
        int dark = 0;
        for (int y = image.height() * 3 / 4; y < image.height() * 19 / 20; ++y)
            for (int x = image.width() / 20; x < image.width() * 9 / 10; ++x)
                dark += qGray(image.pixel(x, y)) < 96;
        QVERIFY2(dark > 1000, qPrintable(QString::number(dark)));
        QVERIFY(QFile::exists(m_home.filePath(QStringLiteral(".local/share/Velmora Shared/persons.mdb"))));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
