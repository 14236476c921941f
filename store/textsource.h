#pragma once

#include "result.h"
#include "textstore.h"

#include <QString>

#include <map>
#include <vector>

namespace quadrivium {

/// The editable source of the supplied texts: one UTF-8 file per table,
/// named "<table>.txt", in which each record reads
///
///     @@ <NumberID>
///     Title: <title>
///
///     <paragraph on one line>
///
///     <paragraph on one line>
///
/// Lines starting with '#' before the first record are comments. Bodies are
/// stored with their paragraphs separated by an empty line.
struct TextSourceRecord {
    int numberId = 0;
    QString title;
    QString body;
    int line = 0; ///< line of the record's "@@" in its file
};

/// The records of every table, by table number, in ascending NumberID.
using TextSourceSet = std::map<int, std::vector<TextSourceRecord>>;

/// Reads one source text (the contents of `fileName`). A malformed record,
/// a duplicate NumberID, an empty title or body fails with a message that
/// names the file and line.
Result<std::vector<TextSourceRecord>> ParseTextSource(const QString &contents, const QString &fileName);
/// Reads "<table>.txt" of every table present in `folder`; with `complete`,
/// every table must be there and hold every NumberID of RequiredNumberIds.
Result<TextSourceSet> ReadTextSources(const QString &folder, bool complete);

/// Writes records in the source form (plain text; lines of a body become
/// paragraphs).
QString FormatTextSource(int table, const std::vector<TextSourceRecord> &records);

/// The NumberIDs the program looks up in a table, ascending.
std::vector<int> RequiredNumberIds(int table);

/// A text record of the store made from a source record (TextID is the
/// NumberID as decimal text, TitleText the title).
TextRecord ToTextRecord(const TextSourceRecord &record);

} // namespace quadrivium
