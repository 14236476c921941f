#pragma once

#include "datetimevalue.h"
#include "letterrules.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace quadrivium {

/// One challenge of a life: its number 0..8 and the ages it spans.
struct Challenge {
    int number = 0;
    int fromAge = 0;
    int toAge = 0;
    friend bool operator==(const Challenge &, const Challenge &) = default;
};

/// What a chosen day holds for a person. Every number is reduced to one
/// digit; the master numbers are not kept here.
struct Forecast {
    CivilDate date;                ///< the chosen day
    int personalYear = 0;          ///< 1..9, of the chosen day's year
    int personalMonth = 0;         ///< 1..9, of the chosen day's month
    int personalDay = 0;           ///< 1..9
    std::array<int, 12> months{};  ///< the personal month of January..December of that year
    std::array<Challenge, 4> challenges{};
    std::vector<int> karmicLessons; ///< digits 1..9 no letter of the name has, ascending
};

/// The forecast of a Windows-1252 display name and a date of birth for the
/// day `date`:
///  - personal year: the digits of birth day and month and of the year of
///    `date`, reduced; personal month: reduce(personal year + month of
///    `date`); personal day: reduce(personal month + day of `date`);
///  - challenges from m, d and y, the reduced month, day and year of birth:
///    |m - d|, |d - y|, the difference of those two, |m - y|. Challenge n
///    runs from the age of climax n - 1 (birth for the first) to the age of
///    climax n of the pyramid;
///  - karmic lessons: the digits 1..9 that no letter of the name has as its
///    value in the letter table, the letters normalised under `accents`.
/// Nothing for a date of birth that is not valid.
std::optional<Forecast> ComputeForecast(std::string_view displayName, const DateTimeValue &birth,
                                        const CivilDate &date, AccentRule accents = AccentRule::Ignore);

/// The digits 1..9 that no letter of the name, normalised under `accents`,
/// has as its value, ascending.
std::vector<int> KarmicLessons(std::string_view displayName, AccentRule accents = AccentRule::Ignore);

} // namespace quadrivium
