// The introduction, chart, pyramid and biorhythm reports: their texts in
// order for the chosen sections, their recorded graphic pages, and their PDF
// files from the command line.

#include "pages/biorhythmprintjob.h"
#include "pages/chartprintjob.h"
#include "pages/introprintjob.h"
#include "pages/pyramidprintjob.h"
#include "pages/quadriviumdoc.h"

#include "output/pagerecorder.h"
#include "output/storedtext.h"
#include "store/connection.h"
#include "store/datetext.h"
#include "store/textstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "../processrun.h"

#include <set>

using namespace quadrivium;

namespace {

// Text tables.
enum { Intro = 0, Lines = 1, Pyramid = 2, Biorhythm = 3, Ruling = 4, Digits = 5, Fate = 6, Appearance = 7,
       Dominant = 8, Day = 9, PersonalYear = 10 };

const QSize kA4(2100, 2970);

QString suppliedTexts()
{
    return qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb");
}

ReportSubject subject(const QString &name, int y, int m, int d, bool emotional = true)
{
    CQuadriviumDoc document;
    document.setCurrentPerson(name, DateTimeValue::fromFields(y, m, d), DateTimeValue());
    document.setChosenDay(DateTimeValue::fromFields(2026, 12, 7));
    document.showEmotional = emotional;
    const auto made = ReportSubjectOf(document, [] { return CivilDate{2026, 12, 7}; });
    Q_ASSERT(made);
    return *made;
}

// 12 March 1987: lines 4-5-6 missing, 1-2-3 and 7-8-9 present.
ReportSubject anna() { return subject(QStringLiteral("Anna Berg"), 1987, 3, 12); }

QString titleOf(int table, int numberId, const QString &label = {})
{
    const auto record = TextStore(suppliedTexts()).read(table, numberId);
    if (!record || !*record)
        return QStringLiteral("<no record %1/%2>").arg(table).arg(numberId);
    return PlainTitle((*record)->title, (*record)->text).trimmed() + label;
}

QStringList titlesOf(const std::vector<std::pair<int, int>> &records)
{
    QStringList titles;
    for (const auto &[table, id] : records)
        titles << titleOf(table, id);
    return titles;
}

// The titles of a composed report, in order, from its contents.
QStringList titles(const CPrintJob &job)
{
    QStringList list;
    for (qsizetype i = 0; i < job.contents().size(); i += 2)
        list << job.contents().at(i);
    return list;
}

std::vector<RecordedItem> graphicPage(CPrintJob &job)
{
    CRecordedPage page;
    job.PrintPage(page, 1);
    return page.items();
}

std::vector<RecordedItem> linesOf(const std::vector<RecordedItem> &items, ColorRef colour, int width)
{
    std::vector<RecordedItem> lines;
    for (const RecordedItem &item : items) {
        if (item.kind == RecordedItem::Line && item.colour == colour && item.value == width)
            lines.push_back(item);
    }
    return lines;
}

QStringList textsOn(const CRecordedPage &page)
{
    return page.texts();
}

const RecordedItem *textItem(const std::vector<RecordedItem> &items, const QString &text)
{
    for (const RecordedItem &item : items) {
        if (item.kind == RecordedItem::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

} // namespace

class TestReadingReports : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(suppliedTexts()), "the supplied text database is built with the programs");
    }

