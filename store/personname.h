#pragma once

#include "engine/letterrules.h"

#include <QString>

#include <optional>
#include <string>

namespace quadrivium {

// Names as they enter the program: typed in a dialog, given on the command
// line, read from a CSV file or held by the document.

/// `typed` without outer blanks, in composed form (NFC), so that a letter
/// typed as base letter and combining mark is the same as the one letter.
QString NormalizedName(const QString &typed);

/// Why `name` cannot be stored: a control character (ESC, BEL, NUL, a line
/// break ...), a character that shows nothing but changes how the name
/// reads (direction marks, overrides and isolates, zero-width characters,
/// line and paragraph separators) or more than kMaxNameLength characters;
/// nothing when it can. Letters of right-to-left scripts are names.
/// `what` names the field in the message ("last name", "group name").
std::optional<QString> NameProblem(const QString &name, const QString &what);

/// The display name in the single-byte form the engine counts: composed,
/// Latin-1; characters beyond Latin-1 are left out. Under AccentRule::Base
/// the Latin letters beyond Latin-1 that have a base letter become it
/// first: by canonical decomposition (ő as o, č as c), ł as l, œ as oe.
std::string EngineName(const QString &displayName, AccentRule accents = AccentRule::Ignore);

/// The letters of `displayName` that the letter table does not count under
/// the accent rule (é, Ł, letters of other scripts), each once; empty when
/// all count.
QString IgnoredLettersOf(const QString &displayName, AccentRule accents = AccentRule::Ignore);
/// The line that names them: "Letters not counted: Ł, é"; empty when all
/// letters of `displayName` count.
QString IgnoredLettersNote(const QString &displayName, AccentRule accents = AccentRule::Ignore);

} // namespace quadrivium
