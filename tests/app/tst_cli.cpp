// The command line as scripts use it: JSON keys, numbers and exit statuses.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "../processrun.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

/// Width and height from the header of a PNG file; empty when it is none.
QSize pngSize(const QByteArray &png)
{
    if (!png.startsWith("\x89PNG\r\n\x1a\n") || png.size() < 24)
        return {};
    auto number = [&](int at) {
        return int(quint8(png[at])) << 24 | int(quint8(png[at + 1])) << 16 | int(quint8(png[at + 2])) << 8
               | int(quint8(png[at + 3]));
    };
    return QSize(number(16), number(20));
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    // Every key and value of a reading, compared as one document; on the day
    // of birth every biorhythm curve stands at zero: the middle class.
    void readingJson()
    {
        const Run r = run({"reading", "--first", QStringLiteral("Käthe"), "--last", QStringLiteral("Groß"),
                           "--born", "1980-09-29", "--today", "2026-12-06", "--day", "1980-09-29", "--json"});
        QCOMPARE(r.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument got = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QByteArray expected = R"({"appearance":2,
            "biorhythm":{"emotional":{"class":2,"value":0},"intellectual":{"class":2,"value":0},
                         "physical":{"class":2,"value":0}},
            "birthDigits":[2,9,0,9,1,9,8,0],
            "chart":{"cells":["1","2","","","","","","8","999"],"counts":[2,1,1,0,0,0,0,0,1,3],
                     "lines":[{"digits":"4-5-6","kind":"missing","label":"Frustrations","numberId":11},
                              {"digits":"3-5-7","kind":"missing","label":"Scepticism","numberId":12}]},
            "dayNumber":29,"displayName":"Käthe Groß","dominant":1,"fate":8,"ignoredLetters":"",
            "rules":{"accents":"ignore","y":"consonant"},
            "nameNumbers":{"consonantDigits":"228791","consonantSum":29,"consonants":"KTHGRS",
                           "vowelDigits":"1556","vowelSum":17,"vowels":"AEEO"},
            "personalYear":{"number":3,"year":2026},"personalYearNext":{"number":4,"year":2027},
            "pyramid":{"ages":[25,34,43,52],"climaxes":[2,2,4,9],"daySum":11,"monthSum":9,"yearSum":9,
                       "years":[2005,2014,2023,2032]},
            "rulingNumber":11,
            "walkthrough":{"appearance":"KTHGRS =  2 + 2 + 8 + 7 + 9 + 1 =  29 = 2 + 9  =  11  =  1 + 1  =  2",
                           "date":"29.09.1980","day":"29","dominant":"8 + 2 = 10 = 1 + 0 =  1",
                           "fate":"AEEO =  1 + 5 + 5 + 6 =  17 = 1 + 7  =  8",
                           "ruling":"2 + 9 + 0 + 9 + 1 + 9 + 8 + 0  =  38   =  3 + 8  =   11"}})";
        const QJsonDocument want = QJsonDocument::fromJson(expected, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(got.toJson(QJsonDocument::Compact), want.toJson(QJsonDocument::Compact));
    }

    // The forecast as scripts read it: exactly its keys, worked by hand for
    // Lena Vogel on 7 December 2026 (see the engine's forecast test).
    void forecastJson()
    {
        const Run r = run({"forecast", "--first", "Lena", "--last", "Vogel", "--born", "1951-03-06", "--date",
                           "2026-12-07", "--json"});
        QCOMPARE(r.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument got = QJsonDocument::fromJson(r.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QByteArray expected = R"({"date":"2026-12-07","personalYear":1,"personalMonth":4,"personalDay":2,
            "months":[{"month":1,"number":2},{"month":2,"number":3},{"month":3,"number":4},{"month":4,"number":5},
                      {"month":5,"number":6},{"month":6,"number":7},{"month":7,"number":8},{"month":8,"number":9},
                      {"month":9,"number":1},{"month":10,"number":2},{"month":11,"number":3},{"month":12,"number":4}],
            "challenges":[{"number":3,"fromAge":0,"toAge":29},{"number":1,"fromAge":29,"toAge":38},
                          {"number":2,"fromAge":38,"toAge":47},{"number":4,"fromAge":47,"toAge":56}],
            "karmicLessons":[2,8,9]})";
        const QJsonDocument want = QJsonDocument::fromJson(expected, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(got.toJson(QJsonDocument::Compact), want.toJson(QJsonDocument::Compact));

        // With its texts: the export's records, the introduction first.
        const Run texts = run({"forecast", "--first", "Lena", "--last", "Vogel", "--born", "1951-03-06", "--date",
                               "2026-12-07", "--texts", "--text-db", QUADRIVIUM_TEXT_DB});
        QCOMPARE(texts.exitCode, 0);
        const QString text = QString::fromUtf8(texts.out);
        QVERIFY2(text.contains(QStringLiteral("Karmic lessons   2, 8, 9\n")), qPrintable(text));
        const qsizetype intro = text.indexOf(QStringLiteral("[Intro 11]"));
        const qsizetype lesson = text.indexOf(QStringLiteral("[Karmische_Lektion 9]"));
        QVERIFY2(intro > 0 && lesson > intro, qPrintable(text));
    }

    // Regression: the forecast took --rules and ignored it. "Ébb Abb" has
    // its only 5 in the É, which counts only when accents fall back to
    // their base letter.
    void forecastCountsUnderRules_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("lessonFive");
        QTest::newRow("accents ignored") << QStringLiteral("accents=ignore") << true;
        QTest::newRow("accents as base letters") << QStringLiteral("accents=base") << false;
    }
    void forecastCountsUnderRules()
    {
        QFETCH(QString, rules);
        QFETCH(bool, lessonFive);
        const Run r = run({"forecast", "--first", QStringLiteral("Ébb"), "--last", "Abb", "--born", "1951-03-06",
                           "--date", "2026-12-07", "--rules", rules, "--json"});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray lessons = QJsonDocument::fromJson(r.out).object()["karmicLessons"].toArray();
        QVERIFY(!lessons.isEmpty());
        QCOMPARE(lessons.contains(5), lessonFive);
    }

    // The forecast and the compatibility reading count letters too, so
    // their exports name the rules and the letters left out, as the
    // chart's does.
    void exportsNameTheRules_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("lines");
        const QString base = QStringLiteral("Rules: accented letters as their base letter, Y always a consonant");
        const QString ignored = QStringLiteral("Rules: accented letters not counted, Y always a consonant");
        QTest::newRow("forecast, accents ignored")
            << "forecast" << "accents=ignore" << QStringList{QStringLiteral("Letters not counted: É"), ignored};
        QTest::newRow("forecast, accents as base letters") << "forecast" << "accents=base" << QStringList{base};
        QTest::newRow("compatibility, accents ignored")
            << "compatibility" << "accents=ignore"
            << QStringList{QStringLiteral("Émile Lyon: Letters not counted: É"), ignored};
    }
    void exportsNameTheRules()
    {
        QFETCH(QString, reading);
        QFETCH(QString, rules);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("reading.txt"));
        QStringList arguments{"export", "--reading", reading, "--first", QStringLiteral("Émile"), "--last", "Lyon",
                              "--born", "1980-09-29", "--rules", rules, "--out", out, "--persons-db",
                              dir.filePath(QStringLiteral("p.mdb"))};
        if (reading == QLatin1String("compatibility"))
            arguments << QStringList{"--with-first", "Lena", "--with-last", "Vogel", "--with-born", "1951-03-06"};
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 0);
        const QString text = QString::fromUtf8(fileBytes(out));
        for (const QString &line : lines)
            QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral("\n---\n") + text.left(600)));
        QCOMPARE(text.contains(QStringLiteral("not counted: É")), rules == QLatin1String("accents=ignore"));
    }

    // Export and report of the forecast walk the same sections.
    void forecastExportAndReport()
    {
        QTemporaryDir dir;
        const QString texts = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), texts));
        const QStringList person{"--first", "Lena", "--last", "Vogel", "--born", "1951-03-06", "--day", "2026-12-07",
                                 "--text-db", texts};
        const QString out = dir.filePath(QStringLiteral("f.txt"));
        const Run exported = run(QStringList{"export", "--reading", "forecast", "--sections", "lessons,month", "--out", out}
                                 + person);
        QVERIFY2(exported.exitCode == 0, exported.err.constData());
        const QString text = QString::fromUtf8(fileBytes(out));
        const qsizetype month = text.indexOf(QStringLiteral("Personal Month 4 (December 2026)"));
        const qsizetype lessons = text.indexOf(QStringLiteral("Karmic Lesson 2"));
        QVERIFY2(month > 0 && lessons > month && !text.contains(QStringLiteral("Personal Day")), qPrintable(text));

        const QString pdf = dir.filePath(QStringLiteral("f.pdf"));
        const Run report = run(QStringList{"report", "--reading", "forecast", "--sections", "graphic,challenges",
                                           "--pdf", pdf} + person);
        QVERIFY2(report.exitCode == 0, report.err.constData());
        QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    }

    void readingText()
    {
        // Run as from cron, without a runtime folder: nothing reaches the
        // script's standard error.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        const Run r = run({"reading", "--first", "Lena", "--last", "Vogel", "--born", "1951-03-06",
                           "--today", "2026-01-01"}, environment);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY(r.out.contains("Ruling Number                 7"));
        QVERIFY(r.out.contains("3-6-9 present  Intellect"));
        QVERIFY(r.out.contains("EAOE =  5 + 1 + 6 + 5 =  17 = 1 + 7  =  8"));
        QVERIFY(r.out.contains("29 (1980)"));
    }

    // A report lays out text, so Qt starts its GUI part, which notes a
    // missing runtime folder; a script run from cron must not see that note.
    void reportWithoutRuntimeFolder()
    {
        QTemporaryDir dir;
        const QString texts = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), texts));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        const QString pdf = dir.filePath(QStringLiteral("intro.pdf"));
        const Run r = run({"report", "--reading", "intro", "--text-db", texts, "--pdf", pdf}, environment);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    }

    void biorhythmJson()
    {
        // Born at midnight on 1 January 2000: every curve starts at zero.
        const Run r = run({"biorhythm", "--born", "2000-01-01", "--month", "2000-01", "--json"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o.keys(), (QStringList{"critical", "days", "month"}));
        QCOMPARE(o["month"].toString(), QStringLiteral("2000-01"));
        const QJsonArray days = o["days"].toArray();
        QCOMPARE(days.size(), 31);
        const QJsonObject first = days[0].toObject();
        QCOMPARE(first.keys(), (QStringList{"date", "emotional", "intellectual", "physical"}));
        QCOMPARE(first["date"].toString(), QStringLiteral("2000-01-01"));
        for (const char *curve : {"physical", "emotional", "intellectual"})
            QCOMPARE(first[curve].toObject(), (QJsonObject{{"value", 0.0}, {"class", 2}}));
        QCOMPARE(days[5].toObject()["physical"].toObject()["class"].toInt(), 1); // near the top on day 6
        const QJsonArray critical = o["critical"].toArray();
        QCOMPARE(critical[0].toObject(), (QJsonObject{{"date", "2000-01-01"},
                                                      {"curves", QJsonArray{"physical", "emotional", "intellectual"}}}));
        // The physical curve crosses zero again within day 12 (11.5 days after birth).
        QCOMPARE(critical[1].toObject(), (QJsonObject{{"date", "2000-01-12"}, {"curves", QJsonArray{"physical"}}}));

        // February 2100 has 28 days.
        const Run february = run({"biorhythm", "--born", "2100-02-01", "--month", "2100-02", "--json"});
        QCOMPARE(february.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(february.out).object()["days"].toArray().size(), 28);

        const Run text = run({"biorhythm", "--born", "2000-01-01", "--month", "2000-01"});
        QCOMPARE(text.exitCode, 0);
        QVERIFY(text.out.contains("Critical days\n  2000-01-01  physical, emotional, intellectual\n"));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");

        QTest::newRow("impossible date") << QStringList{"reading", "--born", "1990-02-31"}
                                         << QByteArray("not a date of the calendar");
        QTest::newRow("unreadable date") << QStringList{"reading", "--born", "6.3.1951"}
                                         << QByteArray("YYYY-MM-DD");
        QTest::newRow("year before 1600") << QStringList{"reading", "--born", "1599-12-31"}
                                          << QByteArray("outside 1600..2100");
        QTest::newRow("year after 2100") << QStringList{"reading", "--born", "2101-01-01"}
                                         << QByteArray("outside 1600..2100");
        QTest::newRow("bad today") << QStringList{"reading", "--born", "1951-03-06", "--today", "x"}
                                   << QByteArray("--today");
        QTest::newRow("unknown option") << QStringList{"reading", "--born", "1951-03-06", "--colour"}
                                        << QByteArray("colour");
        QTest::newRow("no date of birth") << QStringList{"reading", "--first", "Anna"}
                                          << QByteArray("--born");
        QTest::newRow("unknown command") << QStringList{"horoscope"} << QByteArray("unknown command");
        QTest::newRow("forecast of an impossible day")
            << QStringList{"forecast", "--born", "1951-03-06", "--date", "2026-02-30"}
            << QByteArray("not a date of the calendar");
        // The forecast's day is --date; the biorhythm's --day is no option of it.
        QTest::newRow("forecast with --day") << QStringList{"forecast", "--born", "1951-03-06", "--day", "2026-01-01"}
                                             << QByteArray("day");
        QTest::newRow("export unknown reading")
            << QStringList{"export", "--reading", "horoscope", "--born", "1951-03-06", "--out", "x.rtf"}
            << QByteArray("--reading");
        // "lines" is a section of the chart, not of the pyramid.
        QTest::newRow("export unknown section")
            << QStringList{"export", "--reading", "pyramid", "--sections", "intro,lines", "--born", "1951-03-06",
                           "--out", "x.rtf"}
            << QByteArray("unknown section \"lines\"");
        QTest::newRow("export without file") << QStringList{"export", "--reading", "chart", "--born", "1951-03-06"}
                                             << QByteArray("--out");
        QTest::newRow("export bad time")
            << QStringList{"export", "--reading", "chart", "--born", "1951-03-06", "--time", "24:00", "--out", "x.rtf"}
            << QByteArray("--time");
        QTest::newRow("month 13") << QStringList{"biorhythm", "--born", "2000-01-01", "--month", "2026-13"}
                                  << QByteArray("--month");
        QTest::newRow("no month") << QStringList{"biorhythm", "--born", "2000-01-01"} << QByteArray("--month");
        QTest::newRow("biorhythm, bad date of birth")
            << QStringList{"biorhythm", "--born", "2000-02-30", "--month", "2000-02"} << QByteArray("--born");
        QTest::newRow("biorhythm, bad time") << QStringList{"biorhythm", "--born", "2000-01-01", "--time", "25:00",
                                                            "--month", "2000-01"}
                                             << QByteArray("--time");
        const QStringList picture{"picture", "--born", "1951-03-06", "--out", "x.png"};
        QTest::newRow("picture of an unknown reading") << picture + QStringList{"--reading", "horoscope"}
                                                       << QByteArray("horoscope");
        QTest::newRow("picture with a bad date") << QStringList{"picture", "--reading", "pyramid", "--born",
                                                                "1951-02-30", "--out", "x.png"}
                                                 << QByteArray("not a date of the calendar");
        QTest::newRow("picture of unknown extension") << QStringList{"picture", "--reading", "pyramid", "--born",
                                                                     "1951-03-06", "--out", "x.jpg"}
                                                      << QByteArray(".png or .svg");
        QTest::newRow("picture of a bad size") << picture + QStringList{"--reading", "chart", "--size", "0x10"}
                                               << QByteArray("--size");
        // Every command that computes a reading refuses rules it does not know.
        const QStringList born{"--born", "2004-02-20"};
        QTest::newRow("reading, unknown rule") << QStringList{"reading", "--rules", "umlauts=base"} + born
                                               << QByteArray("unknown rule \"umlauts\"");
        QTest::newRow("export, unknown accent value")
            << QStringList{"export", "--reading", "chart", "--out", "x.rtf", "--rules", "accents=strip"} + born
            << QByteArray("unknown value \"strip\"");
        QTest::newRow("report, unknown Y value")
            << QStringList{"report", "--reading", "chart", "--pdf", "x.pdf", "--rules", "y=vowel"} + born
            << QByteArray("--rules");
        QTest::newRow("picture, rule without value")
            << QStringList{"picture", "--reading", "chart", "--out", "x.png", "--rules", "accents"} + born
            << QByteArray("key=value");
        // The usage of a bare call is an error message: it goes to stderr.
        QTest::newRow("no command") << QStringList{} << QByteArray("Usage: quadrivium-cli");
        // Names are checked before any file is touched (the folder does not exist).
        const QStringList add{"persons", "add", "--born", "1970-01-01", "--persons-db", "/nonexistent/p.mdb"};
        QTest::newRow("over-long name") << add + QStringList{"--last", QString(256, QLatin1Char('a'))}
                                        << QByteArray("longer than 255 characters");
        QTest::newRow("escape in a name") << add + QStringList{"--first", QStringLiteral("A\x1b[31mB")}
                                          << QByteArray("control character (U+001B)");
        QTest::newRow("right-to-left override in a name")
            << add + QStringList{"--last", QStringLiteral("Vogel\u202Efdp.exe")} << QByteArray("(U+202E)");
        QTest::newRow("isolate in a group name")
            << add + QStringList{"--last", "X", "--group", QStringLiteral("G\u2066H")} << QByteArray("(U+2066)");
        QTest::newRow("bell in a group name") << add + QStringList{"--last", "X", "--group", QStringLiteral("G\a")}
                                              << QByteArray("group name");
    }

    void badInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QVERIFY(r.out.isEmpty());
    }

    // The rules a reading is counted by: always stated in the JSON; a name
    // without a vowel has no Number of Fate (null) and says why.
    void readingRules_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("rules"); // empty: not given
        QTest::addColumn<QString>("accents");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QVariant>("fate"); // null: no Number of Fate
        QTest::addColumn<QString>("ignored");

        QTest::newRow("Lef\u00e8vre, usual rules") << "Anne-Marie" << QStringLiteral("Lef\u00e8vre") << ""
            << "ignore" << "consonant" << QVariant(4) << QStringLiteral("\u00e8");
        QTest::newRow("Lef\u00e8vre, base letters") << "Anne-Marie" << QStringLiteral("Lef\u00e8vre") << "accents=base"
            << "base" << "consonant" << QVariant(9) << "";
        QTest::newRow("Lyn Wynn, Y a consonant") << "Lyn" << "Wynn" << "y=consonant" << "ignore" << "consonant"
            << QVariant() << "";
        QTest::newRow("Lyn Wynn, Y if needed") << "Lyn" << "Wynn" << "accents=ignore,y=vowel-if-needed" << "ignore"
            << "vowel-if-needed" << QVariant(5) << "";
    }

    void readingRules()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, rules);
        QFETCH(QString, accents);
        QFETCH(QString, y);
        QFETCH(QVariant, fate);
        QFETCH(QString, ignored);
        QStringList args{"reading", "--first", first, "--last", last, "--born", "2004-02-20",
                         "--today", "2026-01-01", "--day", "2026-01-01"};
        if (!rules.isEmpty())
            args << "--rules" << rules;
        const Run json = run(args + QStringList{"--json"});
        QCOMPARE(json.exitCode, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out).object();
        QCOMPARE(o["rules"].toObject(), (QJsonObject{{"accents", accents}, {"y", y}}));
        QCOMPARE(o["fate"].isNull(), fate.isNull());
        if (!fate.isNull())
            QCOMPARE(o["fate"].toInt(), fate.toInt());
        QCOMPARE(o["ignoredLetters"].toString(), ignored);
        // The text output says what the JSON says.
        const QByteArray text = run(args).out;
        QCOMPARE(text.contains("No Number of Fate"), fate.isNull());
        QCOMPARE(text.contains("Rules: "), accents != QLatin1String("ignore") || y != QLatin1String("consonant"));
        // The lines of a 2004 birth: the older missing lines, then 1-5-9 and 7-8-9.
        QStringList lines;
        for (const QJsonValue &line : o["chart"].toObject()["lines"].toArray())
            lines << QStringLiteral("%1 %2 %3 %4").arg(line["kind"].toString(), line["digits"].toString(),
                                                       line["label"].toString()).arg(line["numberId"].toInt());
        QCOMPARE(lines, (QStringList{"missing 3-6-9 Poor Memory 9", "missing 3-5-7 Scepticism 12",
                                     "missing 1-5-9 Indecision 13", "missing 7-8-9 Passiveness 16"}));
    }

    void readingNamesOutsideTheTable_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("ignored");
        QTest::newRow("Polish L") << QStringLiteral("Łukasz") << QStringLiteral("Ł");
        QTest::newRow("umlauts, sharp s and signs count or are no letters")
            << QStringLiteral("Jörg-Ößer O'Neil 3rd_") << QString();
    }

    // Letters outside the letter table stay uncounted but are named: in the
    // JSON, and as a line of the text output.
    void readingNamesOutsideTheTable()
    {
        QFETCH(QString, first);
        QFETCH(QString, ignored);
        const QStringList args{"reading", "--first", first, "--last", "Vogel", "--born", "1951-03-06",
                               "--today", "2026-01-01", "--day", "2026-01-01"};
        const QJsonObject o = QJsonDocument::fromJson(run(args + QStringList{"--json"}).out).object();
        QCOMPARE(o["ignoredLetters"].toString(), ignored);
        const QByteArray text = run(args).out;
        QCOMPARE(text.contains("Letters not counted: "), !ignored.isEmpty());
        if (!ignored.isEmpty())
            QVERIFY2(text.contains(QStringLiteral("Letters not counted: %1").arg(ignored.left(1)).toUtf8()), text.constData());
        // The counted letters are those of the name without the ignored ones.
        QString counted = first;
        for (const QChar c : ignored)
            counted.remove(c);
        const QJsonObject without = QJsonDocument::fromJson(
            run({"reading", "--first", counted, "--last", "Vogel", "--born", "1951-03-06", "--today", "2026-01-01",
                 "--day", "2026-01-01", "--json"}).out).object();
        QCOMPARE(o["nameNumbers"], without["nameNumbers"]);

        // A letter typed as base letter and combining mark is the one letter.
        const QStringList decomposed{"reading", "--first", QStringLiteral("Ka\u0308the"), "--last", QStringLiteral("Gro\u00df"),
                                     "--born", "1980-09-29", "--today", "2026-12-06", "--day", "1980-09-29", "--json"};
        QStringList composed = decomposed;
        composed[2] = QStringLiteral("K\u00e4the");
        QCOMPARE(run(decomposed).out, run(composed).out);
    }

    // Exported texts read back in leave the database as it was: a second export
    // gives the same files.
    void textsRoundTrip()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), db));
        const QString first = dir.filePath(QStringLiteral("first"));
        const QString second = dir.filePath(QStringLiteral("second"));
        QCOMPARE(run({"texts", "export", first, "--text-db", db}).exitCode, 0);
        QCOMPARE(run({"texts", "import", first, "--text-db", db}).exitCode, 0);
        QCOMPARE(run({"texts", "export", second, "--text-db", db}).exitCode, 0);
        const QStringList files = QDir(first).entryList(QDir::Files);
        // One file per text table, as the supplied sources have them.
        const QDir sources(qEnvironmentVariable("QUADRIVIUM_SOURCE_DIR") + QStringLiteral("/data/texts"));
        QCOMPARE(files.size(), sources.entryList({QStringLiteral("*.txt")}, QDir::Files).size());
        for (const QString &name : files)
            QCOMPARE(fileBytes(second + QLatin1Char('/') + name), fileBytes(first + QLatin1Char('/') + name));
        // Regression: the challenge 0 was left out of the export, so an
        // edited text of it never made the round trip.
        QVERIFY(fileBytes(first + QStringLiteral("/Herausforderung.txt")).contains("\n@@ 0\n"));
    }

    void textsBadSourceChangesNothing()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), db));
        const QString sources = dir.filePath(QStringLiteral("sources"));
        QVERIFY(QDir().mkpath(sources));
        QFile good(sources + QStringLiteral("/Bestimmung.txt"));
        QVERIFY(good.open(QIODevice::WriteOnly));
        good.write("@@ 1\nTitle: Changed\n\nA new text.\n");
        good.close();
        QFile bad(sources + QStringLiteral("/Zahlen.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("@@ 1\nTitle: One\n\nText.\n@@ 1\nTitle: Again\n\nText.\n");
        bad.close();
        const QByteArray before = fileBytes(db);
        const Run r = run({"texts", "import", sources, "--text-db", db});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Zahlen.txt:5: record 1 appears twice"), r.err.constData());
        QVERIFY(r.err.contains("nothing was imported"));
        QCOMPARE(fileBytes(db), before);
    }

    void persons()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        const QStringList add{"persons", "add", "--first", "Seán", "--last", "O'Brien", "--born", "1970-05-04",
                              "--time", "06:30", "--group", "Friends", "--persons-db", db};
        QCOMPARE(run(add).exitCode, 0);
        const Run duplicate = run(add);
        QCOMPARE(duplicate.exitCode, 3);
        QVERIFY2(duplicate.err.contains("Friends"), duplicate.err.constData());
        QCOMPARE(run(add + QStringList{"--allow-duplicate"}).exitCode, 0);

        const Run list = run({"persons", "list", "--json", "--persons-db", db});
        QCOMPARE(list.exitCode, 0);
        const QJsonArray rows = QJsonDocument::fromJson(list.out).array();
        QCOMPARE(rows.size(), 2);
        const QJsonObject row = rows.at(0).toObject();
        QCOMPARE(row["last"].toString(), QStringLiteral("O'Brien"));
        QCOMPARE(row["first"].toString(), QStringLiteral("Seán"));
        QCOMPARE(row["born"].toString(), QStringLiteral("1970-05-04"));
        QCOMPARE(row["time"].toString(), QStringLiteral("06:30"));
        QCOMPARE(row["group"].toString(), QStringLiteral("Friends"));

        const Run reading = run({"reading", "--person", QString::number(row["id"].toInt()), "--json",
                                 "--today", "2026-01-01", "--persons-db", db});
        QCOMPARE(reading.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(reading.out).object()["displayName"].toString(),
                 QStringLiteral("Seán O'Brien"));

        // A stored person's biorhythm is that of the date of birth, as on the
        // page: the time of birth does not move the curves.
        const Run stored = run({"biorhythm", "--person", QString::number(row["id"].toInt()), "--month", "2026-03",
                                "--json", "--persons-db", db});
        const Run typed = run({"biorhythm", "--born", "1970-05-04", "--time", "06:30", "--month", "2026-03", "--json"});
        const Run midnight = run({"biorhythm", "--born", "1970-05-04", "--month", "2026-03", "--json"});
        QCOMPARE(stored.exitCode, 0);
        QVERIFY(!stored.out.isEmpty());
        QCOMPARE(stored.out, typed.out);
        QCOMPARE(stored.out, midnight.out);

        // Letters of a right-to-left script are a name like any other.
        QCOMPARE(run({"persons", "add", "--first", QStringLiteral("\u0643\u0631\u064A\u0645"), "--last",
                      QStringLiteral("\u05DB\u05D4\u05DF"), "--born", "1970-05-04", "--persons-db", db})
                     .exitCode,
                 0);
    }

    // --help-all, listed beside --help, shows the help and does nothing else;
    // it used to be passed over, and the command deleted the person or wrote
    // the file all the same.
    void helpAllOnlyHelps()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        const Run added = run({"persons", "add", "--first", "Ida", "--last", "Lind", "--born", "1970-05-04",
                               "--persons-db", db});
        QCOMPARE(added.exitCode, 0);
        const Run help = run({"persons", "delete", QString::fromUtf8(added.out.trimmed()), "--help-all",
                              "--persons-db", db});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.contains("persons delete ID"), help.out.constData());
        QVERIFY(run({"persons", "list", "--persons-db", db}).out.contains("Lind"));

        const QString rtf = dir.filePath(QStringLiteral("in.rtf"));
        QVERIFY(writeFile(rtf, "{\\rtf1\\ansi Hello\\par}"));
        const QString normalized = dir.filePath(QStringLiteral("out.rtf"));
        const Run rtfHelp = run({"rtf", "normalize", rtf, "--output", normalized, "--help-all"});
        QCOMPARE(rtfHelp.exitCode, 0);
        QVERIFY(rtfHelp.out.contains("normalize FILE"));
        QVERIFY(!QFileInfo::exists(normalized));
    }

    void personsImportRefusals_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("message");
        const QByteArray header = "last,first,born,time,group\n";
        QTest::newRow("impossible date after a good row") << header + "Vogel,Lena,1951-03-06,,\nGro\xc3\x9f,K,1980-02-31,,\n"
                                                          << QByteArray(":3: born: 1980-02-31 is not a date");
        QTest::newRow("escape") << header + "Vogel,Lena,1951-03-06,,\nX,A\x1b" "B,1970-01-01,,\n"
                                << QByteArray(":3: The first name \"A\xef\xbf\xbd" "B\" contains a control character (U+001B)");
        QTest::newRow("NUL in a group") << header + "Vogel,Lena,1951-03-06,,G" + QByteArray(1, '\0') + "\n"
                                        << QByteArray(":2: The group name");
        QTest::newRow("line separator") << header + "Vogel,Lena,1951-03-06,,\nKern,E\xe2\x80\xa8va,1970-01-01,,\n"
                                        << QByteArray(":3: The first name \"E\xef\xbf\xbdva\" contains an invisible");
        QTest::newRow("line break in a quoted name") << header + "\"Vo\ngel\",Lena,1951-03-06,,\n"
                                                      << QByteArray(":2: The last name");
        QTest::newRow("not UTF-8") << header + "Vogel,Lena,1951-03-06,,\nGro\xdf,K,1980-01-01,,\n"
                                   << QByteArray(":3: the text is not UTF-8");
        QTest::newRow("header only") << header << QByteArray("no persons below the header row");
        QTest::newRow("no header") << QByteArray("Vogel,Lena,1951-03-06\n") << QByteArray(":1: the header row needs");
        QTest::newRow("quote left open") << header + "Vogel,\"Lena,1951-03-06,,\n\n"
                                         << QByteArray(":2: a quoted field is not closed");
        QTest::newRow("FIFO") << QByteArray() << QByteArray("it is a pipe, not a file");
        QTest::newRow("folder") << QByteArray() << QByteArray("it is a folder, not a file");
    }

    // Every refused import says why (and where), changes nothing, not even
    // the rows before the bad one, and exits 1;
    // a FIFO is refused at once instead of waiting for a writer.
    void personsImportRefusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, message);
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        const QString csv = dir.filePath(QStringLiteral("in.csv"));
        if (QByteArray(QTest::currentDataTag()) == "FIFO")
            QCOMPARE(::mkfifo(QFile::encodeName(csv).constData(), 0600), 0);
        else if (QByteArray(QTest::currentDataTag()) == "folder")
            QVERIFY(QDir().mkdir(csv));
        else
            QVERIFY(writeFile(csv, content));
        const Run r = run({"persons", "import", csv, "--persons-db", db});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QVERIFY(r.out.isEmpty());
        QCOMPARE(listed(db).size(), 0);
        if (QByteArray(QTest::currentDataTag()) == "FIFO") {
            const Run rtf = run({"rtf", "to-text", csv});
            QCOMPARE(rtf.exitCode, 1);
            QVERIFY2(rtf.err.contains(message), rtf.err.constData());
        }
    }

    // Cells a spreadsheet would run as formulas are written with a leading
    // apostrophe and read back without it; a file with CR-only line ends and
    // a quoted field with a comma imports; persons already present are
    // skipped and counted.
    void personsCsvRoundTrip()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        const QString csv = dir.filePath(QStringLiteral("in.csv"));
        QVERIFY(writeFile(csv, "last,first,born,time,group\r=1+2,Anna,1970-01-01,,@SUM(A1)\r"
                               "-x,+y,1971-02-03,07:15,\r'=z,\"Smith, Jr.\",1972-01-01,,'t Hooft\r"));
        const Run imported = run({"persons", "import", csv, "--persons-db", db});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.out, QByteArray("3 persons imported\n"));
        const QJsonArray before = listed(db);
        QCOMPARE(before.size(), 3);

        const QString out = dir.filePath(QStringLiteral("out.csv"));
        QCOMPARE(run({"persons", "export", out, "--persons-db", db}).exitCode, 0);
        QCOMPARE(QFile::permissions(out) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        for (const char *cell : {"\n'-x,'+y,", "\n'=1+2,Anna,", ",'@SUM(A1)\n", "\n'=z,\"Smith, Jr.\",", ",'t Hooft\n"})
            QVERIFY2(written.contains(cell), written.constData());

        const QString copy = dir.filePath(QStringLiteral("copy.mdb"));
        QCOMPARE(run({"persons", "import", out, "--persons-db", copy}).exitCode, 0);
        const auto withoutIds = [](QJsonArray rows) {
            for (auto row : rows) {
                QJsonObject o = row.toObject();
                o.remove(QStringLiteral("id"));
                row = o;
            }
            return rows;
        };
        QCOMPARE(withoutIds(listed(copy)), withoutIds(before));
        QCOMPARE(listed(copy)[1].toObject()["last"].toString(), QStringLiteral("=1+2"));

        const Run again = run({"persons", "import", out, "--persons-db", db});
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(again.out.startsWith("0 persons imported, 3 already present"), again.out.constData());
        QCOMPARE(listed(db).size(), 3);
    }

    // Guards against the duplicate check and the add running in transactions
    // of their own, which let parallel adds of one person all succeed.
    void concurrentAddsLeaveOneRow()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        QCOMPARE(run({"persons", "add", "--last", "Seed", "--born", "1970-01-01", "--persons-db", db}).exitCode, 0);
        for (int round = 0; round < 3; ++round) {
            const QString last = QStringLiteral("Contested%1").arg(round);
            std::vector<std::unique_ptr<QProcess>> processes;
            for (int i = 0; i < 4; ++i) {
                processes.push_back(std::make_unique<QProcess>());
                processes.back()->start(QStringLiteral(QUADRIVIUM_CLI_PATH),
                                        {"persons", "add", "--last", last, "--born", "1970-01-01", "--persons-db", db});
            }
            QList<int> statuses;
            for (auto &p : processes) {
                QVERIFY(p->waitForFinished(30000));
                statuses << p->exitCode();
            }
            std::sort(statuses.begin(), statuses.end());
            QCOMPARE(statuses, (QList<int>{0, 3, 3, 3}));
        }
        QCOMPARE(listed(db).size(), 4);
    }

    // Exports never replace a database file the program uses; a text import
    // goes to the user's own text database, not to one in the working folder.
    void refusesToWriteOntoDatabases()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        QCOMPARE(run({"persons", "add", "--last", "Vogel", "--born", "1951-03-06", "--persons-db", db}).exitCode, 0);
        const QByteArray persons = fileBytes(db);
        const Run onto = run({"persons", "export", db, "--persons-db", db});
        QCOMPARE(onto.exitCode, 1);
        QVERIFY2(onto.err.contains("database file"), onto.err.constData());
        QCOMPARE(fileBytes(db), persons);

        const QString work = dir.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        const QString local = work + QStringLiteral("/Quadrivium.mdb");
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), local));
        const QByteArray localBefore = fileBytes(local);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        const QString sources = dir.filePath(QStringLiteral("sources"));
        QVERIFY(writeFile(sources + QStringLiteral("/Bestimmung.txt"), "@@ 1\nTitle: Changed\n\nA new text.\n"));
        const Run imported = run({"texts", "import", sources}, environment, work);
        QCOMPARE(imported.exitCode, 0);
        const QString user = dir.filePath(QStringLiteral("data/Quadrivium/Quadrivium.mdb"));
        QVERIFY2(imported.out.contains(user.toUtf8()), imported.out.constData());
        QCOMPARE(fileBytes(local), localBefore);
    }

    void outputsSpareDataAndSpecialFiles_data()
    {
        QTest::addColumn<QStringList>("command"); // @OUT@: the output, @IN@: an RTF file
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("message");
        const QList<QPair<QString, QStringList>> writers{
            {"report", {"report", "--reading", "intro", "--pdf", "@OUT@"}},
            {"export", {"export", "--reading", "chart", "--born", "1951-03-06", "--out", "@OUT@"}},
            // a link with the extension a picture needs, to the target
            {"picture", {"picture", "--reading", "pyramid", "--born", "1951-03-06", "--out", "@OUT@.png"}},
            {"rtf normalize", {"rtf", "normalize", "@IN@", "--output", "@OUT@"}},
            {"persons export", {"persons", "export", "@OUT@"}},
        };
        const QList<QPair<QString, QByteArray>> targets{
            {"persons file", "it is a database file of the program"},
            {"text database", "it is a database file of the program"},
            {"text backup", "it is a database file of the program"},
            {"FIFO", "it is a pipe, not a file"},
            {"device", "it is a device, not a file"},
        };
        for (const auto &[writer, command] : writers) {
            for (const auto &[target, message] : targets)
                QTest::newRow(qPrintable(writer + QStringLiteral(" onto the ") + target)) << command << target << message;
        }
    }

    // Guards against outputs written onto the program's own databases (the
    // data was gone) and renamed over FIFOs and device nodes: every writer
    // refuses, exits 1 and leaves the target as it was.
    void outputsSpareDataAndSpecialFiles()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, target);
        QFETCH(QByteArray, message);
        QTemporaryDir dir;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        const QString persons = dir.filePath(QStringLiteral("data/Velmora Shared/persons.mdb"));
        QVERIFY(QDir().mkpath(QFileInfo(persons).absolutePath()));
        QCOMPARE(run({"persons", "add", "--last", "Vogel", "--born", "1951-03-06", "--persons-db", persons}).exitCode, 0);
        const QString texts = dir.filePath(QStringLiteral("data/Quadrivium/Quadrivium.mdb"));
        QVERIFY(QDir().mkpath(QFileInfo(texts).absolutePath()));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), texts));
        const QString backup = texts + QStringLiteral(".v1.bak");
        QVERIFY(QFile::copy(texts, backup));
        const QString input = dir.filePath(QStringLiteral("in.rtf"));
        QVERIFY(writeFile(input, "{\\rtf1 Hello}"));
        const QString fifo = dir.filePath(QStringLiteral("fifo.out"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // /dev/full's node where the test may make one; else a link to
        // /dev/null, which only root could replace.
        QString device = dir.filePath(QStringLiteral("device.out"));
        if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
            device = QStringLiteral("/dev/null");
        const QMap<QString, QString> paths{{"persons file", persons}, {"text database", texts},
                                           {"text backup", backup},   {"FIFO", fifo},
                                           {"device", device}};
        QString out = paths[target];
        if (command.contains(QStringLiteral("@OUT@.png"))) {
            const QString link = dir.filePath(QStringLiteral("out.png"));
            QVERIFY(QFile::link(out, link));
            out = link;
        }
        command.replaceInStrings(QStringLiteral("@OUT@.png"), out);
        command.replaceInStrings(QStringLiteral("@OUT@"), out);
        command.replaceInStrings(QStringLiteral("@IN@"), input);
        const QByteArray databasesBefore = fileBytes(persons) + fileBytes(texts) + fileBytes(backup);

        const Run r = run(command, environment, dir.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QCOMPARE(fileBytes(persons) + fileBytes(texts) + fileBytes(backup), databasesBefore);
        struct stat status {};
        QCOMPARE(::lstat(QFile::encodeName(fifo).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(::lstat(QFile::encodeName(device).constData(), &status), 0);
        QVERIFY(S_ISCHR(status.st_mode));
        // Nothing half-written is left beside the targets.
        QStringList expected{"fifo.out", "in.rtf"};
        if (device.startsWith(dir.path()))
            expected << "device.out";
        if (out.endsWith(QLatin1String(".png")))
            expected << "out.png";
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), expected);
    }

    // Guards against a command switching the remembered persons file for
    // good to another file of the shared folder when the remembered one is
    // missing: it says so and exits 1, and the file stays remembered.
    void gonePersonsFileStopsCommands()
    {
        QTemporaryDir dir;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        const QString other = dir.filePath(QStringLiteral("data/Velmora Shared/p1.mdb"));
        QVERIFY(QDir().mkpath(QFileInfo(other).absolutePath()));
        QCOMPARE(run({"persons", "add", "--last", "Vogel", "--born", "1951-03-06", "--persons-db", other}).exitCode, 0);
        const QString gone = dir.filePath(QStringLiteral("unplugged/persons.mdb"));
        const QString settings = dir.filePath(QStringLiteral("config/Velmora/Orbisaneng.conf"));
        const QByteArray remembered = "[%General]\nPersonsFile=" + gone.toUtf8() + "\n";
        QVERIFY(writeFile(settings, remembered));
        for (const QStringList &command : {QStringList{"persons", "list"},
                                           QStringList{"persons", "add", "--last", "Kern", "--born", "1970-01-01"},
                                           QStringList{"reading", "--person", "2", "--today", "2026-01-01"}}) {
            const Run r = run(command, environment);
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.contains("used last time is not there") && r.err.contains(gone.toUtf8()), r.err.constData());
        }
        QCOMPARE(fileBytes(settings), remembered);
        QCOMPARE(QDir(QFileInfo(other).absolutePath()).entryList(QDir::Files), QStringList{"p1.mdb"});
    }

    // A link to a file is followed: the file it names takes the output and
    // the link stays.
    void outputThroughALink()
    {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("p.mdb"));
        QCOMPARE(run({"persons", "add", "--last", "Vogel", "--born", "1951-03-06", "--persons-db", db}).exitCode, 0);
        const QString real = dir.filePath(QStringLiteral("real.csv"));
        QVERIFY(writeFile(real, "old"));
        const QString link = dir.filePath(QStringLiteral("link.csv"));
        QVERIFY(QFile::link(real, link));
        QCOMPARE(run({"persons", "export", link, "--persons-db", db}).exitCode, 0);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY2(fileBytes(real).startsWith("last,first,born"), fileBytes(real).constData());
    }

    // A stored person's chart, two sections, as RTF and as text: the headings
    // carry name, date and time of birth, the texts follow in section order; a
    // file name without a dot gets ".rtf"; a file that cannot be written gives 1.
    void exportReading()
    {
        QTemporaryDir dir;
        const QString texts = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), texts));
        const QString persons = dir.filePath(QStringLiteral("p.mdb"));
        QCOMPARE(run({"persons", "add", "--first", "Lena", "--last", "Vogel", "--born", "1951-03-06", "--time", "7:05",
                      "--persons-db", persons})
                     .exitCode,
                 0);
        const QJsonArray rows = listed(persons);
        QCOMPARE(rows.size(), 1);
        const QString id = QString::number(rows.at(0).toObject()["id"].toInt());
        const QStringList common{"export", "--reading", "chart", "--person", id, "--sections", "personal-year,ruling",
                                 "--today", "2026-01-01", "--persons-db", persons, "--text-db", texts};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));

        const QString rtf = dir.filePath(QStringLiteral("Lena"));
        const Run asRtf = run(common + QStringList{"--out", rtf}, env);
        QCOMPARE(asRtf.exitCode, 0);
        const Run readBack = run({"rtf", "to-text", rtf + QStringLiteral(".rtf")});
        QCOMPARE(readBack.exitCode, 0);
        const QString text = QString::fromUtf8(readBack.out);
        QVERIFY2(text.startsWith(QStringLiteral("Name\nLena Vogel\nDate of Birth\n06.03.1951\nTime of Birth\n07:05\n"
                                                "Rules: accented letters not counted, Y always a consonant\n"
                                                "The Ruling Number: What It Is")),
                 qPrintable(text));
        const qsizetype ruling = text.indexOf(QStringLiteral("Ruling Number 7"));
        const qsizetype year = text.indexOf(QStringLiteral("(2026)"));
        const qsizetype next = text.indexOf(QStringLiteral("(2027)"));
        QVERIFY2(ruling > 0 && year > ruling && next > year, qPrintable(text));

        const QString plain = dir.filePath(QStringLiteral("Lena.txt"));
        QCOMPARE(run(common + QStringList{"--out", plain}, env).exitCode, 0);
        // The same words; the text file's lines fit 78 columns, its headings
        // underlined.
        QStringList plainLines = QString::fromUtf8(fileBytes(plain)).split(QLatin1Char('\n'));
        const qsizetype rulingTitle = plainLines.indexOf(QStringLiteral("Ruling Number 7"));
        QVERIFY(rulingTitle > 0);
        QCOMPARE(plainLines.at(rulingTitle + 1), QString(15, QLatin1Char('=')));
        plainLines.removeIf([](const QString &line) { return line.size() > 2 && line.count(QLatin1Char('=')) == line.size(); });
        for (const QString &line : plainLines)
            QVERIFY2(line.size() <= 78, qPrintable(line));
        QCOMPARE(plainLines.join(QLatin1Char(' ')).simplified(), QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified());

        const QString unwritable = dir.filePath(QStringLiteral("missing/Lena.rtf"));
        const Run failed = run(common + QStringList{"--out", unwritable}, env);
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(failed.err.contains(unwritable.toUtf8()), failed.err.constData());
    }

    // Guards against an export writing the person's heading values into the
    // text database: the file stays byte for byte, and its texts still go
    // out and back in (an empty time of birth made "record 3 has no text").
    void exportLeavesTextsAlone()
    {
        QTemporaryDir dir;
        const QString texts = dir.filePath(QStringLiteral("Quadrivium.mdb"));
        QVERIFY(QFile::copy(QStringLiteral(QUADRIVIUM_TEXT_DB), texts));
        const QByteArray before = fileBytes(texts);
        const Run exported = run({"export", "--reading", "chart", "--first", "Lena", "--last", "Vogel", "--born",
                                  "1951-03-06", "--out", dir.filePath(QStringLiteral("Lena.rtf")), "--text-db", texts});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(fileBytes(texts), before);
        const QString sources = dir.filePath(QStringLiteral("sources"));
        QCOMPARE(run({"texts", "export", sources, "--text-db", texts}).exitCode, 0);
        const Run imported = run({"texts", "import", sources, "--text-db", texts});
        QVERIFY2(imported.exitCode == 0, imported.err.constData());
    }

    void picture_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("texts"); // an SVG holds them as text

        QTest::newRow("pyramid as SVG") << "pyramid" << "p.svg"
                                        << QStringList{"Pyramid", "Lena Vogel", "9", "4", "1", "29 (1980)"};
        QTest::newRow("chart as SVG") << "chart" << "c.svg" << QStringList{"Birth Chart", "Lena Vogel", "Intellect"};
        QTest::newRow("walkthrough as PNG") << "walkthrough" << "w.png" << QStringList();
        QTest::newRow("biorhythm as PNG") << "biorhythm" << "b.png" << QStringList();
        QTest::newRow("forecast as SVG") << "forecast" << "f.svg"
                                         << QStringList{"Forecast", "Lena Vogel", "Karmic Lessons"};
    }

    // The pages of the window as pictures; a PNG has the size asked for.
    void picture()
    {
        QFETCH(QString, reading);
        QFETCH(QString, file);
        QFETCH(QStringList, texts);
        QTemporaryDir dir;
        const QString out = dir.filePath(file);
        const Run r = run({"picture", "--reading", reading, "--first", "Lena", "--last", "Vogel", "--born",
                           "1951-03-06", "--today", "2026-01-01", "--size", "640x420", "--out", out});
        QVERIFY2(r.exitCode == 0, r.err.constData());
        const QByteArray bytes = fileBytes(out);
        if (file.endsWith(QLatin1String(".png"))) {
            QCOMPARE(pngSize(bytes), QSize(640, 420));
            return;
        }
        QVERIFY(bytes.contains("<svg"));
        for (const QString &text : texts) // each drawn as a text of its own
            QVERIFY2(bytes.contains(QStringLiteral(">%1</text>").arg(text).toUtf8()), qPrintable(text));
    }

    // A file that cannot be made gives exit 1, names the file and leaves nothing behind.
    void pictureUnwritable()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString out = dir.filePath(QStringLiteral("file/pyramid.png"));
        const Run r = run({"picture", "--reading", "pyramid", "--born", "1951-03-06", "--out", out});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("file/pyramid.png"), r.err.constData());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"file"});
    }

private:
    /// Runs quadrivium-cli.
    static Run run(const QStringList &arguments,
                   const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                   const QString &workingFolder = {})
    {
        return ::run(QStringLiteral(QUADRIVIUM_CLI_PATH), arguments, environment, workingFolder);
    }

    static QJsonArray listed(const QString &db)
    {
        return QJsonDocument::fromJson(run({"persons", "list", "--json", "--persons-db", db}).out).array();
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
