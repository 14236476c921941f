#pragma once

#include "pagegeometry.h"
#include "richtextstream.h"
#include "rtfparser.h"

#include "engine/datetimevalue.h"
#include "store/result.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QTextDocument;

namespace quadrivium {

struct Reading;
class TextStore;
struct TextRecord;

/// One record appended to an export: table, NumberID and the label put
/// after its title (the personal year's " (2026)").
struct ExportRecord {
    int table = 0;
    int numberId = 0;
    QString label;
    QString title; ///< printed instead of the record's own title when not empty
    friend bool operator==(const ExportRecord &, const ExportRecord &) = default;
};

/// A record with its title (its label appended) and body as plain text.
struct RecordText {
    ExportRecord record;
    QString title;
    QString body;
};
/// The plain texts of those `records` the store holds, in their order.
Result<std::vector<RecordText>> ReadRecordTexts(const TextStore &store, const std::vector<ExportRecord> &records);

/// The records the export of a reading appends for the chosen sections, in
/// their order; bit i of `sections` is the reading's section i.
/// Birth chart: "intro", "numbers", "lines", "ruling", "day", "fate",
/// "appearance", "dominant", "personal-year".
std::vector<ExportRecord> ChartExportRecords(const Reading &values, std::uint32_t sections);
/// Pyramid: "intro", "numbers".
std::vector<ExportRecord> PyramidExportRecords(const Reading &values, std::uint32_t sections);
/// Biorhythm: "intro", "physical", "emotional", "intellectual"; a curve
/// counts as shown when its class in `values` is not 0.
std::vector<ExportRecord> BiorhythmExportRecords(const Reading &values, std::uint32_t sections);

/// The person an export is headed with.
struct ExportPerson {
    QString name;
    DateTimeValue birthDate;
    DateTimeValue birthTime; ///< 0: no time of birth
    QStringList notes;       ///< lines under the heading block; may be empty
};

/// The three heading values: name, date of birth as lists show it, time of
/// birth as "HH:MM" (empty without a time of birth).
QStringList ExportHeadingValues(const ExportPerson &person);
/// A heading value as the RTF text of a heading record: one centred
/// paragraph in Times New Roman 14.5 pt, the value escaped for RTF.
QString ExportHeadingRtf(const QString &value);

/// Appends `record`, record `numberId` of `table`, to the end of `document`:
/// its title with the label as a first-level heading (bold, 14 pt, space
/// above), then its text, each ending in a line end; records of the title
/// list (the heading block) as they are stored, record 1 replacing the
/// whole content.
void AppendRecord(QTextDocument &document, const TextRecord &record, int table, int numberId,
                  const QString &label = QString());

/// Finishes an assembled export: empty paragraphs go, the paragraphs get
/// space after them instead; the first `headingBlocks` paragraphs (the
/// heading block) are centred.
void TidyExport(QTextDocument &document, int headingBlocks);

/// Builds an export in `document`: the heading records 1..3 of the store's
/// title list with their texts replaced by the person's heading values (the
/// time of birth only when there is one), the person's notes, then
/// `records` in their order, and tidies it. The store is only read. The
/// document takes the text pane's default font first, so that every export
/// of the same reading is the same file.
Status AssembleExport(QTextDocument &document, const TextStore &store, const ExportPerson &person,
                      const std::vector<ExportRecord> &records);

/// `text` broken into lines of at most `columns` characters at blanks; a
/// word longer than that stands alone on its line.
QStringList WrapText(const QString &text, int columns);

/// An export as plain UTF-8 text: lines of at most 78 characters, headings
/// underlined ("=" under first-level ones), centred paragraphs centred, a
/// blank line where the document sets paragraphs apart.
QByteArray ExportPlainText(const QTextDocument &document);

/// The RTF page of paper `paperMillimetres` with `margins`.
RtfPageSetup ExportPageSetup(QSizeF paperMillimetres, const PaperMargins &margins);

/// Writes an export atomically to `path`: RTF laid out on `page` with page
/// numbers, or plain text as ExportPlainText gives it.
Status WriteExport(const QTextDocument &document, StreamFormat format, const QString &path, const RtfPageSetup &page);

/// The path an export is written to: `path` with ".rtf" or ".txt" (by the
/// format) added when its file name has no dot.
QString ExportFilePath(const QString &path, StreamFormat format);

} // namespace quadrivium
