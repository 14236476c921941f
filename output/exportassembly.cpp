#include "exportassembly.h"

#include "rtfwriter.h"
#include "storedtext.h"
#include "stringids.h"
#include "stringtable.h"

#include "engine/reading.h"
#include "store/datetext.h"
#include "store/letterrulessetting.h"
#include "store/personname.h"
#include "store/textstore.h"

#include <QFileInfo>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <set>

namespace quadrivium {

namespace {

// Text tables the export reads.
enum Table {
    kIntro = 0,
    kLines = 1,
    kPyramid = 2,
    kBiorhythm = 3,
    kRuling = 4,
    kDigits = 5,
    kFate = 6,
    kAppearance = 7,
    kDominant = 8,
    kDay = 9,
    kPersonalYear = 10,
};

const QString kLineEnd = QStringLiteral("\r\n");

// Spacing of an export, in document units (1/96 inch): 14 pt above a
// heading, 6 pt after a paragraph; headings in 14 pt; plain text 78 wide.
constexpr qreal kSpaceBeforeHeading = 18.0;
constexpr qreal kSpaceAfterParagraph = 8.0;
constexpr qreal kHeadingPoints = 14.0;
constexpr int kPlainColumns = 78;

// Plain text takes the document's default format, not the format of the
// text before it (a heading's 14.5 pt).
void insertAtEnd(QTextDocument &document, StreamFormat format, const QString &text)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    if (format == StreamFormat::PlainText)
        cursor.setCharFormat(QTextCharFormat());
    streamIn(cursor, format, QStringView(text));
}

void chartRecords(const Reading &r, std::uint32_t sections, std::vector<ExportRecord> &out)
{
    const auto &n = r.numbers;
    auto section = [&](int bit) { return (sections >> bit) & 1U; };
    if (section(0)) {
        out.push_back({kIntro, 1, {}});
        out.push_back({kIntro, 2, {}});
    }
    if (section(1)) {
        for (int digit = 1; digit <= 9; ++digit)
            out.push_back({kDigits, CellNumberID(digit, r.grid.m_nDigitCount[std::size_t(digit)]), {}});
    }
    if (section(2)) {
        for (int index : LineWalkOrder()) {
            if (r.grid.m_bLine[std::size_t(index)])
                out.push_back({kLines, ChartLines()[std::size_t(index)].numberId, {}});
        }
    }
    const std::pair<int, int> numbers[] = {
        {5, kRuling}, {9, kDay}, {6, kFate}, {7, kAppearance}, {8, kDominant}};
    const int values[] = {n.rulingNumber, n.dayNumber, n.core.m_nFate, n.core.m_nAppearance, n.core.m_nDominant};
    for (int i = 0; i < 5; ++i) {
        if (!section(3 + i))
            continue;
        out.push_back({kIntro, numbers[i].first, {}});
        out.push_back({numbers[i].second, values[i], {}});
    }
    if (section(8)) {
        const int year = n.core.m_nCurrentYear;
        out.push_back({kIntro, 10, {}});
        out.push_back({kPersonalYear, n.core.m_nPersonalYear, QStringLiteral(" (%1)").arg(year)});
        out.push_back({kPersonalYear, n.core.m_nPersonalYearNext, QStringLiteral(" (%1)").arg(year + 1)});
    }
}

void pyramidRecords(const Reading &r, std::uint32_t sections, std::vector<ExportRecord> &out)
{
    if (sections & 1U) {
        out.push_back({kIntro, 1, {}});
        out.push_back({kIntro, 3, {}});
    }
    if (sections & 2U) {
        const std::set<int> climaxes(std::begin(r.pyramid.climax), std::end(r.pyramid.climax));
        for (int climax : climaxes)
            out.push_back({kPyramid, climax, {}});
    }
}

void biorhythmRecords(const Reading &r, std::uint32_t sections, std::vector<ExportRecord> &out)
{
    if (sections & 1U)
        out.push_back({kIntro, 4, {}});
    for (std::size_t curve = 0; curve < 3; ++curve) {
        const int state = r.curveClass[curve];
        if ((sections >> (curve + 1)) & 1U && state != 0)
            out.push_back({kBiorhythm, state + 3 * int(curve), {}});
    }
}

} // namespace

std::vector<ExportRecord> ChartExportRecords(const Reading &values, std::uint32_t sections)
{
    std::vector<ExportRecord> records;
    chartRecords(values, sections, records);
    return records;
}

