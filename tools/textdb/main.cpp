// quadrivium-textdb SOURCES OUTPUT
// Builds the text database OUTPUT from the text sources in the folder
// SOURCES (one "<table>.txt" per table), carrying the data version
// written in SOURCES/VERSION. Any fault in the sources stops the
// build with a message naming the file, line, table and number.

#include "store/textsource.h"
#include "store/textstore.h"
#include "store/textupgrade.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace quadrivium;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: quadrivium-textdb SOURCES OUTPUT\n";
        return 2;
    }
    const auto sources = ReadTextSources(args[1], true);
    if (!sources) {
        err << "quadrivium-textdb: " << sources.error() << '\n';
        return 1;
    }
    const auto version = ReadTextSourceVersion(args[1]);
    if (!version) {
        err << "quadrivium-textdb: " << version.error() << '\n';
        return 1;
    }
    const QString output = args[2];
    // A new database file is never written over an old one: remove the
    // previous build product first.
    if (QFile::exists(output) && !QFile::remove(output)) {
        err << "quadrivium-textdb: cannot replace " << output << '\n';
        return 1;
    }
    const Status made = CreateTextDatabase(output, [&](Connection &db) {
        for (const auto &[table, records] : *sources) {
            for (const auto &record : records)
                InsertText(db, table, ToTextRecord(record), table == 0 ? record.numberId : 0);
        }
        SetTextDataVersion(db, version->version);
    });
    if (!made) {
        err << "quadrivium-textdb: " << made.error() << '\n';
        return 1;
    }
    return 0;
}
