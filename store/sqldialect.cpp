#include "sqldialect.h"

#include <QRegularExpression>

namespace quadrivium {

namespace {

bool isWordStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

/// Index just past the literal or bracketed name starting at `i`.
qsizetype skipQuoted(const QString &text, qsizetype i)
{
    const QChar open = text[i];
    const QChar close = open == QLatin1Char('[') ? QLatin1Char(']') : open;
    ++i;
    while (i < text.size()) {
        if (text[i] == close) {
            // A doubled quote inside a literal stands for itself.
            if (close != QLatin1Char(']') && i + 1 < text.size() && text[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

} // namespace

SqlCondition TranslateFilter(const QString &filter)
{
    QString out;
    out.reserve(filter.size());
    qsizetype orderAt = -1; // position in `out` where a top-level ORDER BY starts
    int depth = 0;
    qsizetype i = 0;
    while (i < filter.size()) {
        const QChar c = filter[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const qsizetype end = skipQuoted(filter, i);
            out += QStringView(filter).mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (isWordStart(c) && (i == 0 || !isWordChar(filter[i - 1]))) {
            qsizetype end = i;
            while (end < filter.size() && isWordChar(filter[end]))
                ++end;
            const QStringView word = QStringView(filter).mid(i, end - i);
            if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
                out += QLatin1String("-1");
            } else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
                out += QLatin1String("0");
            } else {
                if (depth == 0 && orderAt < 0 && word.compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0) {
                    static const QRegularExpression by(QStringLiteral("^\\s+BY\\b"),
                                                       QRegularExpression::CaseInsensitiveOption);
                    if (by.match(filter.mid(end)).hasMatch())
                        orderAt = out.size();
                }
                out += word;
            }
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    SqlCondition result;
    if (orderAt < 0) {
        result.where = out.trimmed();
    } else {
        result.where = out.left(orderAt).trimmed();
        static const QRegularExpression orderBy(QStringLiteral("^ORDER\\s+BY\\s+"),
                                                QRegularExpression::CaseInsensitiveOption);
        result.orderBy = out.mid(orderAt).remove(orderBy).trimmed();
    }
    return result;
}

QString TableOfSource(const QString &source)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(?:select\\s+\\*\\s+from\\s+)?(?:\\[([^\\]]+)\\]|([A-Za-z_]\\w*))\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = pattern.match(source);
    if (!match.hasMatch())
        return {};
    return match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
}

} // namespace quadrivium
