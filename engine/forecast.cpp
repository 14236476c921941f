#include "forecast.h"

#include "corenumbers.h"
#include "namenumbers.h"
#include "pyramid.h"
#include "reduce.h"

#include <cstdlib>

namespace quadrivium {

std::vector<int> KarmicLessons(std::string_view displayName, AccentRule accents)
{
    bool present[10] = {};
    for (const char c : NormalizeName(displayName, accents)) {
        if (const Letter *letter = FindLetter(c))
            present[letter->value] = true;
    }
    std::vector<int> lessons;
    for (int digit = 1; digit <= 9; ++digit) {
        if (!present[digit])
            lessons.push_back(digit);
    }
    return lessons;
}

std::optional<Forecast> ComputeForecast(std::string_view displayName, const DateTimeValue &birth,
                                        const CivilDate &date, AccentRule accents)
{
    const auto digits = FillBirthDigits(birth);
    const auto pyramid = CalcPyramid(birth);
    if (!digits || !pyramid)
        return std::nullopt;
    Forecast f;
    f.date = date;
    f.personalYear = PersonalYearFor(*digits, date.year);
    for (int month = 1; month <= 12; ++month)
        f.months[std::size_t(month - 1)] = ReduceToDigit(f.personalYear + month);
    f.personalMonth = ReduceToDigit(f.personalYear + date.month);
    f.personalDay = ReduceToDigit(f.personalMonth + date.day);

    const int m = ReduceToDigit(digits->month());
    const int d = ReduceToDigit(digits->day());
    const int y = ReduceToDigit(digits->year());
    const int first = std::abs(m - d);
    const int second = std::abs(d - y);
    const int numbers[4] = {first, second, std::abs(first - second), std::abs(m - y)};
    for (std::size_t i = 0; i < 4; ++i) {
        f.challenges[i].number = numbers[i];
        f.challenges[i].fromAge = i == 0 ? 0 : pyramid->age[i - 1];
        f.challenges[i].toAge = pyramid->age[i];
    }
    f.karmicLessons = KarmicLessons(displayName, accents);
    return f;
}

} // namespace quadrivium
