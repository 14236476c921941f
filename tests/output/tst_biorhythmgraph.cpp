// The month graph of the biorhythm drawn into a recording surface: sample
// points and dash runs of the curves, the present-day mark, switched-off
// curves and grey on one- and two-colour surfaces, upward y axes and day
// numbers.

#include "output/biorhythmgraph.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextItem>

using namespace quadrivium;

namespace {

/// Keeps what is drawn: polylines and lines with their pen, filled
/// rectangles with their brush colour, texts with their position.
class RecordingEngine : public QPaintEngine {
public:
    struct Stroke {
        QColor colour;
        int width;
        QPolygon points;
    };
    std::vector<Stroke> strokes;
    std::vector<std::pair<QColor, QRect>> fills;
    std::vector<std::pair<QPointF, QString>> texts;

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        QPolygon p;
        for (int i = 0; i < count; ++i)
            p << m_transform.map(points[i]).toPoint();
        strokes.push_back({m_pen.color(), m_pen.width(), p});
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QPointF ends[2] = {lines[i].p1(), lines[i].p2()};
            drawPolygon(ends, 2, PolylineMode);
        }
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            if (m_brush.style() != Qt::NoBrush)
                fills.emplace_back(m_brush.color(), m_transform.mapRect(rects[i]).toRect());
        }
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawTextItem(const QPointF &at, const QTextItem &item) override
    {
        texts.emplace_back(m_transform.map(at), item.text());
    }

    std::vector<Stroke> strokesIn(const QColor &colour) const
    {
        std::vector<Stroke> out;
        for (const Stroke &s : strokes)
            if (s.colour == colour)
                out.push_back(s);
        return out;
    }

private:
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(int colours = 1 << 24) : m_colours(colours) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }
    RecordingEngine &engine() const { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmNumColors: return m_colours;
        case PdmWidthMM: case PdmHeightMM: return 500;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        case PdmDevicePixelRatio: return 1;
        default: return metric <= PdmHeight ? 2000 : metric == PdmDepth ? 32 : metric <= PdmPhysicalDpiY ? 96 : 0;
        }
    }

private:
    mutable RecordingEngine m_engine;
    int m_colours;
};

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kMark(128, 128, 128);

DateTimeValue date(int y, int m, int d)
{
    return DateTimeValue::fromFields(y, m, d);
}

/// A graph of the month of `day` at (10, 20), 560 x 200, with only the
/// physical curve drawn at `run` unless told otherwise.
CBiorhythmGraph graphOf(const DateTimeValue &day, int run = 0, int height = 200)
{
    CBiorhythmGraph g;
    g.SetBirthDate(date(1984, 3, 7));
    g.SetMonthStart(date(day.year(), day.month(), 1));
    g.SetPresentDay(day);
    g.SetArea(10, 20, 560, height);
    g.SetCurve(Curve::Physical, 2, run);
    g.SetCurve(Curve::Emotional, 1, -1);
    g.SetCurve(Curve::Intellectual, 1, -1);
    return g;
}

RecordingEngine &draw(const CBiorhythmGraph &g, RecordingDevice &device)
{
    QPainter p(&device);
    g.Draw(p);
    return device.engine();
}

} // namespace

class TestBiorhythmGraph : public QObject {
    Q_OBJECT
private slots:
    void curveSamplesAndRuns_data()
    {
        QTest::addColumn<DateTimeValue>("month");
        QTest::addColumn<int>("run");
        QTest::addColumn<int>("points");     // samples of the curve
        QTest::addColumn<int>("pieces");     // polylines drawn
        QTest::addColumn<int>("firstSize");  // points of the first polyline
        QTest::addColumn<int>("firstStart"); // sample the first polyline starts at
        QTest::newRow("style 1, February of a common year") << date(2001, 2, 1) << 0 << 281 << 1 << 281 << 0;
        QTest::newRow("style 1, 31-day month") << date(2001, 3, 1) << 0 << 311 << 1 << 311 << 0;
        // Single samples drawn and skipped in turn: lines to samples 1, 3, ..., 279.
        QTest::newRow("style 2") << date(2001, 2, 1) << 1 << 281 << 140 << 2 << 0;
        // Two samples skipped, then runs of three drawn and three skipped.
        QTest::newRow("style 4") << date(2001, 2, 1) << 3 << 281 << 47 << 4 << 2;
    }

