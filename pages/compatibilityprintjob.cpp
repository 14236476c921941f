#include "compatibilityprintjob.h"

#include "output/cellgrid.h"
#include "store/datetext.h"
#include "store/letterrulessetting.h"
#include "store/textstore.h"

#include <QObject>

namespace quadrivium {

namespace {

QString relationWord(const ComparedPair &pair)
{
    return pair.relation ? QObject::tr(RelationKey(*pair.relation)) : QStringLiteral("-");
}

} // namespace

OptionsDialogForm CompatibilityPrintOptions()
{
    return {QObject::tr("Print"),
            {OptionBox{0x1, QObject::tr("Graphic"), 1089}, OptionBox{0x2, QObject::tr("Introduction"), 1091},
             OptionBox{0x4, QObject::tr("Numbers"), 1104}, OptionBox{0x8, QObject::tr("Lines"), 1093}},
            0xF,
            QStringLiteral("PrintCompatibilityDialogOptions")};
}

std::optional<Compatibility> CompatibilityOf(const ReportSubject &subject)
{
    if (!subject.partner)
        return std::nullopt;
    const Reading &a = subject.values;
    const Reading &b = subject.partner->values;
    return ComputeCompatibility(a.numbers, a.grid, b.numbers, b.grid);
}

QStringList CompatibilityNotes(const ReportSubject &subject)
{
    const LetterRules &rules = subject.values.rules;
    QStringList notes;
    const auto notesOf = [&](const QString &name, bool noFate) {
        for (const QString &note : ChartNotes(name, noFate, rules)) {
            if (note != LetterRulesLine(rules))
                notes << QStringLiteral("%1: %2").arg(name, note);
        }
    };
    notesOf(subject.name, subject.values.numbers.core.m_bNoFate);
    if (subject.partner)
        notesOf(subject.partner->name, subject.partner->values.numbers.core.m_bNoFate);
    notes << LetterRulesLine(rules);
    return notes;
}

std::vector<ExportRecord> CompatibilityExportRecords(const Compatibility &c, std::uint32_t sections)
{
    std::vector<ExportRecord> records;
    if (sections & 0x1U) {
        records.push_back({kPartnershipTable, 1, {}});
        records.push_back({kPartnershipTable, 2, {}});
    }
    if (sections & 0x2U) {
        for (const ComparedPair &pair : c.pairs) {
            if (pair.relation)
                records.push_back({kPartnershipTable, RelationNumberID(pair.role, *pair.relation),
                                   QStringLiteral(" (%1 and %2)").arg(pair.a).arg(pair.b)});
        }
    }
    if (sections & 0x4U) {
        for (int index : c.chart.linesTogether)
            records.push_back({kPartnershipTable, LineTogetherNumberID(index), {}});
    }
    return records;
}

void CCompatibilityPrintJob::ComposeContent()
{
    if (options() & 0x1U)
        SetGraphicPage(true);
    if (const auto c = CompatibilityOf(m_subject))
        AddRecords(CompatibilityExportRecords(*c, (options() >> 1) & 0x7U));
}

void CCompatibilityPrintJob::PrintGraphicPage(CPrintSurface &surface)
{
    DrawPageFrame(surface);
    const auto c = CompatibilityOf(m_subject);
    if (!c)
        return;
    const PageGeometry &g = geometry();
    const int unit = p3();
    const int frameWidth = g.frameRight - g.frameLeft;
    const ReportSubject::Partner &b = *m_subject.partner;

    // Who the reading is for, then the numbers in pairs.
    CCellGrid heading(surface);
    heading.SetColumns(4);
    heading.SetRows(5 + int(c->pairs.size()));
    heading.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    heading.SetGridFont(face(), unit * 13 / 10, 700);
    int row = 0;
    auto put = [&](int column, const QString &text) {
        heading.SetCursor(column, row);
        heading.SetText(text);
    };
    put(0, QObject::tr("Compatibility"));
    ++row;
    put(0, QStringLiteral("A  %1, %2").arg(m_subject.name, FormatDateValue(m_subject.birth)));
    ++row;
    put(0, QStringLiteral("B  %1, %2").arg(b.name, FormatDateValue(b.birth)));
    row += 2;
    put(0, QObject::tr("Number"));
    put(1, QStringLiteral("A"));
    put(2, QStringLiteral("B"));
    put(3, QObject::tr("Relation"));
    for (const ComparedPair &pair : c->pairs) {
        ++row;
        put(0, QObject::tr(CompareRoleTitle(pair.role)));
        put(1, QString::fromStdString(ComparedNumberText(pair.a)));
        put(2, QString::fromStdString(ComparedNumberText(pair.b)));
        put(3, relationWord(pair));
    }
    int top = g.frameTop - g.u;
    top -= placeCentred(heading, top) + g.u;
    heading.Draw();

    // Both charts in one: A's digits, then B's in brackets, so that the
    // two stay apart on any printer.
    const int cell = 5 * unit;
    const QPoint chart(g.frameLeft + (frameWidth - 3 * cell) / 2, top);
    CCellGrid grid(surface);
    grid.SetColumns(3);
    grid.SetRows(3);
    grid.SetPaddings(0, 0);
    grid.SetGridFlags(CCellGrid::DrawBorders);
    grid.SetGridFont(face(), unit * 12 / 10, 700);
    grid.SetAllColumnWidths(cell);
    grid.SetAllRowHeights(cell);
    grid.SetOrigin(chart.x(), chart.y());
    for (int digit = 1; digit <= 9; ++digit) {
        grid.SetCursor(GridColumn(digit), GridRow(digit));
        grid.SetFlags(CCellGrid::Center | CCellGrid::VCenter | CCellGrid::StrokeLeft | CCellGrid::StrokeRight
                      | CCellGrid::StrokeTop | CCellGrid::StrokeBottom);
        const QString a(c->chart.countA[std::size_t(digit)], QChar(u'0' + digit));
        const QString bDigits(c->chart.countB[std::size_t(digit)], QChar(u'0' + digit));
        if (a.isEmpty() && bDigits.isEmpty()) {
            grid.SetText(QString::number(digit));
            grid.AddFlags(CCellGrid::OwnFont);
            grid.SetCellFont(face(), unit, 400);
            grid.SetCellColors(0xA0A0A0, 0xFFFFFF);
        } else {
            grid.SetText(bDigits.isEmpty() ? a : QStringLiteral("%1 [%2]").arg(a, bDigits).trimmed());
        }
    }
    grid.Draw();
    for (int index : c->chart.linesTogether) {
        const ChartLine &line = ChartLines()[std::size_t(index)];
        auto centre = [&](int digit) {
            return QPoint(chart.x() + GridColumn(digit) * cell + cell / 2, chart.y() - GridRow(digit) * cell - cell / 2);
        };
        const QPoint from = centre(line.digits[0]), to = centre(line.digits[2]);
        DrawPrintLine(surface, from.x(), from.y(), to.x(), to.y(), 0x000000, 1);
    }
    top -= 3 * cell + g.u;

    // The legend and the lines completed together.
    const int together = int(c->chart.linesTogether.size());
    const QStringList counting = CompatibilityNotes(m_subject);
    CCellGrid notes(surface);
    notes.SetColumns(1);
    notes.SetRows(2 + qMax(1, together) + 1 + int(counting.size()));
    notes.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    notes.SetGridFont(face(), unit, 400);
    notes.SetCursor(0, 0);
    notes.SetText(QObject::tr("Digits in brackets are those of %1.").arg(b.name));
    notes.SetCursor(0, 1);
    notes.SetText(QObject::tr("Lines the two form only together (dashed):"));
    for (int i = 0; i < qMax(1, together); ++i) {
        notes.SetCursor(0, 2 + i);
        if (together == 0) {
            notes.SetText(QObject::tr("none"));
        } else {
            const ChartLine &line = ChartLines()[std::size_t(c->chart.linesTogether[std::size_t(i)])];
            notes.SetText(QStringLiteral("%1  %2").arg(QLatin1String(line.digitText), QLatin1String(line.label)));
        }
    }
    // After a blank row: the letters left out and the rules counted by.
    for (int i = 0; i < int(counting.size()); ++i) {
        notes.SetCursor(0, 3 + qMax(1, together) + i);
        notes.SetText(counting[i]);
    }
    placeCentred(notes, top);
    notes.Draw();
}

} // namespace quadrivium
