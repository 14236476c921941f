#include "biorhythmprintjob.h"

#include "output/cellgrid.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "output/surfacepaintdevice.h"
#include "store/datetext.h"

#include <QDate>
#include <QLocale>
#include <QPainter>

namespace quadrivium {

CBiorhythmPrintJob::CBiorhythmPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                                       QString textDatabase)
    : CReadingPrintJob(settings, options, std::move(subject), std::move(textDatabase))
{
    const DateTimeValue &day = m_subject.day;
    m_graph.SetFlags(CBiorhythmGraph::Frame | CBiorhythmGraph::Grid | CBiorhythmGraph::MarkPresentDay);
    m_graph.SetBirthDate(m_subject.birth);
    m_graph.SetMonthStart(DateTimeValue::fromFields(day.year(), day.month(), 1));
    m_graph.SetPresentDay(day);
    for (Curve c : kCurves) {
        const auto i = static_cast<std::size_t>(c);
        m_graph.SetCurve(c, m_subject.penWidth[i], m_subject.dashRun[i]);
    }
}

void CBiorhythmPrintJob::Evaluate()
{
    for (Curve c : kCurves)
        m_subject.values.curveClass[static_cast<std::size_t>(c)] = m_graph.ClassifyPresentDay(c);
}

void CBiorhythmPrintJob::ComposeContent()
{
    if (options() & 0x1U)
        SetGraphicPage(true);
    Evaluate();
    const std::uint32_t sections = ((options() & 0x2U) ? 1U : 0U) | ((options() >> 9) & 0xEU);
    AddRecords(BiorhythmExportRecords(m_subject.values, sections));
}

void CBiorhythmPrintJob::PrintGraphicPage(CPrintSurface &surface)
{
    DrawPageFrame(surface);
    const PageGeometry &g = geometry();
    const int unit = p3();
    int top = g.frameTop - g.u;

    CCellGrid heading(surface);
    heading.SetColumns(1);
    heading.SetRows(5);
    heading.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    heading.SetGridFont(face(), unit * 15 / 10, 700);
    const QString headingRows[5] = {LoadString(kStrBiorhythm), LoadString(kStrFor), m_subject.name, LoadString(kStrBornOn),
                                    FormatDateValue(m_subject.birth)};
    for (int r = 0; r < 5; ++r) {
        heading.SetCursor(0, r);
        heading.SetFlags(CCellGrid::Center | CCellGrid::VCenter);
        heading.SetText(headingRows[r]);
    }
    top -= placeCentred(heading, top) + g.u;
    heading.Draw();

    // The month: its name and year over one column per day, with the day
    // numbers and the present day filled.
    const int days = m_graph.daysInMonth();
    const int left = g.frameLeft + (g.frameRight - g.frameLeft - days * unit) / 2;
    const DateTimeValue &start = m_graph.monthStart();
    CCellGrid month(surface);
    month.SetColumns(days);
    month.SetRows(3);
    month.SetPaddings(0, 0);
    month.SetGridFlags(CCellGrid::DrawBorders);
    month.SetGridFont(face(), unit * 6 / 10, 400);
    month.SetAllColumnWidths(unit);
    month.SetAllRowHeights(unit);
    month.SetCursor(0, 0);
    month.SetFlags(CCellGrid::GridCenter | CCellGrid::VCenter | CCellGrid::OwnFont);
    month.SetCellFont(face(), unit * 8 / 10, 700);
    month.SetText(QStringLiteral("%1 %2").arg(LoadString(kStrJanuary - 1 + start.month())).arg(start.year(), 2, 10,
                                                                                     QLatin1Char('0')));
    const int present = m_subject.day.day();
    for (int d = 0; d < days; ++d) {
        month.SetCursor(d, 1);
        month.SetFlags(CCellGrid::Center | CCellGrid::VCenter | CCellGrid::StrokeTop | CCellGrid::StrokeLeft
                       | CCellGrid::StrokeRight | CCellGrid::StrokeBottom);
        month.SetNumber(d + 1);
        month.SetCursor(d, 2);
        month.SetFlags(CCellGrid::Center | CCellGrid::VCenter);
        month.SetText(QLocale::c().dayName(QDate(start.year(), start.month(), d + 1).dayOfWeek(),
                                           QLocale::NarrowFormat));
        if (d + 1 == present) {
            month.AddFlags(CCellGrid::Fill);
            month.SetCellColors(0, 0xC0C0C0);
        }
    }
    month.SetOrigin(left, top);
    month.Draw();
    top -= month.TotalHeight();

    // The graph, its y axis pointing up as the page's does.
    const int graphHeight = 20 * unit;
    m_graph.SetArea(left, top, days * unit, -graphHeight);
    {
        CSurfacePaintDevice device(surface);
        QPainter painter(&device);
        m_graph.Draw(painter);
    }
    top -= graphHeight + g.u;

    // The legend: a sample of each curve beside its name, then the present day.
    CCellGrid legend(surface);
    legend.SetColumns(3);
    legend.SetRows(5);
    legend.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    legend.SetGridFont(face(), unit, 700);
    legend.SetColumnWidth(0, 4 * unit);
    for (int r = 0; r < 3; ++r) {
        legend.SetCursor(1, r);
        legend.SetText(LoadString(kStrPhysicalCurve + r));
    }
    legend.SetCursor(1, 4);
    legend.SetText(QStringLiteral("%1 %2").arg(LoadString(kStrPresentDay).trimmed(), FormatDateValue(m_subject.day)));
    const int legendLeft = left;
    legend.ColumnWidth(0, true);
    legend.SetOrigin(legendLeft, top);
    legend.Draw();
    int rowTop = top;
    for (Curve c : kCurves) {
        const int r = static_cast<int>(c);
        const int middle = rowTop - legend.RowHeight(r) / 2;
        rowTop -= legend.RowHeight(r);
        const auto i = static_cast<std::size_t>(c);
        if (m_subject.dashRun[i] < 0)
            continue;
        const QColor colour = CBiorhythmGraph::CurveColour(c);
        const int x1 = legendLeft + unit / 2, x2 = legendLeft + legend.ColumnWidth(0) - unit / 2;
        CSurfacePaintDevice device(surface);
        QPainter painter(&device);
        QPen pen(CBiorhythmGraph::SurfaceColour(colour, surface.colorCount()), qMax(1, m_subject.penWidth[i]));
        painter.setPen(pen);
        // The sample has the curve's samples per day, so that its dashes
        // are as long as the curve's.
        std::vector<QPoint> points;
        for (int k = 0; k <= 40; ++k)
            points.emplace_back(x1 + (x2 - x1) * k / 40, middle);
        CBiorhythmGraph::DrawRuns(painter, points, m_subject.dashRun[i]);
    }
}

} // namespace quadrivium
