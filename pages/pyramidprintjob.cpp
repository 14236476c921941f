#include "pyramidprintjob.h"

#include "output/cellgrid.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/datetext.h"

#include <algorithm>

namespace quadrivium {

namespace {

const char *const kClimaxNames[4] = {"First", "Second", "Third", "Fourth"};

} // namespace

QString CPyramidPrintJob::documentTitle() const
{
    return QStringLiteral("%1 %2 %3").arg(LoadString(522), LoadString(509), m_subject.name);
}

QString CPyramidPrintJob::documentSubject() const
{
    return QStringLiteral("The four climaxes of the life of %1, born %2")
        .arg(m_subject.name, FormatDateValue(m_subject.birth));
}

QString CPyramidPrintJob::climaxTitle(int n) const
{
    const PyramidNumbers &p = m_subject.values.pyramid;
    const int year = m_subject.day.year();
    QStringList names, spans;
    bool inForce = false;
    for (int i = n; i < 4; ++i) {
        if (p.climax[i] != p.climax[n])
            continue;
        names << QString::fromLatin1(kClimaxNames[i]);
        // A climax lasts nine years, until the next one; the fourth for life.
        if (i < 3) {
            spans << QStringLiteral("age %1 to %2, %3-%4").arg(p.age[i]).arg(p.age[i] + 8).arg(p.year[i]).arg(p.year[i] + 8);
            inForce = inForce || (year >= p.year[i] && year <= p.year[i] + 8);
        } else {
            spans << QStringLiteral("from age %1, %2 on").arg(p.age[i]).arg(p.year[i]);
            inForce = inForce || year >= p.year[i];
        }
    }
    const QString joined = names.size() == 1 ? names[0]
                                             : names.mid(0, names.size() - 1).join(QStringLiteral(", "))
            + QStringLiteral(" and ") + names.last();
    QString title = QStringLiteral("%1 Climax: %2 (%3)").arg(joined).arg(p.climax[n]).arg(spans.join(QStringLiteral("; ")));
    if (inForce)
        title += QStringLiteral(" \u2013 in force in %1").arg(year);
    return title;
}

void CPyramidPrintJob::ComposeContent()
{
    if (options() & 0x1U)
        SetGraphicPage(true);
    std::vector<ExportRecord> records;
    // The printed introduction is the pyramid's own; the export also
    // carries the general one (introduction record 1).
    if (options() & 0x2U)
        records.push_back({0, 3, {}, {}});
    if (options() & 0x2000U) {
        const PyramidNumbers &p = m_subject.values.pyramid;
        for (int i = 0; i < 4; ++i) {
            if (std::find(p.climax, p.climax + i, p.climax[i]) == p.climax + i)
                records.push_back({2, p.climax[i], {}, climaxTitle(i)});
        }
    }
    AddRecords(records);
}

void CPyramidPrintJob::PrintGraphicPage(CPrintSurface &surface)
{
    DrawPageFrame(surface);
    const PageGeometry &g = geometry();
    const int unit = p3();
    const PyramidNumbers &n = m_subject.values.pyramid;
    const auto ageYear = [&](int i) { return QString::fromStdString(n.ageYearText(i)); };

    const std::vector<QStringList> rows = {
        {LoadString(kStrPyramidInterpretation), {}},
        {{}, {}},
        {LoadString(kStrFor), {}},
        {m_subject.name, {}},
        {FormatDateValue(m_subject.birth), {}},
        {{}, {}},
        {LoadString(kStrRulingNumberColon), QString::number(n.rulingNumber)},
        {LoadString(kStrAgeFirstClimax), ageYear(0)},
        {LoadString(kStrAgeSecondClimax), ageYear(1)},
        {LoadString(kStrAgeThirdClimax), ageYear(2)},
        {LoadString(kStrAgeFourthClimax), ageYear(3)},
    };
    int top = g.frameTop - g.u;
    top -= drawHeadingTable(surface, rows, 3, top) + 2 * g.u;

    // The pyramid: seven columns, eight rows; the numbers in their stones.
    CCellGrid figure(surface);
    figure.SetColumns(7);
    figure.SetRows(8);
    figure.SetPaddings(0, 0);
    figure.SetGridFlags(0);
    figure.SetGridFont(face(), unit, 700);
    for (int c = 0; c < 7; ++c)
        figure.SetColumnWidth(c, (c == 0 || c == 6 ? 4 : 3) * unit);
    figure.SetAllRowHeights(2 * unit);
    const struct {
        int column, row, value;
    } cells[] = {
        {3, 0, n.age[3]},  {4, 0, n.year[3]}, {3, 1, n.climax[3]}, {3, 2, n.age[2]},  {5, 2, n.year[2]},
        {3, 3, n.climax[2]}, {2, 4, n.age[0]}, {0, 4, n.year[0]}, {4, 4, n.age[1]},  {6, 4, n.year[1]},
        {2, 5, n.climax[0]}, {4, 5, n.climax[1]}, {1, 7, n.monthSum}, {3, 7, n.daySum}, {5, 7, n.yearSum},
    };
    for (const auto &c : cells) {
        figure.SetCursor(c.column, c.row);
        // Numbers beside the axis lean toward it, the two ages between the
        // chevrons away from it: so no line runs through a number.
        const bool away = c.row == 4 && (c.column == 2 || c.column == 4);
        const bool leftHalf = (c.column < 3) != away;
        const std::uint32_t across = c.column == 3 ? CCellGrid::Center : leftHalf ? CCellGrid::Right : CCellGrid::Left;
        figure.SetFlags(across | CCellGrid::VCenter);
        figure.SetNumber(c.value);
    }
    const int width = figure.TotalWidth();
    const int left = g.frameLeft + (g.frameRight - g.frameLeft - width) / 2;
    figure.SetOrigin(left, top);
    figure.Draw();

    // Column edges and row tops in page units.
    int columnLeft[8] = {left};
    for (int c = 0; c < 7; ++c)
        columnLeft[c + 1] = columnLeft[c] + figure.ColumnWidth(c);
    int rowTop[9] = {top};
    for (int r = 0; r < 8; ++r)
        rowTop[r + 1] = rowTop[r] - figure.RowHeight(r);
    const int axis = columnLeft[3] + figure.ColumnWidth(3) / 2;
    const int base = rowTop[7];
    // The outer chevron, the inner chevron and the inner V.
    DrawPrintLine(surface, left, base, axis, rowTop[1], 0, 0);
    DrawPrintLine(surface, axis, rowTop[1], left + width, base, 0, 0);
    DrawPrintLine(surface, columnLeft[1], base, axis, rowTop[3], 0, 0);
    DrawPrintLine(surface, axis, rowTop[3], columnLeft[6], base, 0, 0);
    const QPoint leftMiddle(columnLeft[1] + (axis - columnLeft[1]) / 2, base + (rowTop[3] - base) / 2);
    const QPoint rightMiddle(axis + (columnLeft[6] - axis) / 2, base + (rowTop[3] - base) / 2);
    DrawPrintLine(surface, leftMiddle.x(), leftMiddle.y(), axis, base, 0, 0);
    DrawPrintLine(surface, axis, base, rightMiddle.x(), rightMiddle.y(), 0, 0);
}

} // namespace quadrivium
