// The biorhythm page: the day strip over the graph, the classes and texts
// of the chosen day, the introduction when no curve is shown, and the day
// tooltips with their critical curves.

#include "pages/biorhythmpage.h"
#include "pages/quadriviumdoc.h"

#include <QAbstractButton>
#include <QDate>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include "../processrun.h"

using namespace quadrivium;

namespace {

DateTimeValue date(int y, int m, int d)
{
    return DateTimeValue::fromFields(y, m, d);
}

struct Page {
    CQuadriviumDoc doc;
    CBiorythmus page{doc, nullptr, [] { return CivilDate{2026, 3, 17}; }};

    Page(const DateTimeValue &born, const DateTimeValue &day, int width = 600)
    {
        doc.setCurrentPerson(QStringLiteral("Anna Muller"), born, DateTimeValue());
        doc.setChosenDay(day);
        page.resize(width, 300);
        page.refill();
    }
};

int visibleDays(const CBiorythmus &page)
{
    int n = 0;
    for (int d = 1; d <= 31; ++d)
        n += page.dayButton(d)->isVisibleTo(&page) ? 1 : 0;
    return n;
}

} // namespace

class TestBiorhythmPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    void startsOnToday()
    {
        CQuadriviumDoc doc;
        CBiorythmus page(doc, nullptr, [] { return CivilDate{2026, 3, 17}; });
        QCOMPARE(doc.chosenDay(), date(2026, 3, 17));
        QVERIFY(page.dayButton(17)->isChecked());
        QCOMPARE(page.graphControl()->graph().monthStart(), date(2026, 3, 1));
    }

    void stripOverGraph_data()
    {
        QTest::addColumn<DateTimeValue>("day");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("buttonWidth");
        QTest::newRow("28-day February") << date(2001, 2, 10) << 600 << 28 << 21;
        QTest::newRow("February 2100 has 28 days") << date(2100, 2, 10) << 600 << 28 << 21;
        QTest::newRow("leap February") << date(2000, 2, 29) << 600 << 29 << 20;
        QTest::newRow("31-day month") << date(2001, 3, 31) << 600 << 31 << 19;
        QTest::newRow("width a multiple of 30") << date(2001, 4, 1) << 600 << 30 << 20;
    }

    void stripOverGraph()
    {
        QFETCH(DateTimeValue, day);
        QFETCH(int, width);
        QFETCH(int, days);
        QFETCH(int, buttonWidth);
        Page p(date(1984, 3, 7), day, width);
        QCOMPARE(visibleDays(p.page), days);
        for (int d = 1; d <= days; ++d) {
            const QRect b = p.page.dayButton(d)->geometry();
            QCOMPARE(b.x(), (d - 1) * buttonWidth);
            QCOMPARE(b.width(), buttonWidth);
        }
        QCOMPARE(p.doc.biorhythmDays, days);
        QCOMPARE(p.doc.biorhythmScale, buttonWidth);
        // The graph is as wide as the buttons, and each day's grid line stands
        // at the left edge of its button.
        const CBiorhythmGraph &g = p.page.graphControl()->graph();
        QCOMPARE(g.area().width(), buttonWidth * days);
        QCOMPARE(p.page.graphControl()->x(), 0);
        for (int d = 0; d < days; ++d)
            QCOMPARE(g.dayLeft(d), d * buttonWidth);
        QVERIFY(p.page.dayButton(day.day())->isChecked());
    }

    // The page once said nowhere which month and whose curves it shows.
    void captionNamesMonthAndPerson()
    {
        Page p(date(1984, 3, 7), date(2026, 3, 30));
        QCOMPARE(p.page.monthCaption(), QStringLiteral("MARCH 2026"));
        p.doc.setChosenDay(date(2026, 2, 28));
        QCOMPARE(p.page.monthCaption(), QStringLiteral("FEBRUARY 2026"));
        // The caption stands above the strip, the strip above the graph.
        const QRect strip = p.page.dayButton(1)->parentWidget()->geometry();
        QVERIFY(strip.top() > p.page.fontMetrics().height());
        QVERIFY(p.page.graphControl()->y() > strip.bottom());
        // The picture of the page shows the caption: dark text in its band.
        const QImage picture = p.page.grab().toImage();
        int dark = 0;
        for (int y = 0; y < strip.top(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                dark += picture.pixelColor(x, y).lightness() < 96 ? 1 : 0;
        QVERIFY(dark > 20);
    }

    void chosenDayShowsItsTexts()
    {
        const DateTimeValue born = date(1984, 3, 7);
        Page p(born, date(2026, 3, 3));
        p.doc.setCurrentCommand(kBiorhythmPage);
        QSignalSpy triples(&p.page, &CReadingPage::tripleRequested);

        // A day button chooses that day of the month and shows its texts; so
        // does the checked button clicked again.
        for (int day : {12, 12, 28}) {
            triples.clear();
            QTest::mouseClick(p.page.dayButton(day), Qt::LeftButton);
            const DateTimeValue chosen = date(2026, 3, day);
            QCOMPARE(p.doc.chosenDay(), chosen);
            QVERIFY(p.page.dayButton(day)->isChecked());
            QCOMPARE(triples.size(), 1);
            const QList<QVariant> expected{3, Classify(born, chosen, 23), Classify(born, chosen, 28),
                                           Classify(born, chosen, 33)};
            QCOMPARE(triples.first(), expected);
            QCOMPARE(p.page.curveClass(Curve::Emotional), Classify(born, chosen, 28));
        }

        // Another month through the document (the calendar) lays the strip out anew.
        p.doc.setChosenDay(date(2026, 2, 5));
        QCOMPARE(visibleDays(p.page), 28);
        QCOMPARE(p.page.graphControl()->graph().presentDay(), date(2026, 2, 5));

        // While another reading is current the texts stay as they are.
        p.doc.setCurrentCommand(kBirthChartPage);
        triples.clear();
        QTest::mouseClick(p.page.dayButton(9), Qt::LeftButton);
        QCOMPARE(p.doc.chosenDay(), date(2026, 2, 9));
        QCOMPARE(triples.size(), 0);
    }

    void noCurveShowsIntroduction()
    {
        Page p(date(1984, 3, 7), date(2026, 3, 3));
        p.doc.showPhysical = p.doc.showEmotional = p.doc.showIntellectual = false;
        p.page.Evaluate();
        for (Curve c : kCurves)
            QCOMPARE(p.page.curveClass(c), 0);
        // Guards against stored widths and styles out of range (an edited
        // settings file): style 0 would hide a shown curve, width 40 smear it.
        p.doc.showPhysical = true;
        p.doc.settings().set(DocumentSettings::WidthPhysical, 40);
        p.doc.settings().set(DocumentSettings::StylePhysical, 0);
        CBiorhythmGraph g;
        ApplyCurveSettings(p.doc, g);
        QCOMPARE(g.penWidth(Curve::Physical), 5);
        QCOMPARE(g.dashRun(Curve::Physical), 0);
        QCOMPARE(g.dashRun(Curve::Emotional), -1);
        p.doc.showPhysical = false;
        QSignalSpy texts(&p.page, &CReadingPage::textRequested);
        QSignalSpy triples(&p.page, &CReadingPage::tripleRequested);
        p.page.showIntroduction();
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts.first(), (QList<QVariant>{0, 4}));
        QCOMPARE(triples.size(), 0);

        // No curve is drawn: the graph holds no red, green or blue pixel.
        const QImage image = p.page.graphControl()->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                QVERIFY(!(c == Qt::red || c == Qt::green || c == Qt::blue));
            }

        // A left-button release anywhere on the page shows the introduction too.
        texts.clear();
        QTest::mouseClick(&p.page, Qt::LeftButton, {}, QPoint(5, 290));
        QCOMPARE(texts.size(), 1);
    }

    void dayTooltips()
    {
        // Born at midnight on 1 January 2000: every curve starts at zero.
        Page p(date(2000, 1, 1), date(2000, 1, 5));
        const QString first = QLocale().toString(QDate(2000, 1, 1), QLocale::LongFormat);
        QCOMPARE(p.page.dayTooltip(1), first + QStringLiteral(" - critical: physical, spiritual, intellectual"));
        QCOMPARE(p.page.dayTooltip(2), QLocale().toString(QDate(2000, 1, 2), QLocale::LongFormat));
        // A curve that is not shown is not named.
        p.doc.showEmotional = false;
        QCOMPARE(p.page.dayTooltip(1), first + QStringLiteral(" - critical: physical, intellectual"));
    }

    // quadrivium-cli biorhythm classifies every day of a month as the page does.
    void commandLineAgrees()
    {
        const Run cli = run(QStringLiteral(QUADRIVIUM_CLI_PATH),
                            {"biorhythm", "--born", "1984-03-07", "--month", "2026-02", "--json"});
        QCOMPARE(cli.exitCode, 0);
        const QJsonArray days = QJsonDocument::fromJson(cli.out).object()["days"].toArray();
        QCOMPARE(days.size(), 28);
        Page p(date(1984, 3, 7), date(2026, 2, 1));
        for (int d = 1; d <= 28; ++d) {
            p.doc.setChosenDay(date(2026, 2, d));
            const QJsonObject day = days[d - 1].toObject();
            QCOMPARE(day["date"].toString(), QStringLiteral("2026-02-%1").arg(d, 2, 10, QLatin1Char('0')));
            QCOMPARE(day["physical"].toObject()["class"].toInt(), p.page.curveClass(Curve::Physical));
            QCOMPARE(day["emotional"].toObject()["class"].toInt(), p.page.curveClass(Curve::Emotional));
            QCOMPARE(day["intellectual"].toObject()["class"].toInt(), p.page.curveClass(Curve::Intellectual));
        }
    }
};

QTEST_MAIN(TestBiorhythmPage)
#include "tst_biorhythmpage.moc"