std::vector<ExportRecord> PyramidExportRecords(const Reading &values, std::uint32_t sections)
{
    std::vector<ExportRecord> records;
    pyramidRecords(values, sections, records);
    return records;
}

std::vector<ExportRecord> BiorhythmExportRecords(const Reading &values, std::uint32_t sections)
{
    std::vector<ExportRecord> records;
    biorhythmRecords(values, sections, records);
    return records;
}

QStringList ExportHeadingValues(const ExportPerson &person)
{
    const DateTimeValue &time = person.birthTime;
    const QString timeText = time.isValid() && time.days() != 0.0
        ? QStringLiteral("%1:%2").arg(time.hour(), 2, 10, QLatin1Char('0')).arg(time.minute(), 2, 10, QLatin1Char('0'))
        : QString();
    return {person.name, FormatDateValue(person.birthDate), timeText};
}

QString ExportHeadingRtf(const QString &value)
{
    return QString::fromLatin1(QByteArray(kExportHeadingStart) + rtfEscaped(value) + kExportHeadingEnd);
}

void AppendRecord(QTextDocument &document, const TextRecord &r, int table, int numberId, const QString &label)
{
    const bool heading = table == kTitleListTable;
    const int titleStart = heading && numberId == 1 ? 0 : document.characterCount() - 1;
    if (heading && numberId == 1)
        streamIn(document, StoredFormat(r.title), QStringView(r.title));
    else
        insertAtEnd(document, StoredFormat(r.title), r.title);
    if (!heading && !label.isEmpty())
        insertAtEnd(document, StreamFormat::PlainText, label);
    const int titleEnd = document.characterCount() - 1;
    insertAtEnd(document, StreamFormat::PlainText, kLineEnd);
    insertAtEnd(document, StoredFormat(r.text), r.text);
    insertAtEnd(document, StreamFormat::PlainText, kLineEnd);
    if (heading)
        return;
    // A text's title is a heading: bold, larger, with space above it.
    QTextCursor title(&document);
    title.setPosition(titleStart);
    title.setPosition(titleEnd, QTextCursor::KeepAnchor);
    QTextCharFormat strong;
    strong.setFontWeight(QFont::Bold);
    strong.setFontPointSize(kHeadingPoints);
    title.mergeCharFormat(strong);
    for (QTextBlock block = document.findBlock(titleStart); block.isValid() && block.position() <= titleEnd;
         block = block.next()) {
        QTextCursor at(block);
        QTextBlockFormat format = block.blockFormat();
        format.setHeadingLevel(1);
        format.setAlignment(Qt::AlignLeft);
        format.setTopMargin(kSpaceBeforeHeading);
        format.setBottomMargin(kSpaceAfterParagraph);
        at.setBlockFormat(format);
    }
}

void TidyExport(QTextDocument &document, int headingBlocks)
{
    // Paragraphs are set apart by the space after them, not by empty ones.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int n = document.blockCount() - 1; n >= 1; --n) {
        const QTextBlock block = document.findBlockByNumber(n);
        if (block.length() <= 1) {
            QTextCursor at(block);
            at.deletePreviousChar();
        }
    }
    int number = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++number) {
        QTextBlockFormat format = block.blockFormat();
        if (number < headingBlocks) {
            // The heading block: centred, the last line set off from the texts.
            format.setAlignment(Qt::AlignHCenter);
            format.setBottomMargin(number == headingBlocks - 1 ? kSpaceBeforeHeading : 0);
        } else if (format.headingLevel() == 0) {
            format.setBottomMargin(kSpaceAfterParagraph);
        } else {
            continue;
        }
        QTextCursor(block).setBlockFormat(format);
    }
    cursor.endEditBlock();
}

