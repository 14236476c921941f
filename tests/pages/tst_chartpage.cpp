// The birth chart and walkthrough pages on screen: the values they show,
// the formed lines, the hot spots with their cursor, tooltip and texts, and
// the pixels of the drawn lines.

#include "pages/chartpage.h"
#include "pages/knowhowpage.h"
#include "pages/quadriviumdoc.h"

#include "store/datetext.h"

#include <QHelpEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace quadrivium;

namespace {

DateTimeValue date(int y, int m, int d)
{
    return DateTimeValue::fromFields(y, m, d);
}

struct Shown {
    int table, numberId;
};

} // namespace

namespace {
/// How many pixels along the path have the colour, sampled every pixel.
int pixelsAlong(const QImage &image, const QLine &path, const std::function<bool(QColor)> &match)
{
    const int steps = qMax(qAbs(path.dx()), qAbs(path.dy()));
    int found = 0;
    for (int i = steps / 10; i <= steps - steps / 10; ++i) {
        const QPoint p = path.p1() + QPoint(path.dx() * i / steps, path.dy() * i / steps);
        if (match(image.pixelColor(p)))
            ++found;
    }
    return found;
}
} // namespace

class TestChartPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        SetDateLocale(QLocale(QLocale::German, QLocale::Germany));
    }

    void values_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<DateTimeValue>("born");
        QTest::addColumn<QStringList>("values"); // 6023..6029
        QTest::addColumn<QStringList>("labels"); // 6015..6022
        QTest::addColumn<QString>("ignored");    // 10002: letters not counted

        QTest::newRow("worked example") << "Lena Vogel" << date(1951, 3, 6)
            << QStringList{"7", "6", "8", "4", "3", "1 (2026)", "2 (2027)"}
            << QStringList{"", "", "", "", "", "", "Intellect", "Fate"} << "";
        // Ł is not counted (Appearance from N V G L only) and named on the page.
        QTest::newRow("letter outside the table") << QStringLiteral("Łena Vogel") << date(1951, 3, 6)
            << QStringList{"7", "6", "8", "1", "9", "1 (2026)", "2 (2027)"}
            << QStringList{"", "", "", "", "", "", "Intellect", "Fate"} << QStringLiteral("Letters not counted: Ł");
        QTest::newRow("master 11, two missing lines") << QStringLiteral("Käthe Groß") << date(1980, 9, 29)
            << QStringList{"11", "29", "8", "2", "1", "3 (2026)", "4 (2027)"}
            << QStringList{"Frustrations", "", "Scepticism", "", "", "", "", ""} << "";
        // An umlaut typed as letter and combining mark counts as the umlaut.
        QTest::newRow("decomposed umlaut") << QStringLiteral("Ka\u0308the Groß") << date(1980, 9, 29)
            << QStringList{"11", "29", "8", "2", "1", "3 (2026)", "4 (2027)"}
            << QStringList{"Frustrations", "", "Scepticism", "", "", "", "", ""} << "";
        QTest::newRow("three missing lines") << "Anna" << date(1911, 11, 11)
            << QStringList{"7", "11", "2", "1", "3", "5 (2026)", "6 (2027)"}
            << QStringList{"Frustrations", "", "Scepticism", "", "", "Emotional Vulnerability", "", ""} << "";
        QTest::newRow("poor memory") << "Y" << date(2000, 1, 1)
            << QStringList{"4", "1", "-", "7", "7", "3 (2026)", "4 (2027)"}
            << QStringList{"Frustrations", "Passiveness", "Scepticism", "", "", "", "Poor Memory", ""} << "";
        // Births from 2000 on: the empty 1-5-9, 1-4-7 and 7-8-9 are drawn
        // and named beside the older missing lines.
        QTest::newRow("2004, four missing lines") << QStringLiteral("Anne-Marie Lefèvre") << date(2004, 2, 20)
            << QStringList{"1", "20", "4", "9", "4", "5 (2026)", "6 (2027)"}
            << QStringList{"", "Passiveness", "Scepticism", "", "", "", "Poor Memory", "Indecision"}
            << QStringLiteral("Letters not counted: è");
        QTest::newRow("2022, six missing lines") << "Anna" << date(2022, 2, 22)
            << QStringList{"3", "22", "2", "1", "3", "7 (2026)", "8 (2027)"}
            << QStringList{"Frustrations", "Passiveness", "Scepticism", "", "Impracticality", "", "Poor Memory",
                           "Indecision"} << "";
        QTest::newRow("empty left column") << "Anna" << date(567, 4, 5)
            << QStringList{"9", "5", "2", "1", "3", "1 (2026)", "2 (2027)"}
            << QStringList{"Will", "", "", "Confusion", "", "", "", ""} << "";
        QTest::newRow("outer present lines") << "Jörg Müller" << date(1987, 3, 24)
            << QStringList{"7", "24", "6", "9", "6", "1 (2026)", "2 (2027)"}
            << QStringList{"", "Activity", "", "Planner", "Pragmatism", "", "", ""} << "";
    }

    void values()
    {
        QFETCH(QString, name);
        QFETCH(DateTimeValue, born);
        QFETCH(QStringList, values);
        QFETCH(QStringList, labels);
        QFETCH(QString, ignored);

        Page page;
        show(page, name, born);
        QVERIFY(page.chart.hasReading());
        QCOMPARE(page.chart.controlText(10001), name);
        QCOMPARE(page.chart.controlText(10000), FormatDateValue(born));
        QStringList gotValues, gotLabels;
        for (int id = 6023; id <= 6029; ++id)
            gotValues << page.chart.controlText(id);
        for (int id = 6015; id <= 6022; ++id)
            gotLabels << page.chart.controlText(id);
        QCOMPARE(gotValues, values);
        QCOMPARE(gotLabels, labels);
        QCOMPARE(page.chart.controlText(10002), ignored);

        // Regression: "Emotional Vulnerability" showed as "Emotional". Every
        // formed label's text fits its rectangle, inside the page and clear of
        // the other labels.
        const QFontMetrics metrics(page.chart.font());
        QList<QRect> shownRects;
        for (int id = 6015; id <= 6022; ++id) {
            const QString text = page.chart.controlText(id);
            if (text.isEmpty())
                continue;
            const QRect r = page.chart.controlRect(id);
            const QRect needed = metrics.boundingRect(QRect(0, 0, r.width(), 1000), Qt::TextWordWrap, text);
            QVERIFY2(needed.width() <= r.width() && needed.height() <= r.height(), qPrintable(text));
            QVERIFY2(page.chart.rect().contains(r), qPrintable(text));
            for (const QRect &other : std::as_const(shownRects))
                QVERIFY2(!other.intersects(r), qPrintable(text));
            shownRects << r;
        }
    }

    void hotSpots()
    {
        Page page;
        show(page, QStringLiteral("Lena Vogel"), date(1951, 3, 6));
        QSignalSpy shown(&page.chart, &CReadingPage::textRequested);

        // Cell of the digit 1, which occurs twice: "Zahlen" 1 + 2.
        const QPoint cell = page.chart.controlRect(6000).center();
        QTest::mouseMove(&page.chart, cell);
        QCOMPARE(page.chart.cursor().shape(), Qt::PointingHandCursor);
        QHelpEvent help(QEvent::ToolTip, cell, page.chart.mapToGlobal(cell));
        QApplication::sendEvent(&page.chart, &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("Number 1 in the Chart"));
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, cell);
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toInt(), 5);
        QCOMPARE(shown.at(0).at(1).toInt(), 3);

        const std::pair<int, std::pair<int, int>> expected[] = {
            {6023, {4, 7}}, {6024, {9, 6}}, {6025, {6, 8}}, {6026, {7, 4}}, {6027, {8, 3}},
            {6028, {10, 1}}, {6029, {10, 2}}, {6009, {0, 5}}, {6014, {0, 10}}, {6030, {0, 2}},
            {6021, {1, 3}}, {6022, {1, 1}}, {6001, {5, 6}}, {6008, {5, 42}}};
        for (const auto &[spot, text] : expected) {
            shown.clear();
            QTest::mouseClick(&page.chart, Qt::LeftButton, {}, page.chart.controlRect(spot).center());
            QTRY_COMPARE(shown.count(), 1);
            QCOMPARE(shown.at(0).at(0).toInt(), text.first);
            QCOMPARE(shown.at(0).at(1).toInt(), text.second);
        }

        // Away from every spot the arrow returns.
        QTest::mouseMove(&page.chart, QPoint(2, page.chart.height() - 2));
        QCOMPARE(page.chart.cursor().shape(), Qt::ArrowCursor);
    }

    // Each missing line that only later (or very early) years form has a hot
    // spot on its label: the hand cursor, a tooltip naming the line and its
    // own "Chart" text.
    void missingLineSpots_data()
    {
        QTest::addColumn<DateTimeValue>("born");
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("numberId");

        QTest::newRow("1-5-9") << date(2004, 2, 20) << 6022 << "Missing line 1-5-9: Indecision" << 13;
        QTest::newRow("1-2-3") << date(567, 4, 5) << 6018 << "Missing line 1-2-3: Confusion" << 14;
        QTest::newRow("1-4-7") << date(2022, 2, 22) << 6019 << "Missing line 1-4-7: Impracticality" << 15;
        QTest::newRow("7-8-9") << date(2004, 2, 20) << 6016 << "Missing line 7-8-9: Passiveness" << 16;
        QTest::newRow("present 1-5-9 keeps its text") << date(1951, 3, 6) << 6022 << "Line 1-5-9: Fate" << 1;
    }

    void missingLineSpots()
    {
        QFETCH(DateTimeValue, born);
        QFETCH(int, label);
        QFETCH(QString, tip);
        QFETCH(int, numberId);

        Page page;
        show(page, QStringLiteral("Anna"), born);
        QSignalSpy shown(&page.chart, &CReadingPage::textRequested);
        const QPoint spot = page.chart.controlRect(label).center();
        QTest::mouseMove(&page.chart, spot);
        QCOMPARE(page.chart.cursor().shape(), Qt::PointingHandCursor);
        QHelpEvent help(QEvent::ToolTip, spot, page.chart.mapToGlobal(spot));
        QApplication::sendEvent(&page.chart, &help);
        QCOMPARE(QToolTip::text(), tip);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, spot);
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toInt(), 1);
        QCOMPARE(shown.at(0).at(1).toInt(), numberId);
    }

    void sameSpotTwiceShowsOnce()
    {
        Page page;
        show(page, QStringLiteral("Lena Vogel"), date(1951, 3, 6));
        QSignalSpy shown(&page.chart, &CReadingPage::textRequested);
        const QPoint ruling = page.chart.controlRect(6023).center();
        const QPoint day = page.chart.controlRect(6024).center();
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, ruling);
        QTRY_COMPARE(shown.count(), 1);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, ruling);
        QTest::qWait(20);
        QCOMPARE(shown.count(), 1);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, day);
        QTRY_COMPARE(shown.count(), 2);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, ruling);
        QTRY_COMPARE(shown.count(), 3);
    }

    void inactiveLabel()
    {
        Page page;
        show(page, QStringLiteral("Lena Vogel"), date(1951, 3, 6));
        QSignalSpy shown(&page.chart, &CReadingPage::textRequested);
        const QPoint label258 = page.chart.controlRect(6020).center(); // 2-5-8 is not formed
        QVERIFY(page.chart.controlText(6020).isEmpty());
        QTest::mouseMove(&page.chart, label258);
        QCOMPARE(page.chart.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, label258);
        QTest::qWait(20);
        QCOMPARE(shown.count(), 0);
    }

    void linePixels()
    {
        Page page;
        show(page, QStringLiteral("Käthe Groß"), date(1980, 9, 29)); // 4-5-6 missing
        const QImage missing = page.chart.grab().toImage();
        const QLine path456 = page.chart.linePath(10);
        auto white = [](QColor c) { return c.red() > 240 && c.green() > 240 && c.blue() > 240; };
        auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
        QVERIFY(pixelsAlong(missing, path456, white) > qAbs(path456.dy()) / 4);
        QCOMPARE(pixelsAlong(missing, path456, red), 0);

        show(page, QStringLiteral("Lena Vogel"), date(1951, 3, 6)); // 3-6-9 present
        const QImage present = page.chart.grab().toImage();
        const QLine path369 = page.chart.linePath(2);
        QVERIFY(pixelsAlong(present, path369, red) > qAbs(path369.dx()) / 4);
        // The 4-5-6 path of the earlier person holds no white line now.
        QVERIFY(pixelsAlong(present, path456, white) < qAbs(path456.dy()) / 20);
    }

    void absentDigitsInWhite()
    {
        Page page;
        show(page, QStringLiteral("Lena Vogel"), date(1951, 3, 6));
        const QImage image = page.chart.grab().toImage();
        if (qEnvironmentVariableIsSet("QUADRIVIUM_SHOTS"))
            image.save(qEnvironmentVariable("QUADRIVIUM_SHOTS") + QStringLiteral("/chart.png"));
        auto whiteIn = [&](int id) {
            const QRect r = page.chart.controlRect(id);
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                {
                    const QColor c = image.pixelColor(x, y);
                    n += c.red() > 230 && c.green() > 230 && c.blue() > 230;
                }
            return n;
        };
        QVERIFY(whiteIn(6001) > 5);  // 2 is absent: a white 2
        QCOMPARE(whiteIn(6000), 0);  // 1 occurs: black "11"
    }

    void notValidDate()
    {
        Page page;
        show(page, QStringLiteral("Anna"), DateTimeValue::invalid());
        QVERIFY(!page.chart.hasReading());
        for (int id = 6015; id <= 6029; ++id)
            QVERIFY(page.chart.controlText(id).isEmpty());
        // The empty cells explain nothing: no text for digits never computed.
        QSignalSpy shown(&page.chart, &CReadingPage::textRequested);
        const QPoint cell = page.chart.controlRect(6000).center();
        QTest::mouseMove(&page.chart, cell);
        QCOMPARE(page.chart.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, cell);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, page.chart.controlRect(6009).center());
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(1).toInt(), 5); // the Ruling Number label still explains itself
    }

    void walkthrough()
    {
        CQuadriviumDoc doc;
        doc.setCurrentPerson(QStringLiteral("Lena Vogel"), date(1951, 3, 6), DateTimeValue());
        CKnowHow page(doc);
        page.refill();
        QCOMPARE(page.lineText(1046), QStringLiteral("06.03.1951"));
        QCOMPARE(page.lineText(1045), QStringLiteral("0 + 6 + 0 + 3 + 1 + 9 + 5 + 1  =  25   =  2 + 5  =   7"));
        QCOMPARE(page.lineText(6024), QStringLiteral("06"));
        QCOMPARE(page.lineText(1095), QStringLiteral("EAOE =  5 + 1 + 6 + 5 =  17 = 1 + 7  =  8"));
        QCOMPARE(page.lineText(6012), QStringLiteral("LNVGL =  3 + 5 + 4 + 7 + 3 =  22 = 2 + 2  =  4"));
        QCOMPARE(page.lineText(1097), QStringLiteral("8 + 4 = 12 = 1 + 2 =  3"));

        doc.setCurrentPerson(QStringLiteral("Käthe Groß"), date(1980, 9, 29), DateTimeValue());
        page.refill();
        QCOMPARE(page.lineText(6012),
                 QStringLiteral("KTHGRS =  2 + 2 + 8 + 7 + 9 + 1 =  29 = 2 + 9  =  11  =  1 + 1  =  2"));
        const auto shownNotices = [&page] {
            QStringList texts;
            for (const QLabel *label : page.findChildren<QLabel *>()) {
                if (!label->isHidden() && label->text().startsWith(QLatin1String("Letters not counted")))
                    texts << label->text();
            }
            return texts;
        };
        QCOMPARE(shownNotices(), QStringList());

        doc.setCurrentPerson(QStringLiteral("Łena Vogel"), date(1951, 3, 6), DateTimeValue());
        page.refill();
        QCOMPARE(page.lineText(6012), QStringLiteral("NVGL =  5 + 4 + 7 + 3 =  19 = 1 + 9  =  10  =  1 + 0  =  1"));
        QCOMPARE(shownNotices(), QStringList{QStringLiteral("Letters not counted: Ł")});
    }

    // The rules in force on the chart page and the walkthrough: the numbers
    // they give, "-" with a note for a name without a vowel, a "Rules:" line
    // only when they are not the usual ones, and the letters not counted.
    void rulesOnPages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("fate");        // 6025
        QTest::addColumn<QString>("fateLine");    // walkthrough 1095
        QTest::addColumn<QString>("ignored");     // 10002
        QTest::addColumn<QStringList>("notes");   // 10003, line by line: beginnings

        QTest::newRow("Lyn Wynn, usual rules") << "Lyn Wynn" << "" << "-" << "-" << ""
            << QStringList{"No Number of Fate"};
        QTest::newRow("Lyn Wynn, Y if needed") << "Lyn Wynn" << "y=vowel-if-needed" << "5"
            << "YY =  7 + 7 =  14 = 1 + 4  =  5" << "" << QStringList{"Rules: "};
        QTest::newRow("Lef\u00e8vre, usual rules") << QStringLiteral("Anne-Marie Lef\u00e8vre") << "" << "4"
            << "AEAIEEE =  1 + 5 + 1 + 9 + 5 + 5 + 5 =  31 = 3 + 1  =  4" << QStringLiteral("Letters not counted: \u00e8")
            << QStringList();
        QTest::newRow("Lef\u00e8vre, base letters") << QStringLiteral("Anne-Marie Lef\u00e8vre") << "accents=base" << "9"
            << "AEAIEEEE =  1 + 5 + 1 + 9 + 5 + 5 + 5 + 5 =  36 = 3 + 6  =  9" << "" << QStringList{"Rules: "};
    }

    void rulesOnPages()
    {
        QFETCH(QString, name);
        QFETCH(QString, rules);
        QFETCH(QString, fate);
        QFETCH(QString, fateLine);
        QFETCH(QString, ignored);
        QFETCH(QStringList, notes);

        Page page;
        page.doc.setLetterRules(*ParseLetterRules(rules.toStdString()));
        show(page, name, date(2004, 2, 20));
        QCOMPARE(page.chart.controlText(6025), fate);
        QCOMPARE(page.chart.controlText(10002), ignored);
        const QStringList shown = page.chart.controlText(10003).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(shown.size(), notes.size());
        for (int i = 0; i < notes.size(); ++i)
            QVERIFY2(shown[i].startsWith(notes[i]), qPrintable(shown[i]));
        // Without a Number of Fate its value explains nothing.
        QSignalSpy texts(&page.chart, &CReadingPage::textRequested);
        QTest::mouseClick(&page.chart, Qt::LeftButton, {}, page.chart.controlRect(6025).center());
        QTest::qWait(20);
        QCOMPARE(texts.isEmpty(), fate == QLatin1String("-"));

        CKnowHow walk(page.doc);
        walk.refill();
        QCOMPARE(walk.lineText(1095), fateLine);
        const QStringList walkNotes = walk.noticeText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList expected = notes;
        if (!ignored.isEmpty())
            expected.prepend(ignored);
        QCOMPARE(walkNotes.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(walkNotes[i].startsWith(expected[i]), qPrintable(walkNotes[i]));
    }

    void walkthroughHotSpot()
    {
        CQuadriviumDoc doc;
        doc.setCurrentPerson(QStringLiteral("Lena Vogel"), date(1951, 3, 6), DateTimeValue());
        CKnowHow page(doc);
        page.resize(600, 300);
        page.refill();
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        if (qEnvironmentVariableIsSet("QUADRIVIUM_SHOTS"))
            page.grab().save(qEnvironmentVariable("QUADRIVIUM_SHOTS") + QStringLiteral("/walkthrough.png"));
        QSignalSpy shown(&page, &CReadingPage::textRequested);
        const QPoint fate = page.labelRect(9002).center();
        QTest::mouseMove(&page, fate);
        QCOMPARE(page.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(&page, Qt::LeftButton, {}, fate);
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(shown.at(0).at(0).toInt(), 0);
        QCOMPARE(shown.at(0).at(1).toInt(), 6);
    }

private:
    struct Page {
        CQuadriviumDoc doc;
        CChart chart{doc};
    };
    static void show(Page &page, const QString &name, const DateTimeValue &born);
};

void TestChartPage::show(Page &page, const QString &name, const DateTimeValue &born)
{
    page.chart.setClock([] { return CivilDate{2026, 12, 6}; });
    page.doc.setCurrentPerson(name, born, DateTimeValue());
    page.chart.resize(page.chart.sizeHint() + QSize(40, 30));
    page.chart.refill();
    page.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page.chart));
}

QTEST_MAIN(TestChartPage)
#include "tst_chartpage.moc"
