// The forecast on screen and on paper: its hot spots and the texts they
// show, its date field, the report's sections in order and its graphic page.

#include "pages/forecastpage.h"
#include "pages/forecastprintjob.h"
#include "pages/forecastreading.h"
#include "pages/quadriviumdoc.h"

#include "output/pagerecorder.h"
#include "output/storedtext.h"
#include "store/datetext.h"
#include "store/textstore.h"

#include <QDateEdit>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace quadrivium;

namespace {

QString suppliedTexts()
{
    return qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb");
}

ReportSubject subject(const QString &name, QDate born, QDate day)
{
    CQuadriviumDoc document;
    document.setCurrentPerson(name, DateTimeValue::fromFields(born.year(), born.month(), born.day()), DateTimeValue());
    document.setChosenDay(DateTimeValue::fromFields(day.year(), day.month(), day.day()));
    return *ReportSubjectOf(document, [] { return CivilDate{2026, 12, 7}; });
}

QString titleOf(int table, int numberId, const QString &label = {})
{
    const auto record = TextStore(suppliedTexts()).read(table, numberId);
    if (!record || !*record)
        return QStringLiteral("<no record %1/%2>").arg(table).arg(numberId);
    return PlainTitle((*record)->title, (*record)->text).trimmed() + label;
}

} // namespace

class TestForecastPage : public QObject {
    Q_OBJECT

    struct Page {
        CQuadriviumDoc doc;
        CForecastPage page{doc};
    };

    static void show(Page &p, const QString &name, QDate born, QDate day)
    {
        p.doc.setCurrentPerson(name, DateTimeValue::fromFields(born.year(), born.month(), born.day()),
                               DateTimeValue());
        p.doc.setChosenDay(DateTimeValue::fromFields(day.year(), day.month(), day.day()));
        p.page.resize(p.page.sizeHint() + QSize(40, 30));
        p.page.refill();
        p.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.page));
    }

