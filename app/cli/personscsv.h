#pragma once

#include "store/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace quadrivium::cli {

// The CSV form of the persons: UTF-8, comma-separated, fields with commas,
// quotes or line breaks quoted with doubled inner quotes.

/// One record of a CSV file and the line it starts on (1 is the first).
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

/// `value` as a CSV field. A value that a spreadsheet would take for a
/// formula (beginning with =, +, -, @, a tab or a carriage return, after
/// any apostrophes) gets a leading apostrophe, which CsvValue removes again.
QString CsvCell(const QString &value);
/// The value of a field written by CsvCell.
QString CsvValue(const QString &cell);

/// The records of a CSV file; line ends LF, CRLF or CR alone; quoted fields
/// may span lines; a leading byte-order mark is skipped; records of blanks
/// only are left out. Refuses text that is not UTF-8 and a quote left open,
/// with "line N: <reason>".
Result<std::vector<CsvRecord>> ParseCsv(const QByteArray &bytes);

} // namespace quadrivium::cli
