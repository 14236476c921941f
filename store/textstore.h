#pragma once

#include "connection.h"
#include "recordset.h"
#include "result.h"

#include <QString>

#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace quadrivium {

/// The interpretation texts: tables chosen by number,
///   0 "Intro"  1 "Chart"  2 "Pyramide"  3 "Biorythmus"  4 "Rulingnumber"
///   5 "Zahlen"  6 "Bestimmung"  7 "Erscheinung"  8 "Herrschende_Namenszahl"
///   9 "Geburtstag"  10 "Lebensjahreszahl"  11 "TitleListe"
///   12 "Monatszahl" (personal month)  13 "Tageszahl" (personal day)
///   14 "Herausforderung" (challenge)  15 "Karmische_Lektion" (karmic lesson)
///   16 "Partnerschaft" (two persons compared),
/// every one with the columns TextID, Title, Text, TitleText, NumberID
/// (Intro also ID). A record is looked up by its NumberID; Title and Text
/// are RTF when Text begins with "{", plain text otherwise (the output
/// layer's PlainTitle/PlainBody turn them into plain text).
constexpr int kTextTableCount = 17;
constexpr int kTitleListTable = 11;
constexpr int kRulingNumberTable = 4;
constexpr int kPersonalYearTable = 10;
constexpr int kPersonalMonthTable = 12;
constexpr int kPersonalDayTable = 13;
constexpr int kChallengeTable = 14;
constexpr int kKarmicLessonTable = 15;
/// "Partnerschaft": the texts of the compatibility reading of two persons.
constexpr int kPartnershipTable = 16;

/// The RTF around a person's value in the heading of an exported reading:
/// one centred paragraph in 14.5 pt, after which the font goes back to
/// 10 pt.
inline constexpr char kExportHeadingStart[] =
    "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS Sans Serif;}{\\f1\\froman\\fcharset2 Symbol;}"
    "{\\f2\\fswiss\\fprq2 System;}{\\f3\\froman\\fprq2 Times New Roman;}{\\f4\\fswiss\\fprq2 Times New Roman;}}"
    "{\\colortbl\\red0\\green0\\blue0;\\red128\\green0\\blue64;}\\deflang1031\\pard\\qc\\plain\\f3\\fs29 ";
inline constexpr char kExportHeadingEnd[] = "\\plain\\f4\\fs20 }";

/// Name of table `table`; numbers outside 1..kTextTableCount-1 name "Intro".
QString TextTableName(int table);
/// The record source the table is opened with: "Select * From [Intro]" ...,
/// the bare "[TitleListe]" for table 11.
QString TextTableSource(int table);
/// Number of the table with this name (exact spelling); -1 when none.
int TextTableNumber(const QString &name);
/// The NumberID shown for position `position` (from 0) of a table's title
/// list: position + 1, except that in "Rulingnumber" positions 9 and 10
/// are the master numbers 11 and 22.
int NumberIdForListPosition(int table, int position);

/// One text record as stored.
struct TextRecord {
    QString textId;    ///< the NumberID as decimal text
    QString title;     ///< plain text or RTF
    QString text;      ///< plain text or RTF
    QString titleText; ///< the title as plain text
    int numberId = 0;

    /// True when the record is in rich-text form (Text begins with "{").
    bool isRtf() const { return text.startsWith(QLatin1Char('{')); }
};

namespace detail {
/// Holds a connection that a record set opened for itself; a base class so
/// that it is made before the record set that uses it.
struct OwnedConnection {
    std::unique_ptr<Connection> owned;
};
} // namespace detail

/// Record set over one text table, narrowed by NumberID. Throws
/// DatabaseError like every record set. Use: SelectText(table, n); open();
/// if (!isEOF()) record(); close().
class CDao : private detail::OwnedConnection, public RecordSet {
public:
    enum Field { TextIdField, TitleField, TextField, TitleTextField, NumberIdField };

    /// Opens its own connection to TextDatabasePath().
    CDao();
    /// Opens its own connection to the text database at `path`.
    explicit CDao(const QString &path);
    /// Works on a connection owned by the caller.
    explicit CDao(Connection &db);

    /// Chooses the table of the next open.
    void SetTable(int table);
    int table() const { return m_table; }
    /// SetTable(table) and the filter "NumberID = <numberId>".
    void SelectText(int table, int numberId);

    /// The current record's fields.
    TextRecord record() const;
    /// Sets every field of a record begun with edit() or addNew().
    void setRecord(const TextRecord &record);

private:
    int m_table = 0;
};

/// A record's table number (0..15) and NumberID.
using TextKey = std::pair<int, int>;

/// The text store's operations on one database file, each opening its own
/// connection and closing it again. Failures come back as a Result.
class TextStore {
public:
    /// The text database of TextDatabasePath().
    TextStore();
    explicit TextStore(QString path);
    const QString &path() const { return m_path; }

    /// The first record of `table` with this NumberID; nothing when none.
    Result<std::optional<TextRecord>> read(int table, int numberId) const;
    /// The records of many keys, in their order, read through one
    /// connection; nothing for a key that has no record.
    Result<std::vector<std::optional<TextRecord>>> readMany(const std::vector<TextKey> &keys) const;
    /// Every record of a table by NumberID (the title list's order).
    Result<std::vector<TextRecord>> list(int table) const;
    /// Writes the text editor's result: replaces the record with this
    /// NumberID, or adds it when the table has none; a record whose Text
    /// is empty is deleted instead. One transaction. A record this changes
    /// is noted as edited by the user (see EditedTextKeys).
    Status write(int table, const TextRecord &record) const;
    /// Writes many records as write() does, all in one transaction: either
    /// every record is written or none.
    Status writeAll(const std::vector<std::pair<int, TextRecord>> &records) const;

private:
    QString m_path;
};

/// The records that TextStore writes changed in this file, deleted ones
/// included; nothing when the file has never been written by it. Throws
/// DatabaseError.
std::optional<std::set<TextKey>> EditedTextKeys(Connection &db);

/// Creates the text tables (with their NumberID indexes) that the file does
/// not have yet.
void CreateTextSchema(Connection &db);
/// Adds one record to a table; `introId` sets the Intro table's ID when
/// positive (otherwise the next free number). Throws DatabaseError.
void InsertText(Connection &db, int table, const TextRecord &record, int introId = 0);
/// Creates a new text database file at `path` with the schema, then lets
/// `fill` add records (e.g. with InsertText) in the same transaction.
Status CreateTextDatabase(const QString &path, const std::function<void(Connection &)> &fill = {});

} // namespace quadrivium
