#include "corenumbers.h"

#include "reduce.h"

#include <ctime>

namespace quadrivium {

CivilDate SystemToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int DayNumber(const DateTimeValue &birth)
{
    return birth.day();
}

std::optional<int> PersonalYearFor(const DateTimeValue &birth, int targetYear)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    return PersonalYearFor(*digits, targetYear);
}

int PersonalYearFor(const BirthDigits &b, int targetYear)
{
    int n = b.dayTens + b.dayOnes + b.monthTens + b.monthOnes;
    for (int y = targetYear < 0 ? -targetYear : targetYear; y > 0; y /= 10)
        n += y % 10;
    return ReduceToDigit(n);
}

std::optional<int> CalcPersonalYear(const DateTimeValue &birth, int k, const Clock &today)
{
    return PersonalYearFor(birth, today().year + k);
}

CoreCalculation FillCoreNumbers(std::string_view displayName, const BirthDigits &digits,
                                const Clock &today, const LetterRules &rules)
{
    CoreCalculation c;
    c.pyramid = CalcPyramid(digits);
    CoreNumberSet &set = c.numbers;
    set.rulingNumber = c.pyramid.rulingNumber;
    set.dayNumber = digits.day();
    set.core.m_nFate = CalcNameNumber(NameMode::Vowels, displayName, c.vowels, rules);
    set.core.m_bNoFate = c.vowels.m_strVowels.empty();
    set.core.m_nAppearance = CalcNameNumber(NameMode::Consonants, displayName, c.consonants, rules);
    set.core.m_nDominant = AddAndReduce(set.core.m_nFate, set.core.m_nAppearance);
    set.core.m_nCurrentYear = today().year;
    set.core.m_nPersonalYear = PersonalYearFor(digits, set.core.m_nCurrentYear);
    set.core.m_nPersonalYearNext = PersonalYearFor(digits, set.core.m_nCurrentYear + 1);
    return c;
}

std::optional<CoreCalculation> FillCoreNumbers(std::string_view displayName,
                                               const DateTimeValue &birth, const Clock &today,
                                               const LetterRules &rules)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    return FillCoreNumbers(displayName, *digits, today, rules);
}

} // namespace quadrivium
