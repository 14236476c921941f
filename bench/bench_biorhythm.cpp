// Biorhythm graph benchmark: one month drawn into an image of a wide page
// (aim: under 5 ms, so that the page repaints without lag while days are
// clicked or the window is resized).

#include "output/biorhythmgraph.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace quadrivium;

static void DrawMonthGraph(benchmark::State &state)
{
    const int width = static_cast<int>(state.range(0));
    QImage image(width + 1, 600, QImage::Format_RGB32);
    CBiorhythmGraph graph;
    graph.SetBirthDate(DateTimeValue::fromFields(1984, 3, 7));
    graph.SetMonthStart(DateTimeValue::fromFields(2026, 3, 1));
    graph.SetPresentDay(DateTimeValue::fromFields(2026, 3, 17));
    graph.SetArea(0, 0, width, 599);
    for (Curve c : kCurves)
        graph.SetCurve(c, 2, 0);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        graph.Draw(painter);
    }
}
BENCHMARK(DrawMonthGraph)->Arg(800)->Arg(1280)->Unit(benchmark::kMillisecond);
