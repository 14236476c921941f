#pragma once

#include "engine/letterrules.h"

#include <QString>
#include <QStringList>

class QSettings;

namespace quadrivium {

// The counting rules as the program keeps them and as readings state them.

/// The rules stored under "Rules/Accents" and "Rules/Y"; a missing or
/// unknown value reads as the default rule.
LetterRules LoadLetterRules(const QSettings &settings);
void SaveLetterRules(QSettings &settings, const LetterRules &rules);

/// The rules in words: "Rules: accented letters not counted, Y always a
/// consonant".
QString LetterRulesLine(const LetterRules &rules);
/// LetterRulesLine when a rule differs from the default; empty otherwise.
QString LetterRulesNotice(const LetterRules &rules);

/// Why a name without a vowel has no Number of Fate, and, while Y counts
/// as a consonant, that the Y rule can give it one.
QString NoFateNote(const LetterRules &rules);

/// What a printed or exported chart says under its numbers: the letters of
/// `displayName` not counted, why a Number of Fate is missing (when
/// `noFate`) and the rules counted by; lines without content are left out.
QStringList ChartNotes(const QString &displayName, bool noFate, const LetterRules &rules);

} // namespace quadrivium