    // The first introduction text on its text pages, then the contents page
    // naming the page its title stands on.
    void introduction()
    {
        CIntroPrintJob job(PrintSettings(), suppliedTexts());
        QVERIFY(job.Compose(kA4));
        QCOMPARE(job.graphicPages(), 0);
        QCOMPARE(job.lines().mid(0, 2).first(), QStringLiteral("<TITLE>"));
        QVERIFY(job.lines().at(1).startsWith(QStringLiteral("Your Numerology Reading")));
        QCOMPARE(job.contents().size(), 2);
        QCOMPARE(job.contents().at(1), QStringLiteral("1"));
        QVERIFY(job.pageCount() >= 2);
        QVERIFY(textsOn(*job.recorder().Page(0)).contains(job.lines().at(1)));
        QVERIFY(textsOn(*job.recorder().Page(job.pageCount() - 1)).contains(QStringLiteral("Content")));

        QTemporaryDir dir;
        CIntroPrintJob missing(PrintSettings(), dir.filePath(QStringLiteral("none.mdb")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, missing.Compose(kA4));
    }

    // The chart's sections in order: the numbers by how often each digit
    // occurs, the formed lines missing first, the personal years labelled.
    void chartTitles_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QStringList>("expected");
        const Reading v = anna().values;
        const auto &n = v.numbers;
        const std::vector<std::pair<int, int>> intro{{Intro, 1}, {Intro, 2}};
        const std::vector<std::pair<int, int>> digits{{Digits, 3},  {Digits, 7},  {Digits, 12},
                                                      {Digits, 16}, {Digits, 21}, {Digits, 26},
                                                      {Digits, 32}, {Digits, 37}, {Digits, 42}};
        const std::vector<std::pair<int, int>> lines{{Lines, 11}, {Lines, 5}, {Lines, 8}};
        const std::vector<std::pair<int, int>> numbers{
            {Intro, 5}, {Ruling, n.rulingNumber}, {Intro, 9}, {Day, 12}, {Intro, 6}, {Fate, n.core.m_nFate},
            {Intro, 7}, {Appearance, n.core.m_nAppearance}, {Intro, 8}, {Dominant, n.core.m_nDominant}};
        const QStringList years{titleOf(Intro, 10), titleOf(PersonalYear, n.core.m_nPersonalYear, " (2026)"),
                                titleOf(PersonalYear, n.core.m_nPersonalYearNext, " (2027)")};
        QTest::newRow("every section") << 0x3FF
                                       << titlesOf(intro) + titlesOf(digits) + titlesOf(lines) + titlesOf(numbers)
                                              + years;
        QTest::newRow("lines") << 0x8 << titlesOf(lines);
        QTest::newRow("personal year") << 0x201 << years;
        QTest::newRow("graphic only") << 0x1 << QStringList();
        // Born 20.02.2004: the empty 1-5-9 and 7-8-9 follow the older
        // missing lines, each with its own record.
        QTest::newRow("lines of a 2004 birth")
            << -0x8 << titlesOf({{Lines, 9}, {Lines, 12}, {Lines, 13}, {Lines, 16}});
    }

    void chartTitles()
    {
        QFETCH(int, options);
        QFETCH(QStringList, expected);
        // Negative options: the same sections for a birth on 20.02.2004.
        const ReportSubject who = options < 0 ? subject(QStringLiteral("Anne-Marie Lefèvre"), 2004, 2, 20) : anna();
        options = std::abs(options);
        CChartPrintJob job(PrintSettings(), std::uint32_t(options), who, suppliedTexts());
        QVERIFY(job.Compose(kA4));
        QCOMPARE(titles(job), expected);
        QCOMPARE(job.graphicPages(), options & 1);
    }

    // Rare charts: no formed line gives an empty Lines section; a digit
    // seven times reads the record of four times.
    void chartEdges()
    {
        // 13 May 1853: digits 1, 3, 5, 8 only - every line partly there.
        CChartPrintJob none(PrintSettings(), 0x8, subject(QStringLiteral("No Lines"), 1853, 5, 13), suppliedTexts());
        QVERIFY(none.Compose(kA4));
        QCOMPARE(none.pageCount(), 0);
        // 11 November 1110: the digit 1 seven times.
        const ReportSubject ones = subject(QStringLiteral("Seven Ones"), 1110, 11, 11);
        QCOMPARE(int(ones.values.grid.m_nDigitCount[1]), 7);
        CChartPrintJob numbers(PrintSettings(), 0x4, ones, suppliedTexts());
        QVERIFY(numbers.Compose(kA4));
        QCOMPARE(titles(numbers).first(), titleOf(Digits, 5));
    }