QByteArray ExportPlainText(const QTextDocument &document)
{
    QString out;
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QString text = block.text();
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        if (!first && (format.topMargin() > 0 || block.previous().blockFormat().bottomMargin() > 0))
            out += QLatin1Char('\n');
        first = false;
        const bool centred = (format.alignment() & Qt::AlignHCenter) != 0;
        for (const QString &paragraphLine : text.split(QLatin1Char('\n'))) {
            const QStringList lines = WrapText(paragraphLine, kPlainColumns);
            int widest = 0;
            for (const QString &line : lines) {
                widest = std::max(widest, int(line.size()));
                const int indent = centred ? std::max(0, (kPlainColumns - int(line.size())) / 2) : 0;
                out += QString(indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
            }
            if (format.headingLevel() > 0 && widest > 0)
                out += QString(widest, format.headingLevel() == 1 ? QLatin1Char('=') : QLatin1Char('-'))
                    + QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

QStringList WrapText(const QString &text, int columns)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > columns) {
            lines << line;
            line.clear();
        }
        // A word longer than the line stands alone on it.
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

RtfPageSetup ExportPageSetup(QSizeF paperMillimetres, const PaperMargins &margins)
{
    const auto twips = [](double millimetres) { return int(std::lround(millimetres * 1440.0 / 25.4)); };
    return RtfPageSetup{twips(paperMillimetres.width()), twips(paperMillimetres.height()),
                        twips(margins.left / 100.0), twips(margins.right / 100.0),
                        twips(margins.top / 100.0), twips(margins.bottom / 100.0)};
}

Status WriteExport(const QTextDocument &document, StreamFormat format, const QString &path, const RtfPageSetup &page)
{
    return writeFileBytes(format == StreamFormat::PlainText ? ExportPlainText(document) : writeRtf(document, page),
                          path);
}

Result<std::vector<RecordText>> ReadRecordTexts(const TextStore &store, const std::vector<ExportRecord> &records)
{
    std::vector<TextKey> keys;
    for (const ExportRecord &r : records)
        keys.emplace_back(r.table, r.numberId);
    const auto found = store.readMany(keys);
    if (!found)
        return Result<std::vector<RecordText>>::failure(found.error());
    std::vector<RecordText> texts;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (const auto &t = (*found)[i])
            texts.push_back({records[i], PlainTitle(t->title, t->text).trimmed() + records[i].label, PlainBody(t->text)});
    }
    return texts;
}

Status AssembleExport(QTextDocument &document, const TextStore &store, const ExportPerson &person,
                      const std::vector<ExportRecord> &records)
{
    QFont font(LoadString(kStrTextFont));
    font.setPointSizeF(10.0);
    document.setDefaultFont(font);
    document.clear();
    // The three headings, then the reading's records, all read at once; a
    // missing record appends nothing.
    std::vector<TextKey> keys{{kTitleListTable, 1}, {kTitleListTable, 2}, {kTitleListTable, 3}};
    for (const ExportRecord &record : records)
        keys.emplace_back(record.table, record.numberId);
    const auto found = store.readMany(keys);
    if (!found)
        return Status::failure(found.error());
    // The stored heading records give the titles; the person's values take
    // the place of their texts here only, never in the store. Without a
    // time of birth its heading is left out.
    const QStringList headings = ExportHeadingValues(person);
    for (int numberId = 1; numberId <= 3; ++numberId) {
        if (numberId == 3 && headings[2].isEmpty())
            continue;
        if (auto heading = (*found)[std::size_t(numberId - 1)]) {
            heading->text = ExportHeadingRtf(headings[numberId - 1]);
            AppendRecord(document, *heading, kTitleListTable, numberId);
        }
    }
    // Notes under the heading block (for a chart the letters not counted,
    // why a Number of Fate is missing and the rules counted by).
    if (!person.notes.isEmpty())
        insertAtEnd(document, StreamFormat::PlainText, person.notes.join(kLineEnd) + kLineEnd);
    // Only the headings are centred.
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    const int headingBlocks = end.blockNumber();
    QTextBlockFormat left = end.blockFormat();
    left.setAlignment(Qt::AlignLeft);
    end.setBlockFormat(left);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (const auto &text = (*found)[i + 3])
            AppendRecord(document, *text, records[i].table, records[i].numberId, records[i].label);
    }
    int emptyHeadingBlocks = 0;
    for (QTextBlock block = document.begin(); block.isValid() && block.blockNumber() < headingBlocks;
         block = block.next())
        emptyHeadingBlocks += block.length() <= 1 ? 1 : 0;
    TidyExport(document, headingBlocks - emptyHeadingBlocks);
    return Done{};
}

QString ExportFilePath(const QString &path, StreamFormat format)
{
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + (format == StreamFormat::PlainText ? QStringLiteral(".txt") : QStringLiteral(".rtf"));
}

} // namespace quadrivium
