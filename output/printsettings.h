#pragma once

#include "pagegeometry.h"

#include <QByteArray>
#include <QFont>
#include <QString>

#include <optional>

class QSettings;

namespace quadrivium {

/// The base printer font as a logical font record: heights in the units of
/// the surface it is used on (negative: character height).
struct LogFont {
    int height = -16;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    QString face = QStringLiteral("Arial");
    bool operator==(const LogFont &) const = default;

    /// The stored form: 60 bytes, the five numbers as 32-bit little-endian
    /// integers, eight flag bytes and the face in 32 bytes (zero ended).
    QByteArray toBytes() const;
    /// Nothing when `bytes` is not a record of 60 bytes.
    static std::optional<LogFont> fromBytes(const QByteArray &bytes);

    /// The record with another height, as used for the report fonts.
    LogFont withHeight(int newHeight) const;
    /// A font drawn at one pixel per unit.
    QFont toFont() const;
    /// The record as the font dialog shows it (heights at 96 dots per inch).
    QFont toDialogFont() const;
    /// The record of a font the font dialog gave back.
    static LogFont fromDialogFont(const QFont &font);
};

/// The printer font and margins that every report uses, and the name of
/// the practitioner who prepares the reports (empty: the user's own name).
struct PrintSettings {
    LogFont font;
    PaperMargins margins;
    QString preparedBy;
};

/// The author a report names: `preparedBy` without surrounding blanks, else
/// the full name of the user's account, else the login name.
QString ReportAuthor(const QString &preparedBy);

/// "PrinterFont", "PaperMargins" and "PreparedBy" of `settings`; a missing
/// or malformed value leaves that part of `current` as it is.
PrintSettings LoadPrintSettings(QSettings &settings, const PrintSettings &current = PrintSettings());
void SavePrintSettings(QSettings &settings, const PrintSettings &print);

/// The margins' stored form: left, top, right, bottom as 32-bit
/// little-endian integers in 0.01 mm.
QByteArray MarginsToBytes(const PaperMargins &margins);
std::optional<PaperMargins> MarginsFromBytes(const QByteArray &bytes);

} // namespace quadrivium
