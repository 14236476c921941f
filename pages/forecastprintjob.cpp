#include "forecastprintjob.h"

#include "forecastreading.h"

#include "output/cellgrid.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/datetext.h"
#include "store/letterrulessetting.h"

namespace quadrivium {

CForecastPrintJob::CForecastPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                                     QString textDatabase)
    : CReadingPrintJob(settings, options, std::move(subject), std::move(textDatabase))
    , m_forecast(ForecastOf(m_subject))
{
}

void CForecastPrintJob::ComposeContent()
{
    if (!m_forecast)
        return;
    if (options() & 0x1U)
        SetGraphicPage(true);
    AddRecords(ForecastExportRecords(*m_forecast, ForecastSectionsOfPrintOptions(options())));
}

void CForecastPrintJob::PrintGraphicPage(CPrintSurface &surface)
{
    DrawPageFrame(surface);
    if (!m_forecast)
        return;
    const Forecast &f = *m_forecast;
    const PageGeometry &g = geometry();
    const int unit = p3();
    const DateTimeValue day = DateTimeValue::fromFields(f.date.year, f.date.month, f.date.day);

    // The heading and the three numbers of the day.
    const std::vector<QStringList> rows = {
        {QStringLiteral("Forecast"), {}},
        {{}, {}},
        {LoadString(kStrFor), {}},
        {m_subject.name, {}},
        {LoadString(kStrBornOn) + QLatin1Char(' ') + FormatDateValue(m_subject.birth), {}},
        {QStringLiteral("on ") + FormatDateValue(day), {}},
        {{}, {}},
        {QStringLiteral("Personal Year (%1):").arg(f.date.year), QString::number(f.personalYear)},
        {QStringLiteral("Personal Month (%1):").arg(MonthName(f.date.month)), QString::number(f.personalMonth)},
        {QStringLiteral("Personal Day:"), QString::number(f.personalDay)},
    };
    int top = g.frameTop - g.u;
    top -= drawHeadingTable(surface, rows, 2, top) + 2 * g.u;

    // The months of the year in two rows of six: name above number, the
    // chosen month framed.
    CCellGrid months(surface);
    months.SetColumns(6);
    months.SetRows(4);
    months.SetGridFlags(0);
    months.SetGridFont(face(), unit, 400);
    months.SetAllColumnWidths(5 * unit);
    months.SetAllRowHeights(2 * unit);
    for (int m = 1; m <= 12; ++m) {
        const int column = (m - 1) % 6, row = (m - 1) / 6 * 2;
        const std::uint32_t frame = m == f.date.month ? CCellGrid::StrokeLeft | CCellGrid::StrokeRight : 0U;
        months.SetCursor(column, row);
        months.SetFlags(CCellGrid::Center | CCellGrid::VCenter);
        months.SetStrokes(frame | (m == f.date.month ? CCellGrid::StrokeTop : 0U));
        months.SetText(MonthName(m).left(3));
        months.SetCursor(column, row + 1);
        months.SetFlags(CCellGrid::Center | CCellGrid::VCenter);
        months.SetStrokes(frame | (m == f.date.month ? CCellGrid::StrokeBottom : 0U));
        months.SetCellFont(face(), unit * 15 / 10, 700);
        months.SetNumber(f.months[std::size_t(m - 1)]);
    }
    months.SetOrigin(g.frameLeft + (g.frameRight - g.frameLeft - months.TotalWidth()) / 2, top);
    top -= months.TotalHeight() + 2 * g.u;
    months.Draw();

    // The challenges with their ages, then the karmic lessons.
    static const char *const ordinals[] = {"First", "Second", "Third", "Fourth"};
    QStringList lessons;
    for (int lesson : f.karmicLessons)
        lessons << QString::number(lesson);
    CCellGrid rest(surface);
    rest.SetColumns(3);
    rest.SetRows(6);
    rest.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    rest.SetGridFont(face(), unit * 12 / 10, 400);
    for (int i = 0; i < 4; ++i) {
        const Challenge &c = f.challenges[std::size_t(i)];
        rest.SetCursor(0, i);
        rest.SetText(QStringLiteral("%1 Challenge:").arg(QLatin1String(ordinals[i])));
        rest.SetCursor(1, i);
        rest.SetNumber(c.number);
        rest.SetCursor(2, i);
        rest.SetText(QStringLiteral("ages %1 to %2").arg(c.fromAge).arg(c.toAge));
    }
    rest.SetCursor(0, 5);
    rest.SetText(QStringLiteral("Karmic Lessons:"));
    rest.SetCursor(1, 5);
    rest.SetText(lessons.isEmpty() ? QStringLiteral("none") : lessons.join(QStringLiteral(", ")));
    top -= placeCentred(rest, top) + 2 * g.u;
    rest.Draw();

    // The karmic lessons depend on the letters counted.
    const QStringList notes = ChartNotes(m_subject.name, false, m_subject.values.rules);
    CCellGrid counting(surface);
    counting.SetColumns(1);
    counting.SetRows(int(notes.size()));
    counting.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    counting.SetGridFont(face(), unit, 400);
    for (int i = 0; i < int(notes.size()); ++i) {
        counting.SetCursor(0, i);
        counting.SetText(notes[i]);
    }
    placeCentred(counting, top);
    counting.Draw();
}

} // namespace quadrivium
