#include "textscommand.h"

#include "clicommon.h"

#include "output/storedtext.h"
#include "store/location.h"
#include "store/outputfile.h"
#include "store/textsource.h"
#include "store/textstore.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace quadrivium::cli {

namespace {

/// Every table of the text database in the source form, rich text as its
/// plain text.
int exportTexts(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return storeFailure(QStringLiteral("cannot make the folder %1").arg(folder));
    const TextStore store(TextDatabasePath());
    int written = 0;
    for (int table = 0; table < kTextTableCount; ++table) {
        const auto records = store.list(table);
        if (!records)
            return storeFailure(records.error());
        std::vector<TextSourceRecord> sources;
        for (const TextRecord &r : *records) {
            // Records a reading cannot show are left out; a table may have
            // a record 0 of its own (the challenge 0).
            const std::vector<int> required = RequiredNumberIds(table);
            if (r.numberId < 0 || (r.numberId == 0 && std::find(required.begin(), required.end(), 0) == required.end()))
                continue;
            TextSourceRecord s;
            s.numberId = r.numberId;
            s.title = PlainTitle(r.title, r.text).trimmed();
            s.body = PlainBody(r.text);
            sources.push_back(s);
        }
        const QString path = QDir(folder).filePath(TextTableName(table) + QStringLiteral(".txt"));
        const Status saved = WriteOutputFile(path, FormatTextSource(table, sources).toUtf8(), true);
        if (!saved)
            return storeFailure(saved.error());
        written += static_cast<int>(sources.size());
    }
    QTextStream(stdout) << written << " texts written to " << folder << Qt::endl;
    return 0;
}

/// Reads every source of the folder first; only when all are sound are the
/// records written, all in one transaction, into `path`.
int importTexts(const QString &folder, const QString &path)
{
    const auto sources = ReadTextSources(folder, false);
    if (!sources)
        return storeFailure(sources.error() + QStringLiteral("; nothing was imported"));
    std::vector<std::pair<int, TextRecord>> records;
    for (const auto &[table, list] : *sources) {
        for (const TextSourceRecord &r : list)
            records.emplace_back(table, ToTextRecord(r));
    }
    if (!QFileInfo::exists(path))
        return storeFailure(QStringLiteral("%1: no text database there").arg(path));
    const Status written = TextStore(path).writeAll(records);
    if (!written)
        return storeFailure(written.error() + QStringLiteral("; nothing was imported"));
    QTextStream(stdout) << records.size() << " texts imported into " << path << Qt::endl;
    return 0;
}

} // namespace

int runTexts(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes the interpretation texts out as editable text sources, or reads such\n"
        "sources into the text database (replacing records of the same number).\n"
        "  texts export DIR\n"
        "  texts import DIR   (into --text-db, else the user's own text database)"));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("text-db"), QStringLiteral("Text database file to use."),
                      QStringLiteral("PATH")});
    parser.addPositionalArgument(QStringLiteral("action"), QStringLiteral("export or import"));
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("folder of the text sources"));
    if (const auto status = parseArguments(parser, arguments))
        return *status;
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return fail(QStringLiteral("texts wants export DIR or import DIR"));
    const bool given = parser.isSet(QStringLiteral("text-db"));
    if (given)
        SetTextDatabasePath(parser.value(QStringLiteral("text-db")));
    if (args[0] == QLatin1String("export"))
        return exportTexts(args[1]);
    // Imports change the user's own texts, never a database that merely
    // lies in the working folder.
    if (args[0] == QLatin1String("import"))
        return importTexts(args[1], given ? TextDatabasePath() : UserTextDatabasePath());
    return fail(QStringLiteral("texts wants export DIR or import DIR, not \"%1\"").arg(args[0]));
}

} // namespace quadrivium::cli
