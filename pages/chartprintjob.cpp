#include "chartprintjob.h"

#include "output/cellgrid.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/datetext.h"
#include "store/letterrulessetting.h"
#include "store/personname.h"

namespace quadrivium {

namespace {

constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlack = 0;
constexpr ColorRef kWhite = 0xFFFFFF;
// Absent digits are hinted at in a grey light enough not to be read as present.
constexpr ColorRef kHint = 0xB4B4B4;

// The largest of `height` and smaller sizes (in steps of a tenth) at which
// every text of `texts` is at most `room` wide.
int fittingHeight(const QString &face, int height, int weight, const QStringList &texts, int room)
{
    while (height > 10) {
        const QFont font = PrintFont(face, height, weight);
        bool fits = true;
        for (const QString &text : texts)
            fits = fits && TextExtent(font, text).width() <= room;
        if (fits)
            break;
        height -= qMax(1, height / 10);
    }
    return height;
}

} // namespace

QString CChartPrintJob::documentTitle() const
{
    return QStringLiteral("%1 %2 %3").arg(LoadString(508), LoadString(509), m_subject.name);
}

QString CChartPrintJob::documentSubject() const
{
    return QStringLiteral("Birth chart and core numbers of %1, born %2")
        .arg(m_subject.name, FormatDateValue(m_subject.birth));
}

void CChartPrintJob::ComposeContent()
{
    if (options() & 0x1U)
        SetGraphicPage(true);
    AddRecords(ChartExportRecords(m_subject.values, (options() >> 1) & 0x1FFU));
}

void CChartPrintJob::PrintGraphicPage(CPrintSurface &surface)
{
    DrawPageFrame(surface);
    const PageGeometry &g = geometry();
    const int unit = p3();
    const int frameWidth = g.frameRight - g.frameLeft;
    const CoreNumberSet &n = m_subject.values.numbers;
    const int year = n.core.m_nCurrentYear;

    // The heading: who the reading is for and the numbers. Its font is
    // made smaller when the longest row would not fit the frame.
    const std::vector<QStringList> rows = {
        {LoadString(kStrNumerologicalInterpretation), {}, {}},
        {LoadString(kStrFor), {}, {}},
        {m_subject.name, {}, {}},
        {FormatDateValue(m_subject.birth), {}, {}},
        {LoadString(kStrRulingNumberLabel), QString::number(n.rulingNumber), {}},
        {LoadString(kStrDayNumberLabel), QString::number(n.dayNumber), {}},
        {LoadString(kStrFateLabel), n.core.m_bNoFate ? QStringLiteral("-") : QString::number(n.core.m_nFate), {}},
        {LoadString(kStrAppearanceLabel), QString::number(n.core.m_nAppearance), {}},
        {LoadString(kStrDominantLabel), QString::number(n.core.m_nDominant), {}},
        {LoadString(kStrPersonalYearLabel), QStringLiteral("%1 (%2)").arg(n.core.m_nPersonalYear).arg(year, 4, 10, QLatin1Char('0')),
         QStringLiteral("%1 (%2)").arg(n.core.m_nPersonalYearNext).arg(year + 1, 4, 10, QLatin1Char('0'))},
    };
    const QString widest = rows[9].join(QString()) + QStringLiteral("MMMM");
    const int headingFont = fittingHeight(face(), unit * 15 / 10, 700, {widest, m_subject.name}, frameWidth);
    int top = g.frameTop - g.u;
    top -= drawHeadingTable(surface, rows, 3, top, headingFont);

    // The chart: three by three cells with the inner grid lines; the lines
    // formed go over it, and the digits over the lines on a white ground of
    // their own, so that no line runs through a digit.
    const int cell = 6 * unit;
    const int labelHeight = unit * 2; // one label row above the chart
    top -= g.u + labelHeight;
    const QPoint chart(g.frameLeft + (frameWidth - 3 * cell) / 2, top);
    CCellGrid grid(surface);
    grid.SetColumns(3);
    grid.SetRows(3);
    grid.SetPaddings(0, 0);
    grid.SetGridFlags(CCellGrid::DrawBorders);
    grid.SetAllColumnWidths(cell);
    grid.SetAllRowHeights(cell);
    grid.SetOrigin(chart.x(), chart.y());
    for (int digit = 1; digit <= 9; ++digit) {
        const int row = GridRow(digit), column = GridColumn(digit);
        grid.SetCursor(column, row);
        std::uint32_t flags = 0;
        if (row == 1 && column == 1)
            flags |= CCellGrid::StrokeLeft | CCellGrid::StrokeRight | CCellGrid::StrokeTop | CCellGrid::StrokeBottom;
        else if (column == 1)
            flags |= CCellGrid::StrokeLeft | CCellGrid::StrokeRight;
        else if (row == 1)
            flags |= CCellGrid::StrokeTop | CCellGrid::StrokeBottom;
        grid.SetFlags(flags);
    }
    grid.Draw();
    drawLines(surface, chart, cell);

    const QFont present = PrintFont(face(), unit * 15 / 10, 700);
    const QFont absent = PrintFont(face(), unit, 400);
    const ChartGrid &chartGrid = m_subject.values.grid;
    const int halo = qMax(1, unit / 6);
    for (int digit = 1; digit <= 9; ++digit) {
        const QString cellText = QString::fromLatin1(chartGrid.m_strCell[std::size_t(digit)]);
        const bool empty = cellText.isEmpty();
        const QString text = empty ? QString::number(digit) : cellText;
        const QFont &font = empty ? absent : present;
        const QSize size = TextExtent(font, text);
        const int cx = chart.x() + GridColumn(digit) * cell + cell / 2;
        const int cy = chart.y() - GridRow(digit) * cell - cell / 2;
        const QPoint topLeft(cx - size.width() / 2, cy + size.height() / 2);
        surface.fillRect(topLeft + QPoint(-halo, halo),
                         topLeft + QPoint(size.width() + halo, -size.height() - halo), kWhite);
        surface.drawText(topLeft, text, font, empty ? kHint : kBlack);
    }
    drawNotes(surface, chart.y() - 3 * cell);
}

void CChartPrintJob::drawNotes(CPrintSurface &surface, int chartBottom)
{
    // Below the chart and the labels of its columns: the letters not
    // counted, why a Number of Fate is missing, and the rules counted by.
    const Reading &values = m_subject.values;
    const QStringList notes = ChartNotes(m_subject.name, values.numbers.core.m_bNoFate, values.rules);
    const PageGeometry &g = geometry();
    const int frameWidth = g.frameRight - g.frameLeft;
    const int height = fittingHeight(face(), p3(), 400, notes, frameWidth - 40);
    CCellGrid box(surface);
    box.SetColumns(1);
    box.SetRows(int(notes.size()));
    box.SetGridFlags(CCellGrid::FitRows);
    box.SetGridFont(face(), height, 400);
    box.SetColumnWidth(0, frameWidth);
    for (int row = 0; row < int(notes.size()); ++row) {
        box.SetCursor(0, row);
        box.SetFlags(CCellGrid::Center | CCellGrid::VCenter);
        box.SetText(notes[row]);
    }
    // Column labels take up to three rows of one and a half label heights.
    const int labelRows = PrintFont(face(), p3(), 400).pixelSize() * 9 / 2;
    box.SetOrigin(g.frameLeft, chartBottom - g.u - labelRows);
    box.Draw();
}

void CChartPrintJob::drawLines(CPrintSurface &surface, QPoint chart, int cell)
{
    // Each row or column has at most one formed line (present and missing
    // exclude each other): row labels stand right of the chart, column
    // labels below it, one row each, and the diagonals' labels above its
    // top corners. So no label meets another or the chart.
    const PageGeometry &g = geometry();
    const int gap = g.u / 2;
    const int right = chart.x() + 3 * cell;
    const int bottom = chart.y() - 3 * cell;
    QStringList labels;
    for (const ChartLine &line : ChartLines())
        labels << QString::fromLatin1(line.label);
    const int room = qMin(g.frameRight - right - gap, chart.x() - g.frameLeft - gap) - 20;
    const int labelFont = fittingHeight(face(), p3(), 400, labels, room);

    const auto label = [&](const QString &text, ColorRef colour, int x, int y, int align) {
        CCellGrid box(surface);
        box.SetColumns(1);
        box.SetRows(1);
        box.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
        box.SetGridFont(face(), labelFont, 400);
        box.SetText(text);
        box.SetCellColors(colour, 0xFFFFFF);
        const int width = box.ColumnWidth(0, true);
        const int height = box.RowHeight(0);
        // align: 0 left edge at x, 1 centred on x, 2 right edge at x; y is the middle.
        box.SetOrigin(align == 0 ? x : align == 1 ? x - width / 2 : x - width, y + height / 2);
        box.Draw();
        return height;
    };

    for (int index : LineWalkOrder()) {
        if (!m_subject.values.grid.m_bLine[std::size_t(index)])
            continue;
        const ChartLine &line = ChartLines()[std::size_t(index)];
        const ColorRef colour = line.missing ? kBlack : kRed;
        const int style = line.missing ? 1 : 0;
        const QString text = QString::fromLatin1(line.label);
        const int r0 = GridRow(line.digits[0]), c0 = GridColumn(line.digits[0]);
        const int r2 = GridRow(line.digits[2]), c2 = GridColumn(line.digits[2]);
        if (r0 == r2) {
            const int y = chart.y() - r0 * cell - cell / 2;
            DrawPrintLine(surface, chart.x(), y, right, y, colour, style);
            label(text, colour, right + gap, y, 0);
        } else if (c0 == c2) {
            const int x = chart.x() + c0 * cell + cell / 2;
            DrawPrintLine(surface, x, chart.y(), x, bottom, colour, style);
            const int h = PrintFont(face(), labelFont, 400).pixelSize() * 3 / 2;
            label(text, colour, x, bottom - gap - h / 2 - c0 * h, 1);
        } else {
            // A diagonal: from the corner of its upper digit to the opposite corner.
            const bool fromLeft = (r0 < r2) == (c0 < c2);
            const int xTop = fromLeft ? chart.x() : right;
            const int xBottom = fromLeft ? right : chart.x();
            DrawPrintLine(surface, xTop, chart.y(), xBottom, bottom, colour, style);
            label(text, colour, fromLeft ? chart.x() : right, chart.y() + gap + cell / 6, fromLeft ? 2 : 0);
        }
    }
}

} // namespace quadrivium
