// Every input of the fuzz corpus and of the mended fuzz findings passes the
// fuzz target's round-trip checks, so that a finding that comes back fails
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
        const QByteArray input = file.readAll();
        const QString fault = RtfRoundTripFault(input);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        // The fuzz target also writes the bytes, as text, as a font name.
        const QString nameFault = RtfFontNameFault(QString::fromUtf8(input));
        QVERIFY2(nameFault.isEmpty(), qPrintable(nameFault));
    }

    void fontNamesReadBack_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("blank before an object character") << QStringLiteral("T \ufffc");
        QTest::newRow("object character alone") << QStringLiteral("\ufffc");
        QTest::newRow("line separator inside") << QStringLiteral("A\u2028B");
        QTest::newRow("surrogate without partner") << QStringLiteral("A") + QChar(0xD800) + QStringLiteral("B");
        QTest::newRow("surrogate pair") << QStringLiteral("A\U0001F600");
        QTest::newRow("RTF's own characters and a bar") << QStringLiteral("a;b{c}\\d|e");
        QTest::newRow("unassigned Windows-1252 byte") << QStringLiteral("\u0081x\u008d");
    }

    // Guards against font names that the writer wrote in a form the reader
    // takes differently: characters the text writer drops (an object
    // character) or writes as a word that a font table ignores (\line), and
    // lone surrogates, so that "rtf normalize" gave another file the second
    // time.
    void fontNamesReadBack()
    {
        QFETCH(QString, family);
        const QString fault = RtfFontNameFault(family);
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