    // The graphic page: the numbers in the heading, the cells' texts, the
    // present lines red and solid through their cells, the missing line
    // dashed and black through its cells.
    void chartGraphic()
    {
        const ReportSubject who = anna();
        CChartPrintJob job(PrintSettings(), 0x3FF, who, suppliedTexts());
        QVERIFY(job.Compose(kA4));
        const auto items = graphicPage(job);
        const auto &n = who.values.numbers;
        for (const QString &text : {QStringLiteral("Anna Berg"), QStringLiteral("Numerological Interpretation"),
                                    QString::number(n.core.m_nFate),
                                    QStringLiteral("%1 (2026)").arg(n.core.m_nPersonalYear),
                                    QStringLiteral("%1 (2027)").arg(n.core.m_nPersonalYearNext)})
            QVERIFY2(textItem(items, text), qPrintable(text));

        // The light digits of the empty cells 4, 5, 6 stand in the middle
        // column; 1-2-3 runs one cell left of it, 7-8-9 one cell right.
        const RecordedItem *five = nullptr;
        for (const RecordedItem &item : items) {
            if (item.kind == RecordedItem::Text && item.text == QLatin1String("5") && item.font.weight() == QFont::Normal)
                five = &item;
        }
        QVERIFY(five);
        const int middle = five->from.x() + TextExtent(five->font, five->text).width() / 2;
        const int cell = 6 * job.geometry().p3;
        const auto red = linesOf(items, 0x0000FF, 5);
        QCOMPARE(red.size(), std::size_t(2)); // 1-2-3 and 7-8-9, each one solid stroke
        std::set<int> redColumns;
        for (const RecordedItem &line : red) {
            QCOMPARE(line.from.x(), line.to.x()); // down a column
            QCOMPARE(std::abs(line.from.y() - line.to.y()), 3 * cell);
            redColumns.insert(line.from.x() - middle);
        }
        QVERIFY(std::abs(*redColumns.begin() + cell) < 10);
        QVERIFY(std::abs(*redColumns.rbegin() - cell) < 10);

        const auto dashes = linesOf(items, 0, 5);
        QVERIFY(dashes.size() > 5);
        for (const RecordedItem &dash : dashes)
            QVERIFY(std::abs(dash.from.x() - middle) < 10); // 4-5-6, the middle column
        QVERIFY(textItem(items, QStringLiteral("Frustrations")));
        QVERIFY(textItem(items, QStringLiteral("Planner")));

        // No line strikes through a digit: every digit of the chart comes
        // after the last line, on a white ground that covers it; the absent
        // digits' hints are light grey, the present digits black.
        qsizetype lastLine = -1;
        for (qsizetype i = 0; i < qsizetype(items.size()); ++i) {
            if (items[std::size_t(i)].kind == RecordedItem::Line && items[std::size_t(i)].value == 5)
                lastLine = i;
        }
        int digits = 0;
        for (qsizetype i = lastLine + 1; i < qsizetype(items.size()); ++i) {
            const RecordedItem &item = items[std::size_t(i)];
            static const QRegularExpression digitsOnly(QStringLiteral("^\\d+$"));
            if (item.kind != RecordedItem::Text || !digitsOnly.match(item.text).hasMatch())
                continue;
            const RecordedItem &ground = items[std::size_t(i - 1)];
            QCOMPARE(ground.kind, RecordedItem::Fill);
            QCOMPARE(ground.colour, ColorRef(0xFFFFFF));
            const QRect covered = QRect(ground.from, ground.to).normalized();
            const QSize size = TextExtent(item.font, item.text);
            QVERIFY(covered.contains(QRect(item.from.x(), item.from.y() - size.height(), size.width(), size.height())));
            const bool absent = item.font.weight() == QFont::Normal;
            QCOMPARE(item.colour == 0, !absent);
            if (absent)
                QVERIFY(item.colour != 0 && (item.colour & 0xFF) > 0x80);
            ++digits;
        }
        QCOMPARE(digits, 9);
    }

