// Every input of the fuzz corpus and of the mended fuzz findings passes the
// fuzz target's round-trip check, so that a finding that comes back fails
// here without clang.

#include "output/rtfroundtripcheck.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QtTest>

using namespace quadrivium;

class TestFuzzFindings : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("path");
        const QDir fuzz(qEnvironmentVariable("QUADRIVIUM_SOURCE_DIR") + QStringLiteral("/fuzz"));
        int findings = 0;
        for (const QString &folder : {QStringLiteral("corpus"), QStringLiteral("findings")}) {
            const QDir dir(fuzz.filePath(folder));
            for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
                QTest::newRow(qPrintable(folder + QLatin1Char('/') + name)) << dir.filePath(name);
                findings += folder == QLatin1String("findings");
            }
        }
        // Guards against a moved folder making the test pass on nothing.
        QVERIFY2(findings >= 4, qPrintable(fuzz.path()));
    }

    void roundTrip()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString fault = RtfRoundTripFault(file.readAll());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

// A QGuiApplication as in the fuzz target: its default font is not the one
// a QApplication would choose.
int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    TestFuzzFindings test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_fuzzfindings.moc"
