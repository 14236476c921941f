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

namespace {

// Printed curves are half a millimetre wide.
constexpr int kPrintedPen = 5;
const char *const kCurveWords[3] = {"physical", "spiritual", "intellectual"};

QDate qDate(const DateTimeValue &day)
{
    return QDate(day.year(), day.month(), day.day());
}

// "Monday, 7 December 2026" in the words of the date locale.
QString longDate(const DateTimeValue &day)
{
    return DateLocale().toString(qDate(day), QLocale::LongFormat);
}

} // namespace

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
        m_graph.SetCurve(c, kPrintedPen, m_subject.dashRun[i] < 0 ? -1 : PrintedRun(c));
    }
}

int CBiorhythmPrintJob::PrintedRun(Curve curve)
{
    switch (curve) {
    case Curve::Physical: return 0;
    case Curve::Emotional: return 4;
    case Curve::Intellectual: break;
    }
    return 1;
}

QString CBiorhythmPrintJob::monthText() const
{
    const DateTimeValue &day = m_subject.day;
    return QStringLiteral("%1 %2").arg(LoadString(522 + day.month())).arg(day.year());
}

QString CBiorhythmPrintJob::documentTitle() const
{
    return QStringLiteral("%1 %2 %3, %4").arg(LoadString(516), LoadString(509), m_subject.name, monthText());
}

QString CBiorhythmPrintJob::documentSubject() const
{
    return QStringLiteral("The physical, spiritual and intellectual curves of %1 in %2, read for %3")
        .arg(m_subject.name, monthText(), longDate(m_subject.day));
}

std::vector<std::pair<DateTimeValue, QStringList>> CBiorhythmPrintJob::criticalDays() const
{
    std::vector<std::pair<DateTimeValue, QStringList>> days;
    const DateTimeValue &start = m_graph.monthStart();
    for (int d = 0; d < m_graph.daysInMonth(); ++d) {
        const DateTimeValue day = start.addDays(d).datePart();
        QStringList curves;
        for (Curve c : kCurves) {
            if (m_graph.dashRun(c) >= 0 && IsCriticalDay(m_subject.birth, day, CurvePeriod(c)))
                curves << QString::fromLatin1(kCurveWords[static_cast<std::size_t>(c)]);
        }
        if (!curves.isEmpty())
            days.emplace_back(day, curves);
    }
    return days;
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
    heading.SetRows(6);
    heading.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    heading.SetGridFont(face(), unit * 15 / 10, 700);
    const QString headingRows[6] = {LoadString(kStrBiorhythm), LoadString(kStrFor), m_subject.name,
                                    QStringLiteral("%1 %2").arg(LoadString(kStrBornOn), FormatDateValue(m_subject.birth)),
                                    monthText(),
                                    LoadString(kStrPresentDay) + longDate(m_subject.day)};
    for (int r = 0; r < 6; ++r) {
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
    const QLocale locale = DateLocale();
    for (int d = 0; d < days; ++d) {
        // The weekday's short name in the date locale, cut to two letters so
        // that it fits its column: "Mo", "Tu"; "Mo", "Di".
        QString weekday = locale.standaloneDayName(QDate(start.year(), start.month(), d + 1).dayOfWeek(),
                                                   QLocale::ShortFormat);
        weekday.remove(QLatin1Char('.'));
        month.SetCursor(d, 1);
        month.SetFlags(CCellGrid::Center | CCellGrid::VCenter);
        month.SetText(weekday.left(2));
        month.SetCursor(d, 2);
        month.SetFlags(CCellGrid::Center | CCellGrid::VCenter | CCellGrid::StrokeTop | CCellGrid::StrokeLeft
                       | CCellGrid::StrokeRight | CCellGrid::StrokeBottom);
        month.SetNumber(d + 1);
        if (d + 1 == present) {
            month.AddFlags(CCellGrid::Fill);
            month.SetCellColors(0, 0xC0C0C0);
        }
    }
    month.SetOrigin(left, top);
    month.Draw();
    top -= month.TotalHeight();

    // The graph, its y axis pointing up as the page's does, with a small
    // diamond on the zero line of each critical day.
    const int graphHeight = 20 * unit;
    m_graph.SetArea(left, top, days * unit, -graphHeight);
    {
        CSurfacePaintDevice device(surface);
        QPainter painter(&device);
        m_graph.Draw(painter);
    }
    const int zero = top - graphHeight / 2;
    const int r = unit / 4;
    for (const auto &[day, curves] : criticalDays()) {
        const int x = m_graph.dayLeft(day.day() - 1) + unit / 2;
        const QPoint points[] = {{x - r, zero}, {x, zero + r}, {x + r, zero}, {x, zero - r}, {x - r, zero}};
        for (int k = 0; k < 4; ++k)
            surface.drawLine(points[k], points[k + 1], 0, 4);
    }
    top -= graphHeight + g.u;
    drawLegend(surface, left, top);
}

void CBiorhythmPrintJob::drawLegend(CPrintSurface &surface, int left, int top) const
{
    const int unit = p3();
    // A sample of each curve beside its name, then the critical days of the
    // month (the present day stands in the heading).
    const auto critical = criticalDays();
    const int rows = 3 + (critical.empty() ? 0 : 2 + int(critical.size()));
    CCellGrid legend(surface);
    legend.SetColumns(3);
    legend.SetRows(rows);
    legend.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    legend.SetGridFont(face(), unit, 700);
    legend.SetColumnWidth(0, 4 * unit);
    for (int r = 0; r < 3; ++r) {
        legend.SetCursor(1, r);
        legend.SetText(LoadString(kStrPhysicalCurve + r));
    }
    if (!critical.empty()) {
        legend.SetCursor(1, 4);
        legend.SetText(QStringLiteral("Critical days, when a curve crosses its middle line:"));
        for (std::size_t k = 0; k < critical.size(); ++k) {
            legend.SetCursor(1, 5 + int(k));
            legend.SetFlags(CCellGrid::Left | CCellGrid::VCenter | CCellGrid::OwnFont);
            legend.SetCellFont(face(), unit, 400);
            legend.SetText(QStringLiteral("%1: %2").arg(longDate(critical[k].first),
                                                        critical[k].second.join(QStringLiteral(", "))));
        }
    }
    legend.ColumnWidth(0, true);
    legend.SetOrigin(left, top);
    legend.Draw();
    int rowTop = top;
    for (Curve c : kCurves) {
        const int r = static_cast<int>(c);
        const int middle = rowTop - legend.RowHeight(r) / 2;
        rowTop -= legend.RowHeight(r);
        if (m_graph.dashRun(c) < 0)
            continue;
        const int x1 = left + unit / 2, x2 = left + legend.ColumnWidth(0) - unit / 2;
        CSurfacePaintDevice device(surface);
        QPainter painter(&device);
        painter.setPen(QPen(CBiorhythmGraph::SurfaceColour(CBiorhythmGraph::CurveColour(c), surface.colorCount()),
                            m_graph.penWidth(c)));
        // The sample has as many samples per unit as the curve, so that its
        // dashes are as long as the curve's.
        std::vector<QPoint> points;
        const int samples = (x2 - x1) * 10 / unit;
        for (int k = 0; k <= samples; ++k)
            points.emplace_back(x1 + (x2 - x1) * k / qMax(1, samples), middle);
        CBiorhythmGraph::DrawRuns(painter, points, m_graph.dashRun(c));
    }
}

} // namespace quadrivium