private slots:
    void initTestCase()
    {
        SetDateLocale(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY2(QFile::exists(suppliedTexts()), "the supplied text database is built with the programs");
    }

    /// Every kind of spot shows its own text: labels their introduction,
    /// values, months, challenges and lessons their record.
    void hotSpots()
    {
        Page p;
        show(p, QStringLiteral("Lena Vogel"), QDate(1951, 3, 6), QDate(2026, 12, 7));
        using S = CForecastPage;
        const std::pair<int, std::pair<int, int>> clicks[] = {
            {S::kYearValue, {10, 1}},        {S::kMonthValue, {12, 4}},     {S::kDayValue, {13, 2}},
            {S::kFirstMonth + 2, {12, 4}},   {S::kFirstMonth + 8, {12, 1}}, {S::kFirstChallenge + 3, {14, 4}},
            {S::kFirstLesson + 1, {15, 8}},  {S::kMonthLabel, {0, 12}},     {S::kChallengesLabel, {0, 14}},
            {S::kLessonsLabel, {0, 15}},     {S::kTitle, {0, 11}}};
        QSignalSpy shown(&p.page, &CReadingPage::textRequested);
        QList<std::pair<int, int>> expected, seen;
        for (const auto &[spot, text] : clicks) {
            QTest::mouseClick(&p.page, Qt::LeftButton, {}, p.page.spotRect(spot).center());
            QTest::qWait(10);
            expected << text;
        }
        QTRY_COMPARE(shown.count(), expected.size());
        for (const QList<QVariant> &signal : shown)
            seen << std::pair(signal.at(0).toInt(), signal.at(1).toInt());
        QCOMPARE(seen, expected);
    }

    /// The date field is the document's chosen day: editing it moves the
    /// day for every page, and a day chosen elsewhere shows in it.
    void dateField()
    {
        Page p;
        show(p, QStringLiteral("Friedrich Blumenkamp"), QDate(1966, 11, 19), QDate(2026, 12, 7));
        p.page.dateField()->setDate(QDate(2027, 1, 31));
        QCOMPARE(p.doc.chosenDay().year(), 2027);
        QVERIFY(p.page.forecast());
        QCOMPARE(p.page.forecast()->personalYear, 5);
        QCOMPARE(p.page.forecast()->personalDay, 1);
        p.doc.setChosenDay(DateTimeValue::fromFields(2026, 3, 15));
        QCOMPARE(p.page.dateField()->date(), QDate(2026, 3, 15));
        // 1+9+1+1 and 2+0+2+6: 22 -> 4; March: 4 + 3 = 7.
        QCOMPARE(p.page.forecast()->personalMonth, 7);
    }

    /// Without a valid date of birth nothing is computed and only the
    /// labels explain themselves.
    void noReading()
    {
        Page p;
        p.doc.setCurrentPerson(QStringLiteral("Ohne Datum"), DateTimeValue::invalid(), DateTimeValue());
        p.page.refill();
        QVERIFY(!p.page.forecast());
        QVERIFY(!p.page.dateField()->isEnabled());
        QCOMPARE(p.page.textOf(CForecastPage::kYearValue).first, -1);
        QCOMPARE(p.page.textOf(CForecastPage::kYearLabel), std::pair(0, 10));
    }

    /// The karmic lessons count letters, so the page names those it left
    /// out and the rules when they are not the usual ones, as the chart does.
    void notesUnderTheLessons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("base");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("usual rules, every letter counted") << QStringLiteral("Lena Vogel") << false << QStringList();
        QTest::newRow("accent left out") << QStringLiteral("Émile Lyon") << false
                                         << QStringList{QStringLiteral("Letters not counted: É")};
        QTest::newRow("accents as base letters")
            << QStringLiteral("Émile Lyon") << true
            << QStringList{QStringLiteral("Rules: accented letters as their base letter, Y always a consonant")};
    }
    void notesUnderTheLessons()
    {
        QFETCH(QString, name);
        QFETCH(bool, base);
        QFETCH(QStringList, notes);
        Page p;
        if (base)
            p.doc.setLetterRules({AccentRule::Base, YRule::Consonant});
        show(p, name, QDate(1980, 9, 29), QDate(2026, 12, 7));
        QCOMPARE(p.page.notes(), notes);
    }

    /// The report's sections in their order, each after its introduction;
    /// a challenge number met twice is printed once with both spans.
    void reportSections_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QDate>("born");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("options");
        QTest::addColumn<QStringList>("expected");
        const QString day = QStringLiteral(" (%1)").arg(FormatDateValue(DateTimeValue::fromFields(2026, 12, 7)));
        QTest::newRow("Lena Vogel, every section")
            << "Lena Vogel" << QDate(1951, 3, 6) << QDate(2026, 12, 7) << 0x7C003
            << QStringList{titleOf(0, 11),
                           titleOf(0, 10), titleOf(10, 1, " (2026)"),
                           titleOf(0, 12), titleOf(12, 4, " (December 2026)"),
                           titleOf(0, 13), titleOf(13, 2, day),
                           titleOf(0, 14), titleOf(14, 3, " (ages 0 to 29)"), titleOf(14, 1, " (ages 29 to 38)"),
                           titleOf(14, 2, " (ages 38 to 47)"), titleOf(14, 4, " (ages 47 to 56)"),
                           titleOf(0, 15), titleOf(15, 2), titleOf(15, 8), titleOf(15, 9)};
        QTest::newRow("repeated challenges once each")
            << "Nora Lind" << QDate(1980, 9, 29) << QDate(2026, 3, 15) << 0x20000
            << QStringList{titleOf(0, 14), titleOf(14, 7, " (ages 0 to 25 and 25 to 34)"),
                           titleOf(14, 0, " (ages 34 to 43 and 43 to 52)")};
        QTest::newRow("no lessons: the introduction alone")
            << "Friedrich Blumenkamp" << QDate(1966, 11, 19) << QDate(2027, 1, 31) << 0x40000
            << QStringList{titleOf(0, 15)};
        QTest::newRow("graphic only") << "Lena Vogel" << QDate(1951, 3, 6) << QDate(2026, 12, 7) << 0x1
                                      << QStringList();
    }

    void reportSections()
    {
        QFETCH(QString, name);
        QFETCH(QDate, born);
        QFETCH(QDate, day);
        QFETCH(int, options);
        QFETCH(QStringList, expected);
        CForecastPrintJob job(PrintSettings(), std::uint32_t(options), subject(name, born, day), suppliedTexts());
        QVERIFY(job.Compose(QSize(2100, 2970)));
        QStringList titles;
        for (qsizetype i = 0; i < job.contents().size(); i += 2)
            titles << job.contents().at(i);
        QCOMPARE(titles, expected);
        QCOMPARE(job.graphicPages(), options & 1);
    }

    /// The graphic page carries the person, the three numbers, the months
    /// and the lessons.
    void graphicPage()
    {
        CForecastPrintJob job(PrintSettings(), 0x1, subject("Lena Vogel", QDate(1951, 3, 6), QDate(2026, 12, 7)),
                              suppliedTexts());
        QVERIFY(job.Compose(QSize(2100, 2970)));
        CRecordedPage page;
        job.PrintPage(page, 1);
        const QStringList texts = page.texts();
        // The lessons depend on the letters counted: the rules are stated.
        for (const char *text : {"Lena Vogel", "Personal Month (December):", "Dec", "2, 8, 9", "ages 47 to 56",
                                 "Rules: accented letters not counted, Y always a consonant"})
            QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
    }
};

QTEST_MAIN(TestForecastPage)
#include "tst_forecastpage.moc"
