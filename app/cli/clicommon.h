#pragma once

#include "engine/datetimevalue.h"
#include "store/result.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace quadrivium::cli {

/// Exit status of a usage error (bad option, unreadable value).
constexpr int kUsageError = 2;

/// Exit status of a store operation that failed (missing or damaged file).
constexpr int kStoreError = 1;

/// Prints "quadrivium-cli: <message>" on stderr and returns kUsageError.
int fail(const QString &message);
/// Prints "quadrivium-cli: <message>" on stderr and returns kStoreError.
int storeFailure(const QString &message);

/// Parses a command's arguments. On a parse error, --help or --help-all it
/// prints what is due and returns the exit status; nothing when the command
/// goes on.
std::optional<int> parseArguments(QCommandLineParser &parser, const QStringList &arguments);

/// Reads an ISO date YYYY-MM-DD of the years 1600..2100; on failure, the
/// message that names the problem for `what` (e.g. "--born").
struct DateArgument {
    std::optional<DateTimeValue> value;
    QString error;
};
DateArgument parseDateArgument(const QString &text, const QString &what);

/// Says on stderr which persons file is in use when its folder offers
/// several.
void notePersonsFileChoice();

/// When the persons file used last time has gone: what happened and what
/// to do; empty otherwise.
QString personsFileGone();

} // namespace quadrivium::cli
