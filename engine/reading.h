#pragma once

#include "biorhythm.h"
#include "chartgrid.h"
#include "corenumbers.h"
#include "namenumbers.h"
#include "pyramid.h"
#include "walkthrough.h"

#include <optional>
#include <string_view>

namespace quadrivium {

/// Everything the readings show for one person on one day.
struct Reading {
    CoreNumberSet numbers;
    NameNumbers vowels;     ///< record after the vowel call
    NameNumbers consonants; ///< record after the consonant call
    BirthDigits digits;
    PyramidNumbers pyramid;
    ChartGrid grid;
    Walkthrough walkthrough;
    std::array<double, 3> curveValue{};
    std::array<int, 3> curveClass{};
    LetterRules rules; ///< the counting rules of the name numbers
};

/// The whole reading of a Windows-1252 display name and a date of birth,
/// with today's year from `today` and the biorhythm of `day`. Nothing for a
/// date of birth that is not valid. The name is counted under `rules`.
std::optional<Reading> ComputeReading(std::string_view displayName, const DateTimeValue &birth,
                                      const Clock &today, const DateTimeValue &day,
                                      const LetterRules &rules = {});

} // namespace quadrivium
