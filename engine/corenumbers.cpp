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
    if (!birth.isValid() || targetYear < 0)
        return std::nullopt;
    const int d = birth.day(), m = birth.month();
    int n = d / 10 + d % 10 + m / 10 + m % 10;
    for (int y = targetYear; y > 0; y /= 10)
        n += y % 10;
    return ReduceToDigit(n);
}

std::optional<int> CalcPersonalYear(const DateTimeValue &birth, int k, const Clock &today)
{
    return PersonalYearFor(birth, today().year + k);
}

std::optional<CoreNumberSet> FillCoreNumbers(std::string_view displayName,
                                             const DateTimeValue &birth, const Clock &today,
                                             NameNumbers &names, PyramidNumbers &pyramid)
{
    const auto computed = CalcPyramid(birth);
    if (!computed)
        return std::nullopt;
    pyramid = *computed;
    CoreNumberSet set;
    set.rulingNumber = pyramid.rulingNumber;
    set.dayNumber = DayNumber(birth);
    set.core.m_nFate = CalcNameNumber(VowelsMode, displayName, names);
    set.core.m_nAppearance = CalcNameNumber(ConsonantsMode, displayName, names);
    set.core.m_nDominant = AddAndReduce(set.core.m_nFate, set.core.m_nAppearance);
    set.core.currentYear = today().year;
    set.core.m_nPersonalYear = *PersonalYearFor(birth, set.core.currentYear);
    set.core.m_nPersonalYearNext = *PersonalYearFor(birth, set.core.currentYear + 1);
    return set;
}

} // namespace quadrivium
