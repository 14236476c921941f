#pragma once

#include <QStringList>

class QCommandLineParser;

namespace quadrivium::cli {

/// Exit status of `persons add` when the names exist already.
constexpr int kDuplicateExit = 3;

/// quadrivium-cli persons list|add|delete|export|import ...
int runPersons(const QStringList &arguments);

/// Points the stores at the files given with --persons-db / --text-db.
void addDatabaseOptions(QCommandLineParser &parser);
void applyDatabaseOptions(const QCommandLineParser &parser);

} // namespace quadrivium::cli
