#include "pyramid.h"

#include "reduce.h"

namespace quadrivium {

int BirthDigits::sum() const
{
    return dayTens + dayOnes + monthTens + monthOnes + yearThousands + yearHundreds + yearTens
           + yearOnes;
}

std::optional<BirthDigits> FillBirthDigits(const DateTimeValue &birth)
{
    if (!birth.isValid())
        return std::nullopt;
    const auto date = birth.civilDate();
    if (!date || date->year < 0 || date->year > 9999)
        return std::nullopt;
    const int y = date->year, m = date->month, d = date->day;
    BirthDigits b;
    b.dayTens = d / 10;
    b.dayOnes = d - 10 * b.dayTens;
    b.monthTens = m / 10;
    b.monthOnes = m - 10 * b.monthTens;
    b.yearThousands = y / 1000;
    b.yearHundreds = (y - 1000 * b.yearThousands) / 100;
    b.yearTens = (y - 100 * (10 * b.yearThousands + b.yearHundreds)) / 10;
    b.yearOnes = y - 10 * (10 * (10 * b.yearThousands + b.yearHundreds) + b.yearTens);
    return b;
}

PyramidNumbers CalcPyramid(const BirthDigits &b)
{
    PyramidNumbers p;
    p.monthSum = b.monthTens + b.monthOnes;
    p.daySum = b.dayTens + b.dayOnes;
    p.yearSum = ReduceToDigit(b.yearThousands + b.yearHundreds + b.yearTens + b.yearOnes);
    p.climax[0] = ReduceToDigit(p.monthSum + p.daySum);
    p.climax[1] = ReduceToDigit(p.daySum + p.yearSum);
    p.climax[2] = ReduceToDigit(p.climax[0] + p.climax[1]);
    p.climax[3] = ReduceToDigit(p.monthSum + p.yearSum);
    p.rulingNumber = ReduceToRulingNumber(b.sum());
    p.birthYear = b.year();
    for (int n = 0; n < 4; ++n) {
        p.age[n] = 36 - p.rulingNumber + 9 * n;
        p.year[n] = p.age[n] + p.birthYear;
    }
    return p;
}

std::optional<PyramidNumbers> CalcPyramid(const DateTimeValue &birth)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    return CalcPyramid(*digits);
}

std::string PyramidNumbers::ageYearText(int n) const
{
    if (n < 0 || n > 3)
        return {};
    return std::to_string(age[n]) + " (" + std::to_string(year[n]) + ")";
}

} // namespace quadrivium
