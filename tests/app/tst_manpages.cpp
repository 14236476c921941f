// The manual pages describe every command and every option that the
// programs' own --help lists; guards against a command or option added
// without its manual entry.

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "../processrun.h"

namespace {

QString helpOf(const QString &program, const QStringList &arguments)
{
    return run(program, arguments).text();
}

/// The man page's text with troff's escaped hyphens made plain.
QString manPage(const QString &name)
{
    QFile file(qEnvironmentVariable("QUADRIVIUM_SOURCE_DIR") + QStringLiteral("/data/man/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

class TestManPages : public QObject {
    Q_OBJECT
private slots:
    void everyOptionDocumented_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("page");
        QTest::newRow("quadrivium") << QStringLiteral(QUADRIVIUM_GUI_PATH) << QStringList{"--help"}
                                    << "quadrivium.1";
        QTest::newRow("quadrivium-cli") << QStringLiteral(QUADRIVIUM_CLI_PATH) << QStringList{"--help"}
                                        << "quadrivium-cli.1";
        // One row per command that the program's usage lists.
        const QString usage = helpOf(QStringLiteral(QUADRIVIUM_CLI_PATH), {"--help"});
        static const QRegularExpression command(QStringLiteral("^  ([a-z]+) "), QRegularExpression::MultilineOption);
        for (auto it = command.globalMatch(usage.section(QStringLiteral("Commands:"), 1)); it.hasNext();) {
            const QString name = it.next().captured(1);
            QTest::newRow(qPrintable(QStringLiteral("quadrivium-cli ") + name))
                << QStringLiteral(QUADRIVIUM_CLI_PATH) << QStringList{name, "--help"} << "quadrivium-cli.1";
        }
    }

    void everyOptionDocumented()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, page);
        const QString help = helpOf(program, arguments);
        const QString man = manPage(page);
        QVERIFY(!man.isEmpty());
        QStringList asked;
        if (arguments.size() == 2)
            asked << QStringLiteral(".SS ") + arguments[0];
        static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
        for (auto it = option.globalMatch(help); it.hasNext();) {
            const QString name = it.next().captured(0);
            if (name != QLatin1String("--help-all"))
                asked << name;
        }
        QVERIFY(asked.size() >= 2); // the help was read
        QStringList missing;
        for (const QString &entry : asked) {
            if (!man.contains(entry))
                missing << entry;
        }
        QCOMPARE(missing, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestManPages)
#include "tst_manpages.moc"
