#pragma once

#include "readingprintjob.h"

#include "output/exportassembly.h"
#include "output/optionsdialog.h"
#include "output/printsettings.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace quadrivium {

class CQuadriviumDoc;
class CReadingPage;

/// One reading of a person as one unit: everything the program needs to
/// show, print, export and script it. Each reading is registered once, in
/// ReadingKinds(); the tabbed sheet, the View menu, Print, Export, Save
/// Picture and the command line's `report`, `export` and `picture` walk
/// that list and never name a reading themselves.
///
/// Adding a reading:
///  1. Write its page (a CReadingPage with its own page command id), its
///     report (a CReadingPrintJob) and a function that lists the text
///     records of its export sections, in files of their own.
///  2. When it has texts of its own, add their tables to the text tables'
///     list (store/textstore.cpp) and their sources to data/texts (raise
///     data/texts/VERSION), so that users' copies take them on.
///  3. Append one ReadingKind to the list in readingkind.cpp. Its place in
///     the list is its place in the sheet and the View menu; the readings
///     already there keep theirs.
///  4. Name its new files in the build lists (pages/CMakeLists.txt).
struct ReadingKind {
    /// Name on the command line ("chart"): `--reading NAME`, and the
    /// command NAME when the reading has one (see `json`).
    QString name;
    /// The page command that shows the page; also the document's
    /// currentCommand while it is in front.
    int command = 0;
    /// Whether the reading compares the current person with a second one,
    /// the document's partner (the command line's --with options).
    bool needsPartner = false;
    /// Makes the page (a child of `parent`).
    std::function<CReadingPage *(CQuadriviumDoc &document, QWidget *parent)> makePage;

    /// The print options dialog: its boxes, "All" mask and stored value
    /// name. Its boxes are "Graphic" and then one per export section, in
    /// the sections' order (the command line's `report --sections`).
    std::function<OptionsDialogForm()> printOptions;
    /// Makes the report for the options word chosen in that dialog.
    std::function<std::unique_ptr<CReadingPrintJob>(const PrintSettings &settings, std::uint32_t options,
                                                    ReportSubject subject, const QString &textDatabase)>
        makeReport;

    /// Names of the export sections; bit i of an export options word is
    /// section i.
    QStringList exportSections;
    /// Further names the command line accepts for a section (old name,
    /// section name).
    QList<std::pair<QString, QString>> sectionAliases;
    /// The export options dialog: one box per section (text, control id)
    /// and the stored value name.
    QList<std::pair<QString, int>> exportBoxes;
    QString exportValueName;
    /// The text records of an export of `subject` with the chosen sections.
    std::function<std::vector<ExportRecord>(const ReportSubject &subject, std::uint32_t sections)> exportRecords;
    /// Lines the export puts under the person's heading block; none unless
    /// `headingNotes` is set.
    std::function<QStringList(const ReportSubject &subject)> headingNotes;
    QStringList exportNotes(const ReportSubject &subject) const
    {
        return headingNotes ? headingNotes(subject) : QStringList();
    }
    /// The file name Save As suggests after an export.
    QString exportFileName;

    /// A command of its own on the command line (`quadrivium-cli NAME`):
    /// a one-line summary, the reading as JSON and as text; its texts are
    /// those of its export with every section. Without `json` the reading
    /// has none (the `reading` command covers it).
    QString commandSummary;
    std::function<QJsonObject(const ReportSubject &subject)> json;
    std::function<QString(const ReportSubject &subject)> plainText;

    /// Every export section bit.
    std::uint32_t allSections() const { return (1U << exportSections.size()) - 1U; }
    /// The export options dialog.
    OptionsDialogForm exportOptions() const;
    /// The section bits of a comma-separated list of section names, or of
    /// "all"; nothing and a message naming the sections for an unknown name.
    std::optional<std::uint32_t> sectionBits(const QString &list, QString *error) const;
    /// The report options word of a list of section names and "graphic",
    /// or of "all"; nothing and a message for an unknown name.
    std::optional<std::uint32_t> reportOptions(const QString &list, QString *error) const;

private:
    QString canonicalSection(const QString &name) const;
};

/// Every reading, in the order of the sheet's tabs and the View menu:
/// birth chart, pyramid, biorhythm, forecast.
const std::vector<ReadingKind> &ReadingKinds();
/// The reading of page command `command`; null when it names none.
const ReadingKind *ReadingKindOf(int command);
/// The reading with the command-line name `name`; null when none.
const ReadingKind *ReadingKindNamed(const QString &name);
/// The names of every reading, for messages ("chart, pyramid, ...").
QStringList ReadingKindNames();

} // namespace quadrivium
