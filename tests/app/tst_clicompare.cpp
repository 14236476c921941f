// The compatibility reading on the command line: its JSON, the same story
// from either side, and its exit statuses.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "../processrun.h"

namespace {

Run cli(const QStringList &arguments)
{
    return run(QStringLiteral(QUADRIVIUM_CLI_PATH), arguments);
}

const QStringList kLena{"--first", "Lena", "--last", "Vogel", "--born", "1951-03-06"};
const QStringList kKaethe{"--first", QStringLiteral("Käthe"), "--last", QStringLiteral("Groß"), "--born",
                          "1980-09-29", "--time", "14:30"};

/// The options of person A given as those of person B.
QStringList asOther(const QStringList &options)
{
    QStringList other;
    for (const QString &o : options)
        other << (o.startsWith(QLatin1String("--")) ? QStringLiteral("--with-") + o.mid(2) : o);
    return other;
}

QJsonObject compareJson(const QStringList &a, const QStringList &b)
{
    const Run r = cli(QStringList{"compare", "--json"} + a + asOther(b));
    if (r.exitCode != 0)
        qWarning("%s", r.err.constData());
    return QJsonDocument::fromJson(r.out).object();
}

} // namespace

class TestCliCompare : public QObject {
    Q_OBJECT
private slots:
    void json()
    {
        const QJsonObject got = compareJson(kLena, kKaethe);
        const QJsonObject expected = QJsonDocument::fromJson(R"({
            "a": {"displayName": "Lena Vogel", "born": "1951-03-06", "rulingNumber": 7, "dayNumber": 6,
                  "fate": 8, "appearance": 4, "dominant": 3},
            "b": {"displayName": "Käthe Groß", "born": "1980-09-29", "rulingNumber": 11, "dayNumber": 29,
                  "fate": 8, "appearance": 2, "dominant": 1},
            "pairs": [
                {"role": "ruling", "a": 7, "b": 11, "relation": "challenging"},
                {"role": "day", "a": 6, "b": 2, "relation": "compatible"},
                {"role": "fate", "a": 8, "b": 8, "relation": "natural"},
                {"role": "appearance", "a": 4, "b": 2, "relation": "natural"},
                {"role": "dominant", "a": 3, "b": 1, "relation": "compatible"}],
            "combinedCells": ["111", "2", "3", "", "5", "6", "", "8", "9999"],
            "linesTogether": [
                {"digits": "2-5-8", "kind": "present", "numberId": 4, "label": "Emotional Stability"},
                {"digits": "1-2-3", "kind": "present", "numberId": 5, "label": "Planner"}]
        })").object();
        QCOMPARE(got, expected);
    }

    // "compare A B" and "compare B A" must tell the same story: only the
    // sides change places.
    void symmetric()
    {
        const QJsonObject ab = compareJson(kLena, kKaethe);
        const QJsonObject ba = compareJson(kKaethe, kLena);
        QVERIFY(!ab.isEmpty());
        QCOMPARE(ba["a"], ab["b"]);
        QCOMPARE(ba["b"], ab["a"]);
        QCOMPARE(ba["combinedCells"], ab["combinedCells"]);
        QCOMPARE(ba["linesTogether"], ab["linesTogether"]);
        const QJsonArray pairsAB = ab["pairs"].toArray(), pairsBA = ba["pairs"].toArray();
        QCOMPARE(pairsBA.size(), pairsAB.size());
        for (qsizetype i = 0; i < pairsAB.size(); ++i) {
            QCOMPARE(pairsBA[i]["relation"], pairsAB[i]["relation"]);
            QCOMPARE(pairsBA[i]["a"], pairsAB[i]["b"]);
        }
    }

    // Regression: compare took --rules and ignored them, so its numbers
    // differed from those of the same person's reading. Each side must
    // carry the numbers `reading` gives under the same rules.
    void sidesCountUnderRules_data()
    {
        QTest::addColumn<QStringList>("person");
        QTest::addColumn<QString>("rules");
        const QStringList emile{"--first", QStringLiteral("Émile"), "--last", QStringLiteral("Lyon"), "--born",
                                "1990-01-01"};
        QTest::newRow("accents as base letters") << emile << QStringLiteral("accents=base,y=consonant");
        QTest::newRow("y as a vowel") << QStringList{"--first", "Lynn", "--last", "Wynn", "--born", "1990-01-01"}
                                      << QStringLiteral("accents=ignore,y=vowel-if-needed");
        QTest::newRow("no vowel") << QStringList{"--first", "Brr", "--last", "Schm", "--born", "1990-01-01"}
                                  << QStringLiteral("accents=ignore,y=consonant");
    }
    void sidesCountUnderRules()
    {
        QFETCH(QStringList, person);
        QFETCH(QString, rules);
        const Run reading = cli(QStringList{"reading", "--json", "--rules", rules} + person);
        QCOMPARE(reading.exitCode, 0);
        const QJsonObject core = QJsonDocument::fromJson(reading.out).object();
        QVERIFY2(core.contains(QLatin1String("fate")), reading.out.constData());
        const Run compared = cli(QStringList{"compare", "--json", "--rules", rules} + person + asOther(kLena));
        QCOMPARE(compared.exitCode, 0);
        const QJsonObject side = QJsonDocument::fromJson(compared.out).object()["a"].toObject();
        for (const char *key : {"fate", "appearance", "dominant"})
            QCOMPARE(side[QLatin1String(key)], core[QLatin1String(key)]);
        const QJsonObject fatePair = QJsonDocument::fromJson(compared.out).object()["pairs"].toArray()[2].toObject();
        QCOMPARE(fatePair["a"], core["fate"]);
        if (core["fate"].isNull()) {
            // A name without a number shows none, and no relation.
            QVERIFY(fatePair["relation"].isNull());
            const Run text = cli(QStringList{"compare", "--rules", rules} + person + asOther(kLena));
            QVERIFY2(text.out.contains("Number of Fate            -"), text.out.constData());
        }
    }

    void storedPersons()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        QCOMPARE(cli(QStringList{"persons", "add"} + kLena + QStringList{"--persons-db", db}).exitCode, 0);
        const QJsonArray rows =
            QJsonDocument::fromJson(cli({"persons", "list", "--json", "--persons-db", db}).out).array();
        QCOMPARE(rows.size(), 1);
        const QString id = QString::number(rows[0]["id"].toInt());

        const Run stored = cli(QStringList{"compare", "--person", id, "--json", "--persons-db", db} + asOther(kKaethe));
        QCOMPARE(stored.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(stored.out).object(), compareJson(kLena, kKaethe));

        const Run unknown = cli(QStringList{"compare", "--with", "4711", "--persons-db", db} + kLena);
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY2(unknown.err.contains("4711"), unknown.err.constData());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("no second person") << QStringList{"compare"} + kLena << QByteArray("--with-born");
        QTest::newRow("bad second date") << QStringList{"compare"} + kLena + QStringList{"--with-born", "1990-02-31"}
                                         << QByteArray("--with-born");
        QTest::newRow("bad second time")
            << QStringList{"compare"} + kLena + QStringList{"--with-born", "1990-02-01", "--with-time", "25:00"}
            << QByteArray("--with-time");
        QTest::newRow("second ID not a number") << QStringList{"compare"} + kLena + QStringList{"--with", "x"}
                                                << QByteArray("--with");
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, named);
        const Run r = cli(arguments);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(named), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestCliCompare)
#include "tst_clicompare.moc"
