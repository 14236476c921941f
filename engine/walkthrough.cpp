#include "walkthrough.h"

#include "namenumbers.h"
#include "pyramid.h"

#include <cstdio>

namespace quadrivium {

namespace {

template<typename... Args>
std::string format(const char *fmt, Args... args)
{
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, args...);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), fmt, args...);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

/// Appends "  =  a + b  =  sum" while the running result has two digits.
void continueReduction(std::string &line, int value)
{
    while (value >= 10) {
        const int next = value / 10 + value % 10;
        line += format("  =  %d + %d  =  %d", value / 10, value % 10, next);
        value = next;
    }
}

std::string letterLine(const std::string &letters, const std::string &digits, int sum)
{
    std::string chain;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        chain += digits[i];
        chain += i + 1 < digits.size() ? " + " : " = ";
    }
    const int step = sum / 10 + sum % 10;
    std::string line = letters + " = " + " " + chain + " " + std::to_string(sum) + " = "
                       + format("%d + %d  =  %d", sum / 10, sum % 10, step);
    continueReduction(line, step);
    return line;
}

} // namespace

std::optional<Walkthrough> BuildWalkthrough(std::string_view displayName,
                                            const DateTimeValue &birth)
{
    const auto b = FillBirthDigits(birth);
    if (!b)
        return std::nullopt;
    const int d = birth.day(), m = birth.month(), y = birth.year();
    Walkthrough w;
    w.date = format("%02d.%02d.%04d", d, m, y);

    const int s = b->sum();
    const int r = s / 10 + s % 10;
    const std::string step = format("  =  %d + %d  =  ", s / 10, s % 10);
    w.ruling = format("%d + %d + %d + %d + %d + %d + %d + %d  =  %d %s %d", b->dayTens,
                      b->dayOnes, b->monthTens, b->monthOnes, b->yearThousands,
                      b->yearHundreds, b->yearTens, b->yearOnes, s, step.c_str(), r);
    continueReduction(w.ruling, r);

    w.day = format("%02d", d);

    NameNumbers names;
    const int fate = CalcNameNumber(VowelsMode, displayName, names);
    w.fate = letterLine(names.m_strVowels, names.m_strVowelDigits, names.m_nVowelSum);
    const int appearance = CalcNameNumber(ConsonantsMode, displayName, names);
    w.appearance = letterLine(names.m_strConsonants, names.m_strConsonantDigits,
                              names.m_nConsonantSum);

    const int total = fate + appearance;
    std::string steps;
    int final = total;
    if (total >= 10) {
        steps = format("%d = %d + %d = ", total, total / 10, total % 10);
        final = total / 10 + total % 10;
    }
    w.dominant = format("%d + %d = %s %d", fate, appearance, steps.c_str(), final);
    return w;
}

} // namespace quadrivium
