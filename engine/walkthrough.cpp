#include "walkthrough.h"

#include "namenumbers.h"
#include "pyramid.h"
#include "reduce.h"

#include <charconv>
#include <string>

namespace quadrivium {

namespace {

/// Appends text pieces and integers without going through printf.
class Line {
public:
    Line() { m_text.reserve(96); }
    Line &operator<<(const char *text)
    {
        m_text += text;
        return *this;
    }
    Line &operator<<(const std::string &text)
    {
        m_text += text;
        return *this;
    }
    Line &operator<<(char c)
    {
        m_text += c;
        return *this;
    }
    Line &operator<<(int value)
    {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        m_text.append(buffer, end);
        return *this;
    }
    /// At least `width` digits, zero-padded ("%02d", "%04d").
    Line &padded(int value, int width)
    {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        const auto length = end - buffer;
        if (value >= 0 && length < width)
            m_text.append(static_cast<std::size_t>(width - length), '0');
        m_text.append(buffer, end);
        return *this;
    }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

/// Appends "  =  a + b  =  sum" while the running result has two digits.
void continueReduction(Line &line, int value)
{
    while (value >= 10) {
        const int next = value / 10 + value % 10;
        line << "  =  " << value / 10 << " + " << value % 10 << "  =  " << next;
        value = next;
    }
}

/// "LETTERS =  d + d + d =  sum = a + b  =  step", reduced on to one digit.
/// A sum of three digits or more is split into all its digits.
std::string letterLine(const std::string &letters, const std::string &digits, int sum)
{
    Line line;
    line << letters << " = " << ' ';
    for (std::size_t i = 0; i < digits.size(); ++i)
        line << digits[i] << (i + 1 < digits.size() ? " + " : " = ");
    line << ' ' << sum << " = ";
    if (sum < 100) {
        line << sum / 10 << " + " << sum % 10;
    } else {
        const std::string sumDigits = std::to_string(sum);
        for (std::size_t i = 0; i < sumDigits.size(); ++i)
            line << (i > 0 ? " + " : "") << sumDigits[i];
    }
    int step = 0;
    for (int rest = sum; rest > 0; rest /= 10)
        step += rest % 10;
    line << "  =  " << step;
    continueReduction(line, step);
    return line.take();
}

} // namespace

std::optional<Walkthrough> BuildWalkthrough(std::string_view displayName,
                                            const DateTimeValue &birth, const LetterRules &rules)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    NameNumbers vowels, consonants;
    CalcNameNumber(NameMode::Vowels, displayName, vowels, rules);
    CalcNameNumber(NameMode::Consonants, displayName, consonants, rules);
    return BuildWalkthrough(*digits, vowels, consonants);
}

Walkthrough BuildWalkthrough(const BirthDigits &b, const NameNumbers &vowels,
                             const NameNumbers &consonants)
{
    Walkthrough w;
    Line date;
    date.padded(b.day(), 2) << '.';
    date.padded(b.month(), 2) << '.';
    date.padded(b.year(), 4);
    w.date = date.take();

    // The line ends at the Ruling Number, master numbers 11 and 22 kept.
    const int s = b.sum();
    Line ruling;
    ruling << b.dayTens << " + " << b.dayOnes << " + " << b.monthTens << " + " << b.monthOnes
           << " + " << b.yearThousands << " + " << b.yearHundreds << " + " << b.yearTens << " + "
           << b.yearOnes << "  =  " << s;
    if (s != 11 && s != 22) {
        const int r = s / 10 + s % 10;
        ruling << ' ' << "  =  " << s / 10 << " + " << s % 10 << "  =  " << ' ' << r;
        if (r != 11)
            continueReduction(ruling, r);
    }
    w.ruling = ruling.take();

    Line day;
    day.padded(b.day(), 2);
    w.day = day.take();
    w.fate = vowels.m_strVowels.empty()
        ? std::string("-")
        : letterLine(vowels.m_strVowels, vowels.m_strVowelDigits, vowels.m_nVowelSum);
    w.appearance = letterLine(consonants.m_strConsonants, consonants.m_strConsonantDigits,
                              consonants.m_nConsonantSum);

    const int fate = ReduceToDigit(vowels.m_nVowelSum);
    const int appearance = ReduceToDigit(consonants.m_nConsonantSum);
    const int total = fate + appearance;
    Line dominant;
    // Without a vowel there is no Number of Fate: it adds nothing.
    if (vowels.m_strVowels.empty())
        dominant << '-';
    else
        dominant << fate;
    dominant << " + " << appearance << " = ";
    int final = total;
    if (total >= 10) {
        final = total / 10 + total % 10;
        dominant << total << " = " << total / 10 << " + " << total % 10 << " = ";
    }
    dominant << ' ' << final;
    w.dominant = dominant.take();
    return w;
}

} // namespace quadrivium
