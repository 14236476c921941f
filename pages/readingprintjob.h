#pragma once

#include "output/exportassembly.h"
#include "output/printjob.h"

#include "engine/corenumbers.h"
#include "engine/reading.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace quadrivium {

class CCellGrid;
class CQuadriviumDoc;

/// The person and day a reading report is made for, read when the report
/// is made; the report keeps its own copy.
struct ReportSubject {
    QString name;
    DateTimeValue birth;
    DateTimeValue time; ///< time of birth; 0: none
    DateTimeValue day; ///< the biorhythm's present day
    Reading values;
    std::array<int, 3> penWidth{1, 1, 1};
    std::array<int, 3> dashRun{0, 0, 0}; ///< -1: the curve is switched off

    /// The other person of a reading of two.
    struct Partner {
        QString name;
        DateTimeValue birth;
        DateTimeValue time;
        Reading values;
    };
    std::optional<Partner> partner; ///< none when the document has none
};

/// The current person of `document` with its reading for the chosen day
/// (today while none is chosen) and the curve settings; nothing while the
/// date of birth is not valid (a name may be empty).
std::optional<ReportSubject> ReportSubjectOf(const CQuadriviumDoc &document, const Clock &today);

/// A report of one reading: the subject's numbers with their interpretation
/// texts from the text database.
class CReadingPrintJob : public CPrintJob {
public:
    CReadingPrintJob(const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
                     QString textDatabase);
    const ReportSubject &subject() const { return m_subject; }
    QString personName() const override { return m_subject.name; }

protected:
    /// Adds the title (with its label) and text of every record in turn; a
    /// record that is not in the store adds nothing. Raises DatabaseError
    /// when the store cannot be read.
    void AddRecords(const std::vector<ExportRecord> &records);
    /// The layout unit of the graphic pages.
    int p3() const { return geometry().p3; }
    /// The face of the printer font.
    QString face() const { return baseFont().face; }
    /// Sets `grid` to its fitted size and puts its top centred in the text
    /// frame at `top`; returns the grid's height.
    int placeCentred(CCellGrid &grid, int top) const;
    /// Draws the bold table that opens a graphic page with its top at `top`,
    /// centred in the frame: a label column 15 units wide, then `columns` - 1
    /// value columns 2 units wide, in letters `fontHeight` high (1.5 units
    /// when 0); returns its height.
    int drawHeadingTable(CPrintSurface &surface, const std::vector<QStringList> &rows, int columns, int top,
                         int fontHeight = 0) const;

    ReportSubject m_subject;

private:
    QString m_textDatabase;
};

} // namespace quadrivium
