#pragma once

#include "datetimevalue.h"

#include <optional>
#include <string>

namespace quadrivium {

/// The eight digits of a date of birth written DD MM YYYY.
struct BirthDigits {
    int dayTens = 0, dayOnes = 0, monthTens = 0, monthOnes = 0;
    int yearThousands = 0, yearHundreds = 0, yearTens = 0, yearOnes = 0;

    int sum() const;
    int day() const { return 10 * dayTens + dayOnes; }
    int month() const { return 10 * monthTens + monthOnes; }
    int year() const
    {
        return 1000 * yearThousands + 100 * yearHundreds + 10 * yearTens + yearOnes;
    }
};

/// The digits of a valid date of birth; nothing for a date that is not valid.
std::optional<BirthDigits> FillBirthDigits(const DateTimeValue &birth);

/// The pyramid of a date of birth, with the Ruling Number of the whole reading.
struct PyramidNumbers {
    int monthSum = 0, daySum = 0, yearSum = 0;
    int climax[4] = {};
    int rulingNumber = 0;
    int age[4] = {};
    int birthYear = 0;
    int year[4] = {};

    /// "%d (%d)" of age and calendar year of climax n (0..3).
    std::string ageYearText(int n) const;
};

std::optional<PyramidNumbers> CalcPyramid(const DateTimeValue &birth);
PyramidNumbers CalcPyramid(const BirthDigits &digits);

} // namespace quadrivium
