#pragma once

#include "datetimevalue.h"
#include "namenumbers.h"
#include "pyramid.h"

#include <functional>
#include <optional>
#include <string_view>

namespace quadrivium {

/// Where "today" comes from; tests and the command line fix it.
using Clock = std::function<CivilDate()>;
/// The local date of the system clock.
CivilDate SystemToday();

/// Day of the month of a date of birth (1..31), unreduced; -1 when not valid.
int DayNumber(const DateTimeValue &birth);

/// Personal Year Number of the birth day and month in the calendar year
/// `targetYear`; nothing for a date of birth that is not valid.
std::optional<int> PersonalYearFor(const DateTimeValue &birth, int targetYear);
int PersonalYearFor(const BirthDigits &digits, int targetYear);
/// Personal Year Number for today's year plus k (0 = this year, 1 = next).
std::optional<int> CalcPersonalYear(const DateTimeValue &birth, int k, const Clock &today);

/// The name numbers and personal years of the core number set.
struct CoreNumbers {
    int m_nFate = 0;
    int m_nAppearance = 0;
    int m_nDominant = 0;
    int m_nPersonalYear = 0;
    int m_nPersonalYearNext = 0;
    int m_nCurrentYear = 0; ///< the calendar year the personal year was computed for
    /// The name yields no vowel under the rules in force: there is no
    /// Number of Fate, and m_nFate is 0.
    bool m_bNoFate = false;
};

/// All six core numbers of a person in their shown order.
struct CoreNumberSet {
    int rulingNumber = 0;
    int dayNumber = 0;
    CoreNumbers core;
};

/// The core numbers with the records they were computed from.
struct CoreCalculation {
    CoreNumberSet numbers;
    NameNumbers vowels;     ///< record of the vowel call
    NameNumbers consonants; ///< record of the consonant call
    PyramidNumbers pyramid;
};

/// Computes the core numbers of a Windows-1252 display name, counted under
/// `rules`, and the digits of a date of birth.
CoreCalculation FillCoreNumbers(std::string_view displayName, const BirthDigits &digits,
                                const Clock &today, const LetterRules &rules = {});
/// The same from a date of birth; nothing for a date that is not valid.
std::optional<CoreCalculation> FillCoreNumbers(std::string_view displayName,
                                               const DateTimeValue &birth, const Clock &today,
                                               const LetterRules &rules = {});

} // namespace quadrivium
