#include "textsource.h"

#include "inputfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace quadrivium {

namespace {

QString at(const QString &fileName, int line)
{
    return QStringLiteral("%1:%2: ").arg(fileName).arg(line);
}

QStringList paragraphsOf(const QString &body)
{
    QStringList paragraphs;
    for (const QString &line : body.split(QLatin1Char('\n'))) {
        const QString text = line.trimmed();
        if (!text.isEmpty())
            paragraphs << text;
    }
    return paragraphs;
}

} // namespace

std::vector<int> RequiredNumberIds(int table)
{
    auto range = [](int last) {
        std::vector<int> ids;
        for (int n = 1; n <= last; ++n)
            ids.push_back(n);
        return ids;
    };
    switch (table) {
    case 0:
        return range(15);
    case 1:
        return range(12);
    case 4: {
        auto ids = range(9);
        ids.push_back(11);
        ids.push_back(22);
        return ids;
    }
    case 5:
        return range(45);
    case 9:
        return range(31);
    case kTitleListTable:
        return range(3);
    case kChallengeTable: {
        auto ids = range(8);
        ids.insert(ids.begin(), 0);
        return ids;
    }
    case kPartnershipTable: {
        // The introductions, a text per number role and relation, a text
        // per present line completed by the other person.
        std::vector<int> ids{1, 2};
        for (int role = 1; role <= 5; ++role)
            for (int relation = 1; relation <= 4; ++relation)
                ids.push_back(10 * role + relation);
        for (int line = 1; line <= 8; ++line)
            ids.push_back(100 + line);
        return ids;
    }
    default:
        return range(9);
    }
}

Result<std::vector<TextSourceRecord>> ParseTextSource(const QString &contents, const QString &fileName)
{
    using R = Result<std::vector<TextSourceRecord>>;
    static const QRegularExpression head(QStringLiteral("^@@\\s+(\\d{1,9})\\s*$"));
    const QStringList lines = QString(contents).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    std::vector<TextSourceRecord> records;
    QStringList paragraphs;
    auto finish = [&]() -> QString {
        if (records.empty())
            return {};
        TextSourceRecord &r = records.back();
        if (paragraphs.isEmpty())
            return at(fileName, r.line) + QStringLiteral("record %1 has no text").arg(r.numberId);
        r.body = paragraphs.join(QStringLiteral("\n\n"));
        paragraphs.clear();
        return {};
    };
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const int lineNo = i + 1;
        if (line.startsWith(QLatin1String("@@"))) {
            const auto match = head.match(line);
            if (!match.hasMatch())
                return R::failure(at(fileName, lineNo) + QStringLiteral("expected \"@@ <number>\""));
            if (const QString error = finish(); !error.isEmpty())
                return R::failure(error);
            TextSourceRecord r;
            r.numberId = match.captured(1).toInt();
            r.line = lineNo;
            if (r.numberId < 0)
                return R::failure(at(fileName, lineNo) + QStringLiteral("record numbers start at 0"));
            if (i + 1 >= lines.size() || !lines[i + 1].startsWith(QLatin1String("Title:")))
                return R::failure(at(fileName, lineNo + 1)
                                  + QStringLiteral("record %1 needs a line \"Title: ...\"").arg(r.numberId));
            r.title = lines[i + 1].mid(6).trimmed();
            if (r.title.isEmpty())
                return R::failure(at(fileName, lineNo + 1)
                                  + QStringLiteral("record %1 has an empty title").arg(r.numberId));
            for (const auto &other : records) {
                if (other.numberId == r.numberId)
                    return R::failure(at(fileName, lineNo)
                                      + QStringLiteral("record %1 appears twice (first at line %2)")
                                            .arg(r.numberId).arg(other.line));
            }
            records.push_back(r);
            ++i;
            continue;
        }
        if (records.empty()) {
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            return R::failure(at(fileName, lineNo) + QStringLiteral("text before the first \"@@\" record"));
        }
        const QString text = line.trimmed();
        if (!text.isEmpty())
            paragraphs << text;
    }
    if (const QString error = finish(); !error.isEmpty())
        return R::failure(error);
    std::sort(records.begin(), records.end(),
              [](const auto &a, const auto &b) { return a.numberId < b.numberId; });
    return records;
}

Result<TextSourceSet> ReadTextSources(const QString &folder, bool complete)
{
    using R = Result<TextSourceSet>;
    TextSourceSet set;
    const QDir dir(folder);
    if (!dir.exists())
        return R::failure(QStringLiteral("%1: no such folder").arg(folder));
    for (int table = 0; table < kTextTableCount; ++table) {
        const QString fileName = TextTableName(table) + QStringLiteral(".txt");
        QFile file(dir.filePath(fileName));
        if (!file.exists()) {
            if (complete)
                return R::failure(QStringLiteral("%1: missing (table %2)").arg(file.fileName(), TextTableName(table)));
            continue;
        }
        const auto bytes = ReadInputFile(file.fileName());
        if (!bytes)
            return R::failure(bytes.error());
        auto parsed = ParseTextSource(QString::fromUtf8(*bytes), file.fileName());
        if (!parsed)
            return R::failure(parsed.error());
        if (complete) {
            for (int id : RequiredNumberIds(table)) {
                const bool found = std::any_of(parsed->begin(), parsed->end(),
                                               [id](const auto &r) { return r.numberId == id; });
                if (!found)
                    return R::failure(QStringLiteral("%1: table %2 lacks record %3")
                                          .arg(file.fileName(), TextTableName(table)).arg(id));
            }
        }
        set[table] = std::move(parsed.value());
    }
    if (set.empty())
        return R::failure(QStringLiteral("%1: holds no text source (<table>.txt)").arg(folder));
    return set;
}

QString FormatTextSource(int table, const std::vector<TextSourceRecord> &records)
{
    QString out = QStringLiteral("# %1\n").arg(TextTableName(table));
    for (const auto &r : records) {
        out += QStringLiteral("\n@@ %1\nTitle: %2\n").arg(r.numberId).arg(
            QString(r.title).replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed());
        for (const QString &paragraph : paragraphsOf(r.body)) {
            // A body line must not look like the start of a record.
            QString text = paragraph;
            if (text.startsWith(QLatin1String("@@")))
                text.prepend(QLatin1Char(' '));
            out += QLatin1Char('\n') + text + QLatin1Char('\n');
        }
    }
    return out;
}

TextRecord ToTextRecord(const TextSourceRecord &record)
{
    TextRecord r;
    r.numberId = record.numberId;
    r.textId = QString::number(record.numberId);
    r.title = record.title;
    r.titleText = record.title;
    r.text = record.body;
    return r;
}

} // namespace quadrivium
