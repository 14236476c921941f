#pragma once

#include "datetimevalue.h"
#include "namenumbers.h"
#include "pyramid.h"

#include <optional>
#include <string>
#include <string_view>

namespace quadrivium {

/// The six lines of the calculation walkthrough, blanks exactly as shown.
struct Walkthrough {
    std::string date;       ///< "06.03.1951"
    std::string ruling;     ///< digits of the date, their sum and its reduction
    std::string day;        ///< "06"
    std::string fate;       ///< vowels, their values, sum and reduction
    std::string appearance; ///< consonants, their values, sum and reduction
    std::string dominant;   ///< Fate + Appearance and its reduction
};

/// The walkthrough of a Windows-1252 display name, counted under `rules`,
/// and a date of birth; nothing for a date of birth that is not valid.
/// A name without a vowel has the Fate line "-" and a "-" in place of the
/// Number of Fate on the Dominant line: it has no Number of Fate.
std::optional<Walkthrough> BuildWalkthrough(std::string_view displayName,
                                            const DateTimeValue &birth,
                                            const LetterRules &rules = {});
/// The same from the digits of the date and the records of a vowel call
/// (NameMode::Vowels) and a consonant call (NameMode::Consonants) on the display name.
Walkthrough BuildWalkthrough(const BirthDigits &digits, const NameNumbers &vowels,
                             const NameNumbers &consonants);

} // namespace quadrivium
