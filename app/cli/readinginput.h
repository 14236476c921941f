#pragma once

#include "engine/corenumbers.h"
#include "engine/datetimevalue.h"
#include "engine/letterrules.h"

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace quadrivium {
class CQuadriviumDoc;
}

namespace quadrivium::cli {

/// The person and the days a reading is made for, as the options gave them.
struct ReadingInput {
    QString name;          ///< display name
    DateTimeValue born;
    QString bornText;      ///< YYYY-MM-DD
    DateTimeValue time;    ///< 0: no time of birth
    Clock today;           ///< --today, else the system clock
    DateTimeValue day;     ///< --day, else today
    LetterRules rules;     ///< --rules, else the usual rules
};

/// Adds --person, --first, --last, --born, --rules, --today and --day (and
/// --time when `withTime`; --today and --day only `withDays`).
void addReadingOptions(QCommandLineParser &parser, bool withTime, bool withDays = true);
/// Parses the arguments of a reading command, which takes no positional
/// ones, and points the stores at the files of --persons-db / --text-db.
/// Nothing when the command goes on; otherwise the exit status after the
/// help or the message is printed.
std::optional<int> parseReadingArguments(QCommandLineParser &parser, const QStringList &arguments);
/// Reads the options of addReadingOptions into `input`: a stored person or
/// the names and dates given. Nothing when they are sound; otherwise the
/// exit status after the message is printed (2 for bad arguments, 1 when
/// the persons file fails or has no such person).
std::optional<int> readReadingInput(const QCommandLineParser &parser, ReadingInput &input);

/// Adds --with, --with-first, --with-last, --with-born and --with-time: the
/// second person of a reading of two.
void addSecondPersonOptions(QCommandLineParser &parser);
/// Reads the options of addSecondPersonOptions into the person fields of
/// `input` (its days are left alone), with the statuses of readReadingInput.
std::optional<int> readSecondPerson(const QCommandLineParser &parser, ReadingInput &input);

/// For a reading of two persons (`needsPartner`) reads the options of
/// addSecondPersonOptions into the document's partner; for any other
/// reading refuses them. Statuses as readReadingInput.
std::optional<int> applySecondPerson(const QCommandLineParser &parser, bool needsPartner, const Clock &today,
                                     CQuadriviumDoc &document);

/// "HH:MM" (hours 0..23); nothing and a message otherwise.
std::optional<DateTimeValue> parseTime(const QString &text, QString *error);

} // namespace quadrivium::cli
