// Any byte sequence is read without crash, hang or runaway memory: every
// prefix of the sample files, random corruptions of them and hand-made
// hostile inputs. Besides surviving, each read must be consistent: the
// document and the plain-text conversion see the same text, and what the
// writer makes of the document reads back to the same text.

#include "rtftestsupport.h"

#include "output/rtfreader.h"
#include "output/rtfwriter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace quadrivium;

namespace {

// What a document makes of plain text: separators that start paragraphs.
QString asInDocument(QString plain)
{
    plain.replace(QChar::ParagraphSeparator, u'\n');
    plain.replace(QChar(0xFDD0), u'\n');
    plain.replace(QChar(0xFDD1), u'\n');
    return plain;
}

// Empty when the input reads consistently, else what went wrong.
QString inconsistency(QByteArrayView input)
{
    const QString plain = asInDocument(rtfToPlain(input));
    QTextDocument document;
    readRtf(document, input);
    const QString text = rtftest::text(document);
    if (text != plain)
        return QStringLiteral("document \"%1\" but plain \"%2\"").arg(text, plain);
    QTextDocument again;
    readRtf(again, writeRtf(document));
    QString expected = text;
    expected.remove(QChar::ObjectReplacementCharacter);
    if (rtftest::text(again) != expected)
        return QStringLiteral("written \"%1\" read back \"%2\"").arg(expected, rtftest::text(again));
    return {};
}

QList<QByteArray> sampleFiles()
{
    const QString source = qEnvironmentVariable("QUADRIVIUM_SOURCE_DIR");
    QList<QByteArray> files;
    for (const QString &folder : {QStringLiteral("/fuzz/corpus"), QStringLiteral("/tests/output/data")}) {
        const QDir dir(source + folder);
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                files << file.readAll();
        }
    }
    return files;
}

} // namespace

class TestRtfRobustness : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_samples = sampleFiles();
        QVERIFY2(m_samples.size() >= 10, "the sample files were not found (QUADRIVIUM_SOURCE_DIR, set by ctest)");
    }

    void everyPrefix()
    {
        for (const QByteArray &sample : std::as_const(m_samples)) {
            for (qsizetype length = 0; length <= sample.size(); ++length) {
                const QString problem = inconsistency(QByteArrayView(sample).first(length));
                if (!problem.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("prefix %1 of \"%2\": %3")
                                         .arg(length).arg(QString::fromLatin1(sample.left(40)), problem)));
            }
        }
    }

    void randomCorruptions()
    {
        QRandomGenerator random(20261206); // fixed, so that a failure repeats
        static const char kSpecial[] = "{}\\'*;0123456789-ub ";
        for (const QByteArray &sample : std::as_const(m_samples)) {
            if (sample.isEmpty())
                continue;
            for (int round = 0; round < 200; ++round) {
                QByteArray corrupted = sample;
                const int changes = 1 + int(random.bounded(8));
                for (int i = 0; i < changes; ++i) {
                    const qsizetype at = random.bounded(int(corrupted.size()));
                    switch (random.bounded(4)) {
                    case 0: corrupted[at] = char(random.bounded(256)); break;
                    case 1: corrupted[at] = kSpecial[random.bounded(int(sizeof kSpecial - 1))]; break;
                    case 2: corrupted.insert(at, kSpecial[random.bounded(int(sizeof kSpecial - 1))]); break;
                    default: corrupted.remove(at, 1 + random.bounded(16)); break;
                    }
                    if (corrupted.isEmpty())
                        corrupted = "{";
                }
                const QString problem = inconsistency(corrupted);
                if (!problem.isEmpty())
                    QFAIL(qPrintable(QStringLiteral("corruption of \"%1\" (%2): %3")
                                         .arg(QString::fromLatin1(sample.left(40)),
                                              QString::fromLatin1(corrupted.toBase64()), problem)));
            }
        }
    }

    void hostileInputs_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("plain");

        QTest::newRow("bin longer than the input") << QByteArray("{\\rtf1 a\\bin2147483647 xyz}") << "a";
        QTest::newRow("bin with a negative length") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
        QTest::newRow("huge uc skips only to the group end")
            << QByteArray("{\\rtf1 {\\uc2147483647\\u65 skipped}b}") << "Ab";
        QTest::newRow("parameter overflow") << QByteArray("{\\rtf1\\fs99999999999999999999 a\\u99999999999 b\\u-99999 c}")
                                            << QString::fromUtf8("a\xEF\xBF\xBD\xEF\xBF\xBD");
        QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << "a";
        QTest::newRow("cut hex escape") << QByteArray("{\\rtf1 a\\'4") << "a4";
        QTest::newRow("bad hex escape") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 10) << "ab";
        QTest::newRow("only braces") << QByteArray(200000, '{') << "";
        QTest::newRow("extra closing braces") << "{\\rtf1 a" + QByteArray(1000, '}') + "b}" << "a";
        QTest::newRow("many paragraphs") << "{\\rtf1 " + QByteArray(20000, 'x').replace("x", "\\par ") + "}"
                                         << QString(19999, u'\n');
        QTest::newRow("font table without end") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << "";
        QTest::newRow("colour table of a million entries")
            << "{\\rtf1{\\colortbl" + QByteArray(1000000, ';') + "}\\cf999999 x}" << "x";
        QTest::newRow("unknown code page") << QByteArray("{\\rtf1\\ansicpg99999 \\'e4}") << QString::fromUtf8("ä");
    }

    void hostileInputs()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, plain);
        QCOMPARE(rtfToPlain(input), plain);
        const QString problem = inconsistency(input);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

private:
    QList<QByteArray> m_samples;
};

QTEST_MAIN(TestRtfRobustness)
#include "tst_rtfrobustness.moc"