    void curveSamplesAndRuns()
    {
        QFETCH(DateTimeValue, month);
        QFETCH(int, run);
        QFETCH(int, points);
        QFETCH(int, pieces);
        QFETCH(int, firstSize);
        QFETCH(int, firstStart);
        const CBiorhythmGraph g = graphOf(month, run);
        const std::vector<QPoint> samples = g.CurvePoints(Curve::Physical);
        QCOMPARE(int(samples.size()), points);
        QCOMPARE(samples.front().x(), 10);
        QVERIFY(qAbs(samples.back().x() - 570) <= 1); // the first moment of the next month
        RecordingDevice device;
        const auto red = draw(g, device).strokesIn(kRed);
        QCOMPARE(int(red.size()), pieces);
        QCOMPARE(red.front().points.size(), firstSize);
        QCOMPARE(red.front().points.first(), samples[std::size_t(firstStart)]);
        QCOMPARE(red.front().width, 2);
        // Every drawn polyline follows the samples without gaps.
        for (const auto &piece : red) {
            const auto at = std::find(samples.begin(), samples.end(), piece.points.first());
            QVERIFY(at != samples.end());
            for (int i = 0; i < piece.points.size(); ++i)
                QCOMPARE(piece.points[i], *(at + i));
        }
    }

    void presentDayMark_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<DateTimeValue>("present");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("fills");
        QTest::addColumn<int>("hatchLines");
        QTest::newRow("filled") << 0x1Eu << date(2001, 2, 10) << 200 << 1 << 0;
        QTest::newRow("filled, upward axis") << 0x1Eu << date(2001, 2, 10) << -200 << 1 << 0;
        QTest::newRow("hatched") << 0x0Eu << date(2001, 2, 10) << 200 << 0 << 50;
        QTest::newRow("no mark flag") << 0x16u << date(2001, 2, 10) << 200 << 0 << 0;
        QTest::newRow("day of another month") << 0x1Eu << date(2001, 3, 10) << 200 << 0 << 0;
    }

    void presentDayMark()
    {
        QFETCH(unsigned, flags);
        QFETCH(DateTimeValue, present);
        QFETCH(int, height);
        QFETCH(int, fills);
        QFETCH(int, hatchLines);
        CBiorhythmGraph g = graphOf(date(2001, 2, 10), -1, height);
        g.SetPresentDay(present);
        g.SetFlags(flags);
        RecordingDevice device;
        const RecordingEngine &e = draw(g, device);
        const int column = g.dayLeft(9);
        QCOMPARE(int(e.fills.size()), fills);
        if (fills) {
            QCOMPARE(e.fills.front().first, kMark);
            const QRect expected(column + 1, height > 0 ? 20 : 20 + height + 1, 21, qAbs(height));
            QCOMPARE(e.fills.front().second, expected);
        }
        const auto hatch = e.strokesIn(kMark);
        QCOMPARE(int(hatch.size()), hatchLines);
        for (const auto &line : hatch) {
            QCOMPARE(line.points.first().x(), column + 1);
            QCOMPARE(line.points.last().x(), column + 21);
        }
        // The day grid: one line per day plus the zero line, all black.
        QCOMPARE(int(e.strokesIn(Qt::black).size()), 28 + 1);
    }

    void curveColours_data()
    {
        QTest::addColumn<int>("colours");
        QTest::addColumn<QList<QColor>>("curves"); // the colours of the drawn curves, in order
        const QColor grey(85, 85, 85);
        QTest::newRow("colour surface") << (1 << 24) << QList<QColor>{kRed, kBlue};
        QTest::newRow("no colour count") << 0 << QList<QColor>{kRed, kBlue};
        QTest::newRow("two colours: grey 85") << 2 << QList<QColor>{grey, grey};
        QTest::newRow("one colour: grey 85") << 1 << QList<QColor>{grey, grey};
    }

    void curveColours()
    {
        QFETCH(int, colours);
        QFETCH(QList<QColor>, curves);
        // The emotional curve is switched off: neither drawn nor classified.
        CBiorhythmGraph g = graphOf(date(2010, 6, 15));
        g.SetCurve(Curve::Intellectual, 3, 0);
        RecordingDevice device(colours);
        const auto &strokes = draw(g, device).strokes;
        QList<QColor> drawn;
        for (std::size_t i = strokes.size() - 2; i < strokes.size(); ++i) // the curves come last
            drawn << strokes[i].colour;
        QCOMPARE(drawn, curves);
        QCOMPARE(strokes.back().width, 3);
        QCOMPARE(int(strokes.size()), 30 + 1 + 2); // day grid, zero line, curves
        QCOMPARE(g.ClassifyPresentDay(Curve::Emotional), 0);
        QCOMPARE(g.ClassifyPresentDay(Curve::Intellectual), Classify(date(1984, 3, 7), date(2010, 6, 15), 33));

        // A grey-scale printer counts as two colours.
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFileName(dir.filePath(QStringLiteral("graph.pdf")));
        printer.setColorMode(QPrinter::GrayScale);
        QCOMPARE(CBiorhythmGraph::SurfaceColourCount(&printer), 2);
    }

    void upwardAxisKeepsOrientation()
    {
        // Born 23 x 0.25 days before the month begins: the physical curve starts
        // at its peak, which lies above the zero line on the surface either way.
        const DateTimeValue month = date(2001, 2, 1);
        CBiorhythmGraph down = graphOf(month, 0, 200);
        down.SetBirthDate(DateTimeValue(month.days() - 5.75));
        CBiorhythmGraph up = graphOf(month, 0, -200);
        up.SetArea(10, 220, 560, -200); // top edge at y = 220 with y pointing up
        up.SetBirthDate(DateTimeValue(month.days() - 5.75));

        RecordingDevice screen, paper;
        draw(down, screen);
        {
            QPainter p(&paper);
            p.translate(0, 240);
            p.scale(1, -1);
            up.Draw(p);
        }
        const auto a = screen.engine().strokesIn(kRed).front().points;
        const auto b = paper.engine().strokesIn(kRed).front().points;
        QCOMPARE(a.size(), b.size());
        QVERIFY(a.first().y() < 20 + 100 - 80); // peak: near the top edge
        for (int i = 0; i < a.size(); ++i) {
            QCOMPARE(b[i].x(), a[i].x());
            QVERIFY2(qAbs(b[i].y() - a[i].y()) <= 1, qPrintable(QStringLiteral("sample %1").arg(i)));
        }
    }

    void dayNumbersCentred()
    {
        CBiorhythmGraph g = graphOf(date(2001, 2, 10), -1);
        g.SetFlags(0x01 | 0x02);
        RecordingDevice device;
        QPainter p(&device);
        const QFontMetrics metrics(p.font(), &device);
        g.Draw(p);
        p.end();
        const auto &texts = device.engine().texts;
        QCOMPARE(int(texts.size()), 28);
        for (int d = 0; d < 28; ++d) {
            const auto &[at, text] = texts[std::size_t(d)];
            QCOMPARE(text, QString::number(d + 1));
            const double centre = at.x() + metrics.horizontalAdvance(text) / 2.0;
            QVERIFY2(qAbs(centre - (g.dayLeft(d) + 10.0)) <= 1.5, qPrintable(text));
            QVERIFY(at.y() > 220); // under the graph
        }
    }
};

QTEST_MAIN(TestBiorhythmGraph)
#include "tst_biorhythmgraph.moc"
