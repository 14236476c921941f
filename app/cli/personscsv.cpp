#include "personscsv.h"

#include <QStringDecoder>

namespace quadrivium::cli {

namespace {

bool startsLikeFormula(const QString &value)
{
    qsizetype i = 0;
    while (i < value.size() && value[i] == QLatin1Char('\''))
        ++i;
    if (i == value.size())
        return false;
    const QChar c = value[i];
    return c == QLatin1Char('=') || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('@')
        || c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

/// The text with every line end made "\n"; fails at the first line that is
/// not UTF-8.
Result<QString> decodeLines(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(QByteArrayView(bytes).sliced(start, end - start));
        if (decoder.hasError())
            return Result<QString>::failure(QStringLiteral("line %1: the text is not UTF-8").arg(line));
        text += decoded;
        if (end == bytes.size())
            break;
        text += QLatin1Char('\n');
        ++line;
        start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    }
    return text;
}

} // namespace

QString CsvCell(const QString &value)
{
    const QString cell = startsLikeFormula(value) ? QLatin1Char('\'') + value : value;
    bool needsQuotes = false;
    for (const QChar c : cell)
        needsQuotes = needsQuotes || c == QLatin1Char('"') || c == QLatin1Char(',') || c == QLatin1Char('\n')
            || c == QLatin1Char('\r');
    if (!needsQuotes)
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvValue(const QString &cell)
{
    if (cell.startsWith(QLatin1Char('\'')) && startsLikeFormula(cell))
        return cell.mid(1);
    return cell;
}

Result<std::vector<CsvRecord>> ParseCsv(const QByteArray &bytes)
{
    using R = Result<std::vector<CsvRecord>>;
    auto decoded = decodeLines(bytes);
    if (!decoded)
        return R::failure(decoded.error());
    QString &text = decoded.value();
    if (text.startsWith(QChar(QChar::ByteOrderMark)))
        text.remove(0, 1);

    std::vector<CsvRecord> records;
    CsvRecord record{1, {}};
    QString field;
    bool quoted = false;
    int line = 1;
    const auto endRecord = [&] {
        record.fields << field;
        field.clear();
        const bool blank = record.fields.size() == 1 && record.fields.front().trimmed().isEmpty();
        if (!blank)
            records.push_back(std::move(record));
        record = CsvRecord{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n'))
            ++line;
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.fields << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            endRecord();
        } else {
            field += c;
        }
    }
    if (quoted)
        return R::failure(QStringLiteral("line %1: a quoted field is not closed").arg(record.line));
    endRecord();
    return records;
}

} // namespace quadrivium::cli
