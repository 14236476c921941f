#include "printsettings.h"

#include "cellgrid.h"

#include <QSettings>
#include <QtEndian>

#include <cmath>

#include <pwd.h>
#include <unistd.h>

namespace quadrivium {

namespace {

void putInt(QByteArray &bytes, int offset, int value)
{
    qToLittleEndian<qint32>(value, bytes.data() + offset);
}

int intAt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

constexpr int kFontRecordSize = 60;
constexpr int kFaceSize = 32;

} // namespace

QByteArray LogFont::toBytes() const
{
    QByteArray bytes(kFontRecordSize, '\0');
    putInt(bytes, 0, height);
    putInt(bytes, 4, width);
    putInt(bytes, 8, escapement);
    putInt(bytes, 12, orientation);
    putInt(bytes, 16, weight);
    const int flags[] = {italic, underline, strikeOut, charSet, outPrecision, clipPrecision, quality, pitchAndFamily};
    for (int i = 0; i < 8; ++i)
        bytes[20 + i] = char(flags[i]);
    const QByteArray name = face.toLatin1().left(kFaceSize - 1);
    bytes.replace(28, name.size(), name);
    return bytes;
}

std::optional<LogFont> LogFont::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() != kFontRecordSize)
        return std::nullopt;
    LogFont font;
    font.height = intAt(bytes, 0);
    font.width = intAt(bytes, 4);
    font.escapement = intAt(bytes, 8);
    font.orientation = intAt(bytes, 12);
    font.weight = intAt(bytes, 16);
    const auto byte = [&bytes](int i) { return int(static_cast<unsigned char>(bytes[20 + i])); };
    font.italic = byte(0) != 0;
    font.underline = byte(1) != 0;
    font.strikeOut = byte(2) != 0;
    font.charSet = byte(3);
    font.outPrecision = byte(4);
    font.clipPrecision = byte(5);
    font.quality = byte(6);
    font.pitchAndFamily = byte(7);
    const QByteArray name = bytes.mid(28, kFaceSize);
    font.face = QString::fromLatin1(name.left(name.indexOf('\0') < 0 ? kFaceSize : name.indexOf('\0')));
    return font;
}

LogFont LogFont::withHeight(int newHeight) const
{
    LogFont copy = *this;
    copy.height = newHeight;
    return copy;
}

QFont LogFont::toFont() const
{
    QFont font = PrintFont(face, height, weight, italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

QFont LogFont::toDialogFont() const
{
    QFont font(face);
    font.setPointSizeF(qMax(1.0, std::abs(height) * 72.0 / 96.0));
    font.setWeight(QFont::Weight(qBound(1, weight == 0 ? 400 : weight, 1000)));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

LogFont LogFont::fromDialogFont(const QFont &font)
{
    LogFont record;
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    record.height = -qMax(1, qRound(points * 96.0 / 72.0));
    record.weight = font.weight();
    record.italic = font.italic();
    record.underline = font.underline();
    record.strikeOut = font.strikeOut();
    record.face = font.family().left(kFaceSize - 1);
    return record;
}

QByteArray MarginsToBytes(const PaperMargins &margins)
{
    QByteArray bytes(16, '\0');
    putInt(bytes, 0, margins.left);
    putInt(bytes, 4, margins.top);
    putInt(bytes, 8, margins.right);
    putInt(bytes, 12, margins.bottom);
    return bytes;
}

std::optional<PaperMargins> MarginsFromBytes(const QByteArray &bytes)
{
    if (bytes.size() != 16)
        return std::nullopt;
    return PaperMargins{intAt(bytes, 0), intAt(bytes, 4), intAt(bytes, 8), intAt(bytes, 12)};
}

QString ReportAuthor(const QString &preparedBy)
{
    const QString given = preparedBy.simplified();
    if (!given.isEmpty())
        return given;
    // The account's full name is the first field of its comment.
    if (const passwd *account = getpwuid(getuid())) {
        const QString full = QString::fromLocal8Bit(account->pw_gecos).section(QLatin1Char(','), 0, 0).simplified();
        if (!full.isEmpty())
            return full;
        if (account->pw_name && *account->pw_name)
            return QString::fromLocal8Bit(account->pw_name);
    }
    return qEnvironmentVariable("USER");
}

PrintSettings LoadPrintSettings(QSettings &settings, const PrintSettings &current)
{
    PrintSettings print = current;
    if (const auto font = LogFont::fromBytes(settings.value(QStringLiteral("PrinterFont")).toByteArray()))
        print.font = *font;
    if (const auto margins = MarginsFromBytes(settings.value(QStringLiteral("PaperMargins")).toByteArray()))
        print.margins = *margins;
    if (settings.contains(QStringLiteral("PreparedBy")))
        print.preparedBy = settings.value(QStringLiteral("PreparedBy")).toString();
    return print;
}

void SavePrintSettings(QSettings &settings, const PrintSettings &print)
{
    settings.setValue(QStringLiteral("PrinterFont"), print.font.toBytes());
    settings.setValue(QStringLiteral("PaperMargins"), MarginsToBytes(print.margins));
    settings.setValue(QStringLiteral("PreparedBy"), print.preparedBy);
    settings.sync();
}

} // namespace quadrivium
