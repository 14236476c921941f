// The command line's rtf command: to-text prints the plain text of a file,
// normalize writes it out again as the program writes RTF.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "../processrun.h"

namespace {

QString dataFile(const QString &name)
{
    return qEnvironmentVariable("QUADRIVIUM_SOURCE_DIR") + QStringLiteral("/tests/output/data/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRtfCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_cli = qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/quadrivium-cli");
        if (!QFile::exists(m_cli))
            QSKIP("quadrivium-cli is not built");
        QVERIFY2(QFile::exists(dataFile("export.rtf")), "test data not found (QUADRIVIUM_SOURCE_DIR, set by ctest)");
    }

    // to-text prints the text of the sample; normalize prints or writes it as
    // the program writes RTF, with the same text, and changes nothing the second time.
    void toTextAndNormalize()
    {
        const QString expectedText = QString::fromUtf8(readAll(dataFile("export.txt")));
        QVERIFY(!expectedText.isEmpty());
        const Run original = run({"rtf", "to-text", dataFile("export.rtf")});
        QCOMPARE(original.exitCode, 0);
        QCOMPARE(QString::fromUtf8(original.out), expectedText);

        const Run printed = run({"rtf", "normalize", dataFile("export.rtf")});
        QCOMPARE(printed.exitCode, 0);
        QVERIFY(printed.out.startsWith(R"({\rtf1\ansi\ansicpg1252)"));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString normalized = dir.filePath("normalized.rtf");
        const Run written = run({"rtf", "normalize", dataFile("export.rtf"), "--output", normalized});
        QCOMPARE(written.exitCode, 0);
        QCOMPARE(readAll(normalized), printed.out);
        QCOMPARE(QString::fromUtf8(run({"rtf", "to-text", normalized}).out), expectedText);
        QCOMPARE(run({"rtf", "normalize", normalized}).out, printed.out);
    }

    void normalizeSettles_data()
    {
        QTest::addColumn<QString>("path");
        const QDir findings(qEnvironmentVariable("QUADRIVIUM_SOURCE_DIR") + QStringLiteral("/fuzz/findings"));
        const QStringList names = findings.entryList({QStringLiteral("font-name-*")}, QDir::Files);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << findings.filePath(name);
        QVERIFY2(names.size() >= 4, qPrintable(findings.path()));
    }

    // Guards against font names that the command wrote in a form it read
    // differently ("T \u-4?" written as "T " and read as "T", a name of an
    // object character alone written empty and read as the default font):
    // normalizing the output again changes nothing.
    void normalizeSettles()
    {
        QFETCH(QString, path);
        const Run first = run({"rtf", "normalize", path});
        QCOMPARE(first.exitCode, 0);
        QTemporaryDir dir;
        const QString once = dir.filePath("once.rtf");
        QFile file(once);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(first.out);
        file.close();
        QCOMPARE(run({"rtf", "normalize", once}).out, first.out);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTest::newRow("missing file") << QStringList{"rtf", "to-text", "/nonexistent/x.rtf"} << 1 << "cannot read";
        QTest::newRow("unknown action") << QStringList{"rtf", "convert", "x.rtf"} << 2 << "unknown rtf action";
        QTest::newRow("no file") << QStringList{"rtf", "to-text"} << 2 << "one file";
        QTest::newRow("output for to-text") << QStringList{"rtf", "to-text", "x.rtf", "--output", "y"} << 2 << "--output";
        QTest::newRow("unwritable output") << QStringList{"rtf", "normalize", "@export", "--output", "/nonexistent/dir/y.rtf"}
                                           << 1 << "cannot write";
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        arguments.replaceInStrings("@export", dataFile("export.rtf"));
        const Run result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
        QVERIFY(result.out.isEmpty());
    }

private:
    Run run(const QStringList &arguments) const { return ::run(m_cli, arguments); }
    QString m_cli;
};

QTEST_MAIN(TestRtfCli)
#include "tst_rtfcli.moc"
