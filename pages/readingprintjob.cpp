#include "readingprintjob.h"

#include "biorhythmpage.h"
#include "quadriviumdoc.h"

#include "output/cellgrid.h"
#include "output/storedtext.h"
#include "store/connection.h"
#include "store/personname.h"
#include "store/textstore.h"

namespace quadrivium {

std::optional<ReportSubject> ReportSubjectOf(const CQuadriviumDoc &document, const Clock &today)
{
    if (!document.birthDate().isValid())
        return std::nullopt;
    ReportSubject subject;
    subject.name = document.personName();
    subject.birth = document.birthDate();
    subject.time = document.birthTime();
    const DateTimeValue &chosen = document.chosenDay();
    if (chosen.isValid() && chosen.days() != 0.0) {
        subject.day = chosen.datePart();
    } else {
        const CivilDate now = today();
        subject.day = DateTimeValue::fromFields(now.year, now.month, now.day);
    }
    const LetterRules &rules = document.letterRules();
    const auto values = ComputeReading(EngineName(subject.name, rules.accents), subject.birth, today,
                                       subject.day, rules);
    if (!values)
        return std::nullopt;
    subject.values = *values;
    for (Curve c : kCurves) {
        const auto i = static_cast<std::size_t>(c);
        subject.penWidth[i] = CurveWidth(document, c);
        subject.dashRun[i] = CurveShown(document, c) ? CurveStyle(document, c) - 1 : -1;
    }
    if (document.hasPartner()) {
        const QString &name = document.partnerName();
        if (const auto partner = ComputeReading(EngineName(name, rules.accents), document.partnerBirthDate(), today,
                                                subject.day, rules))
            subject.partner = ReportSubject::Partner{name, document.partnerBirthDate(), document.partnerBirthTime(),
                                                     *partner};
    }
    return subject;
}

CReadingPrintJob::CReadingPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                                   QString textDatabase)
    : CPrintJob(settings, options), m_subject(std::move(subject)), m_textDatabase(std::move(textDatabase))
{
}

void CReadingPrintJob::AddRecords(const std::vector<ExportRecord> &records)
{
    std::vector<TextKey> keys;
    keys.reserve(records.size());
    for (const ExportRecord &record : records)
        keys.emplace_back(record.table, record.numberId);
    const auto found = TextStore(m_textDatabase).readMany(keys);
    if (!found)
        throw DatabaseError(found.error());
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!(*found)[i])
            continue;
        const TextRecord &r = *(*found)[i];
        const QString title = records[i].title.isEmpty() ? PlainTitle(r.title, r.text).trimmed() : records[i].title;
        AddText(1, title + records[i].label);
        AddText(2, PlainBody(r.text));
    }
}

int CReadingPrintJob::drawHeadingTable(CPrintSurface &surface, const std::vector<QStringList> &rows, int columns,
                                       int top, int fontHeight) const
{
    const int unit = p3();
    CCellGrid table(surface);
    table.SetColumns(columns);
    table.SetRows(int(rows.size()));
    table.SetGridFlags(CCellGrid::FitColumns | CCellGrid::FitRows);
    table.SetGridFont(face(), fontHeight > 0 ? fontHeight : unit * 15 / 10, 700);
    table.SetColumnWidth(0, 15 * unit);
    for (int c = 1; c < columns; ++c)
        table.SetColumnWidth(c, 2 * unit);
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < columns; ++c) {
            table.SetCursor(c, r);
            table.SetText(rows[std::size_t(r)].value(c));
        }
    }
    const int height = placeCentred(table, top);
    table.Draw();
    return height;
}

int CReadingPrintJob::placeCentred(CCellGrid &grid, int top) const
{
    grid.ColumnWidth(0, true);
    const PageGeometry &g = geometry();
    grid.SetOrigin(g.frameLeft + (g.frameRight - g.frameLeft - grid.TotalWidth()) / 2, top);
    return grid.TotalHeight();
}

} // namespace quadrivium