    // The graphic page names the letters not counted, says why a Number of
    // Fate is missing and states the rules, as the chart page does; the
    // lines of a 2004 birth are drawn with their labels.
    void chartNotes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("noFate");

        QTest::newRow("Lef\u00e8vre, usual rules") << QStringLiteral("Anne-Marie Lef\u00e8vre") << ""
            << QStringList{QStringLiteral("Letters not counted: \u00e8"),
                           "Rules: accented letters not counted, Y always a consonant", "Indecision", "Passiveness"}
            << false;
        QTest::newRow("Lyn Wynn, usual rules") << "Lyn Wynn" << ""
            << QStringList{"-", "Rules: accented letters not counted, Y always a consonant"} << true;
        QTest::newRow("Lyn Wynn, Y if needed") << "Lyn Wynn" << "y=vowel-if-needed"
            << QStringList{"Rules: accented letters not counted, Y a vowel where its name part has no other"} << false;
    }

    void chartNotes()
    {
        QFETCH(QString, name);
        QFETCH(QString, rules);
        QFETCH(QStringList, texts);
        QFETCH(bool, noFate);
        CQuadriviumDoc document;
        document.setCurrentPerson(name, DateTimeValue::fromFields(2004, 2, 20), DateTimeValue());
        document.setLetterRules(*ParseLetterRules(rules.toStdString()));
        const auto who = ReportSubjectOf(document, [] { return CivilDate{2026, 12, 7}; });
        QVERIFY(who);
        CChartPrintJob job(PrintSettings(), 0x1, *who, suppliedTexts());
        QVERIFY(job.Compose(kA4));
        const auto items = graphicPage(job);
        for (const QString &text : texts)
            QVERIFY2(textItem(items, text), qPrintable(text));
        QCOMPARE(bool(textItem(items, QStringLiteral("Letters not counted: \u00e8"))), name.contains(QChar(0xe8)));
        bool noFateNote = false;
        for (const RecordedItem &item : items)
            noFateNote = noFateNote || (item.kind == RecordedItem::Text && item.text.startsWith(QLatin1String("No Number of Fate")));
        QCOMPARE(noFateNote, noFate);
        QCOMPARE(bool(textItem(items, QStringLiteral("-"))), noFate);
    }

    // The climax texts follow the order of life, each title with its ages
    // and years; a number that comes again is printed once, at its first
    // climax, naming the later one; the climax of the report's year is
    // marked. The figure shows each climax in its stone.
    void pyramid()
    {
        // 5 May 1990: Ruling Number 11, climaxes 1, 6, 7, 6 reached at 25,
        // 34, 43 and 52 (2015, 2024, 2033, 2042); 2026 is in the second.
        const ReportSubject who = subject(QStringLiteral("May Fifth"), 1990, 5, 5);
        const PyramidNumbers &p = who.values.pyramid;
        QCOMPARE(p.climax[1], p.climax[3]);
        CPyramidPrintJob job(PrintSettings(), 0x2003, who, suppliedTexts());
        QVERIFY(job.Compose(kA4));
        QCOMPARE(titles(job),
                 (QStringList{titleOf(Intro, 3), QStringLiteral("First Climax: 1 (age 25 to 33, 2015-2023)"),
                              QString::fromUtf8("Second and Fourth Climax: 6 (age 34 to 42, 2024-2032; from age 52, "
                                                "2042 on) \u2013 in force in 2026"),
                              QStringLiteral("Third Climax: 7 (age 43 to 51, 2033-2041)")}));
        QCOMPARE(job.contents().at(1), QStringLiteral("2"));
        // Each climax title is followed by its own number's text.
        const QStringList lines = job.lines();
        const auto record = TextStore(suppliedTexts()).read(Pyramid, 6);
        QVERIFY(record && *record);
        const QString firstWords = PlainBody((*record)->text).simplified().left(30);
        const qsizetype title = lines.indexOf(QStringLiteral("<TITLE>"), lines.indexOf(QStringLiteral("<TITLE>"), 2) + 1);
        QVERIFY(lines.mid(title, 12).join(QLatin1Char(' ')).simplified().contains(firstWords));

        const auto items = graphicPage(job);
        for (const QString &text : {QStringLiteral("Pyramid Interpretation"), QStringLiteral("May Fifth"),
                                    QString::fromStdString(p.ageYearText(0)), QString::number(p.monthSum),
                                    QString::number(p.yearSum), QString::number(p.year[3])})
            QVERIFY2(textItem(items, text), qPrintable(text));
        QCOMPARE(linesOf(items, 0, 5).size(), std::size_t(6));

        CPyramidPrintJob texts(PrintSettings(), 0x2000, who, suppliedTexts());
        QVERIFY(texts.Compose(kA4));
        QCOMPARE(texts.contents().at(1), QStringLiteral("1")); // no graphic: texts from page 1
    }

    // A curve switched off has no text and no line in the graph.
    void biorhythm_data()
    {
        QTest::addColumn<bool>("emotional");
        QTest::newRow("every curve") << true;
        QTest::newRow("emotional off") << false;
    }

    void biorhythm()
    {
        QFETCH(bool, emotional);
        const ReportSubject who = subject(QStringLiteral("Anna Berg"), 1987, 3, 12, emotional);
        CBiorhythmPrintJob job(PrintSettings(), 0x1C03, who, suppliedTexts());
        QVERIFY(job.Compose(kA4));
        std::vector<std::pair<int, int>> expected{{Intro, 4}};
        for (Curve c : kCurves) {
            const int state = job.graph().ClassifyPresentDay(c);
            QCOMPARE(state == 0, c == Curve::Emotional && !emotional);
            if (state != 0)
                expected.push_back({Biorhythm, state + 3 * int(c)});
        }
        QCOMPARE(titles(job), titlesOf(expected));

        const auto items = graphicPage(job);
        const QRect area = job.graph().area();
        QCOMPARE(area.width(), 31 * job.geometry().p3); // December
        QVERIFY(area.height() < 0);
        // The frame: the four sides of the graph's rectangle.
        int sides = 0;
        for (const RecordedItem &line : linesOf(items, 0, 1)) {
            const QLine l(line.from, line.to);
            sides += (l == QLine(area.left(), area.top(), area.left() + area.width(), area.top()))
                || (l == QLine(area.left(), area.top() + area.height(), area.left(), area.top()));
        }
        QCOMPARE(sides, 2);
        const ColorRef colours[3] = {0x0000FF, 0x00FF00, 0xFF0000};
        for (Curve c : kCurves) {
            int inGraph = 0;
            for (const RecordedItem &line : items) {
                inGraph += line.kind == RecordedItem::Line && line.colour == colours[int(c)]
                    && line.from.x() >= area.left() && line.to.x() <= area.left() + area.width()
                    && line.from.y() <= area.top() && line.from.y() >= area.top() + area.height();
            }
            QCOMPARE(inGraph > 100, c != Curve::Emotional || emotional); // one curve of many segments
        }
        QVERIFY(textItem(items, QStringLiteral("December 2026")));
        // The curves stay apart without colour: each has its own dash run.
        const std::set<int> runs{job.graph().dashRun(Curve::Physical), job.graph().dashRun(Curve::Intellectual),
                                 emotional ? job.graph().dashRun(Curve::Emotional) : 99};
        QCOMPARE(runs.size(), std::size_t(3));
    }

    // The weekday names above the day numbers come from the date locale
    // (December 2026 begins on a Tuesday); the present day is named in full.
    void biorhythmWeekdays_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("week");
        QTest::addColumn<QString>("presentDay");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                 << QStringList{"Tu", "We", "Th", "Fr", "Sa", "Su", "Mo"}
                                 << QStringLiteral("Monday, 7 December 2026");
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                                << QStringList{"Di", "Mi", "Do", "Fr", "Sa", "So", "Mo"}
                                << QStringLiteral("Montag, 7. Dezember 2026");
    }

    void biorhythmWeekdays()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, week);
        QFETCH(QString, presentDay);
        SetDateLocale(locale);
        const auto reset = qScopeGuard([] { ResetDateLocale(); });
        CBiorhythmPrintJob job(PrintSettings(), 0x1, anna(), suppliedTexts());
        QVERIFY(job.Compose(kA4));
        const auto items = graphicPage(job);
        for (int d = 0; d < 7; ++d) {
            // The weekday stands over its day's number, in the same column.
            const RecordedItem *number = textItem(items, QString::number(d + 1));
            QVERIFY(number);
            const int column = job.graph().dayLeft(d);
            const RecordedItem *name = nullptr;
            for (const RecordedItem &item : items) {
                if (item.text == week[d] && item.from.x() >= column && item.from.x() < column + job.geometry().p3)
                    name = &item;
            }
            QVERIFY2(name, qPrintable(week[d]));
            QVERIFY(name->from.y() > number->from.y());
        }
        bool named = false;
        for (const RecordedItem &item : items)
            named = named || (item.kind == RecordedItem::Text && item.text.endsWith(presentDay));
        QVERIFY2(named, qPrintable(presentDay));
    }

    // The critical days listed under the graph, each with a mark on it, are
    // those the command line's biorhythm gives for the month.
    void biorhythmCriticalDays()
    {
        SetDateLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const auto reset = qScopeGuard([] { ResetDateLocale(); });
        const Run listed = run(cli(), {"biorhythm", "--first", "Anna", "--last", "Berg", "--born", "1987-03-12",
                                       "--month", "2026-12", "--json", "--text-db", suppliedTexts()});
        QCOMPARE(listed.exitCode, 0);
        const QJsonArray critical = QJsonDocument::fromJson(listed.out).object().value("critical").toArray();
        QVERIFY(critical.size() >= 3);
        CBiorhythmPrintJob job(PrintSettings(), 0x1, anna(), suppliedTexts());
        QVERIFY(job.Compose(kA4));
        const auto items = graphicPage(job);
        QStringList printed;
        for (const RecordedItem &item : items) {
            if (item.kind == RecordedItem::Text && item.text.contains(QStringLiteral("December 2026: ")))
                printed << item.text;
        }
        QStringList expected;
        for (const QJsonValue &entry : critical) {
            const QDate date = QDate::fromString(entry["date"].toString(), Qt::ISODate);
            QStringList curves;
            for (const QJsonValue &curve : entry["curves"].toArray())
                curves << (curve.toString() == QLatin1String("emotional") ? QStringLiteral("spiritual") : curve.toString());
            expected << DateLocale().toString(date, QLocale::LongFormat) + QStringLiteral(": ") + curves.join(", ");
        }
        QCOMPARE(printed, expected);
        // A diamond of four short black lines on the zero line for each day.
        int marks = 0;
        const int zero = job.graph().area().top() + job.graph().area().height() / 2;
        for (const RecordedItem &item : items)
            marks += item.kind == RecordedItem::Line && item.value == 4 && item.colour == 0 && item.from.y() == zero;
        QCOMPARE(marks, 2 * int(critical.size()));
    }

    // The command line's PDF: its pages and paper, what it says of itself,
    // the footer with the person's name and "page n of N" on every text
    // page, and the contents naming the page each title stands on.
    void pdf_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("size");     // as pdfinfo gives it
        QTest::addColumn<int>("numberedFrom"); // the first page with a footer
        QTest::addColumn<QString>("title");
        const QStringList anna{"--first", "Anna", "--last", "Berg", "--born", "1987-03-12", "--today", "2026-12-07",
                               "--day", "2026-12-07"};
        const QString a4 = QStringLiteral("595 x 842 pts (A4)");
        const QString letter = QStringLiteral("612 x 792 pts (letter)");
        QTest::newRow("intro, A4") << QStringList{"--reading", "intro"} << a4 << 1 << QString();
        QTest::newRow("intro, Letter, own margins")
            << QStringList{"--reading", "intro", "--paper", "letter", "--margins", "10,20,10,20"} << letter << 1
            << QString();
        QTest::newRow("chart, A4") << QStringList{"--reading", "chart"} + anna << a4 << 2
                                   << "Numerological Interpretation for Anna Berg";
        QTest::newRow("pyramid, Letter") << QStringList{"--reading", "pyramid", "--paper", "Letter"} + anna << letter
                                         << 2 << "Pyramid Interpretation for Anna Berg";
        QTest::newRow("biorhythm texts, A4")
            << QStringList{"--reading", "biorhythm", "--sections", "intro,physical"} + anna << a4 << 1
            << "Biorhythm for Anna Berg, December 2026";
    }

    void pdf()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, size);
        QFETCH(int, numberedFrom);
        QFETCH(QString, title);
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdfinfo.isEmpty() || pdftotext.isEmpty())
            QSKIP("poppler-utils are not installed");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("report.pdf"));
        const Run made = run(cli(), QStringList{"report", "--pdf", file, "--text-db", suppliedTexts(),
                                                "--prepared-by", QString::fromUtf8("Dr. Mira Sól")}
                                        + options);
        QCOMPARE(made.exitCode, 0);
        const int pages = made.text().section(QLatin1Char(' '), 0, 0).toInt();
        QVERIFY(pages >= 2);
        const QString info = run(pdfinfo, {file}).text();
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
        QVERIFY2(info.contains(size), qPrintable(info));
        const auto field = [&info](const QString &name) {
            const auto match = QRegularExpression(QStringLiteral("(^|\\n)%1:\\s+([^\\n]*)").arg(name)).match(info);
            return match.hasMatch() ? match.captured(2).trimmed() : QString();
        };
        if (!title.isEmpty()) {
            QCOMPARE(field("Title"), title);
            QVERIFY(field("Subject").contains(QStringLiteral("Anna Berg")));
        }
        QCOMPARE(field("Author"), QString::fromUtf8("Dr. Mira Sól"));
        QVERIFY(field("Creator").startsWith(QStringLiteral("Quadrivium ")));
        QVERIFY(field("CreationDate").contains(QString::number(QDate::currentDate().year())));

        QStringList pageTexts{QString()};
        for (int page = 1; page <= pages; ++page) {
            pageTexts << run(pdftotext, {"-f", QString::number(page), "-l", QString::number(page), file, "-"}).text();
            const QString footer = QStringLiteral("page %1 of %2").arg(page).arg(pages);
            QVERIFY2(pageTexts.last().contains(footer) == (page >= numberedFrom), qPrintable(QString::number(page)));
            if (!title.isEmpty())
                QCOMPARE(pageTexts.last().contains(QStringLiteral("Anna Berg")), true);
        }
        QVERIFY(pageTexts.last().contains(QStringLiteral("Content")));
        // Contents: "title ... page" lines on the last page, kept as lines.
        const QString last = QString::number(pages);
        const QStringList contents =
            run(pdftotext, {"-layout", "-f", last, "-l", last, file, "-"}).text().split(QLatin1Char('\n'));
        int entries = 0;
        const QRegularExpression entry(QStringLiteral("^(.*\\S)\\s{2,}(\\d+)$"));
        for (const QString &line : contents) {
            const auto match = entry.match(line.trimmed());
            if (!match.hasMatch())
                continue;
            const int page = match.captured(2).toInt();
            QVERIFY2(page >= 1 && page < pages, qPrintable(line));
            const QString title = match.captured(1).simplified().left(20);
            QVERIFY2(pageTexts.at(page).simplified().contains(title), qPrintable(line));
            ++entries;
        }
        QVERIFY(entries >= 1);
    }

    // Bad arguments exit 2, a file that cannot be written 1; no file is left.
    void pdfFailures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no reading") << QStringList{"report", "--pdf", "x.pdf"} << 2;
        QTest::newRow("unknown reading") << QStringList{"report", "--reading", "tarot", "--pdf", "x.pdf"} << 2;
        QTest::newRow("no file") << QStringList{"report", "--reading", "intro"} << 2;
        QTest::newRow("unknown paper") << QStringList{"report", "--reading", "intro", "--paper", "Z9", "--pdf", "x.pdf"}
                                       << 2;
        QTest::newRow("three margins") << QStringList{"report", "--reading", "intro", "--margins", "1,2,3", "--pdf",
                                                      "x.pdf"}
                                       << 2;
        QTest::newRow("margins leave no room")
            << QStringList{"report", "--reading", "intro", "--margins", "10,150,10,150", "--pdf", "DIR/x.pdf"} << 1;
        QTest::newRow("folder missing") << QStringList{"report", "--reading", "intro", "--pdf", "DIR/no/x.pdf"} << 1;
        // Regressions: a margin of "nan" passed the range check; B10 paper
        // wrote 800 pages of a report cut short, and with small margins
        // still needs more than 800.
        QTest::newRow("margin nan") << QStringList{"report", "--reading", "intro", "--margins", "nan,15,15,15", "--pdf",
                                                   "DIR/x.pdf"}
                                    << 2;
        const QStringList chart{"report", "--reading", "chart", "--first", "Anna", "--last", "Berg", "--born",
                                "1987-03-12", "--pdf", "DIR/x.pdf", "--paper", "B10"};
        QTest::newRow("B10") << chart << 1;
        QTest::newRow("B10, over 800 pages") << chart + QStringList{"--margins", "7,7,7,7"} << 1;
    }

    void pdfFailures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        arguments.replaceInStrings(QStringLiteral("DIR"), dir.path());
        QCOMPARE(run(cli(), arguments + QStringList{"--text-db", suppliedTexts()}).exitCode, exitCode);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.pdf"))));
    }

    // Guards against the report's draft living in a folder of its own under
    // the temporary folder, which every killed report left there with the
    // person's data: a report killed at any moment leaves no file but, at
    // most, the complete PDF.
    void killedReportLeavesNoDraft()
    {
        QTemporaryDir dir;
        const QString temporary = dir.filePath(QStringLiteral("tmp"));
        const QString target = dir.filePath(QStringLiteral("out/report.pdf"));
        QVERIFY(QDir().mkpath(temporary) && QDir().mkpath(QFileInfo(target).absolutePath()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporary);
        // Qt's own runtime folder would otherwise be made in the temporary one.
        const QString runtime = dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(runtime));
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        const QStringList arguments{"report", "--reading", "chart", "--born", "1951-03-06", "--first", "Lena",
                                    "--last", "Vogel", "--pdf", target, "--text-db", suppliedTexts()};
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run(cli(), arguments, environment).exitCode, 0);
        const qint64 whole = clock.elapsed();
        QVERIFY(QFile::remove(target));
        int killedRunning = 0;
        for (const double share : {0.3, 0.5, 0.7, 0.8, 0.9, 0.95}) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(cli(), arguments);
            QVERIFY(process.waitForStarted());
            QThread::msleep(std::uint64_t(double(whole) * share));
            if (process.state() == QProcess::Running) {
                process.kill();
                ++killedRunning;
            }
            QVERIFY(process.waitForFinished());
            QCOMPARE(QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
            const QStringList left =
                QDir(QFileInfo(target).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            QVERIFY2(left.isEmpty() || left == QStringList{"report.pdf"}, qPrintable(left.join(' ')));
            if (!left.isEmpty()) {
                QFile written(target);
                QVERIFY(written.open(QIODevice::ReadOnly));
                QVERIFY(written.readAll().trimmed().endsWith("%%EOF"));
                QVERIFY(written.remove());
            }
        }
        QVERIFY(killedRunning > 0);
    }

private:
    static QString cli() { return qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/quadrivium-cli"); }
};

QTEST_MAIN(TestReadingReports)
#include "tst_readingreports.moc"
