#include "namenumbers.h"

#include "reduce.h"

#include <array>

namespace quadrivium {

namespace {

struct LetterTable {
    std::array<Letter, 256> byByte{};
    std::array<bool, 256> present{};
    LetterTable()
    {
        for (int k = 0; k < 26; ++k) {
            const char c = static_cast<char>('A' + k);
            const bool vowel = c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
            add(c, vowel, k % 9 + 1);
        }
        add('_', true, 0);
    }
    void add(char c, bool vowel, int value)
    {
        const auto i = static_cast<unsigned char>(c);
        byByte[i] = Letter{c, vowel, value};
        present[i] = true;
    }
};

const LetterTable &table()
{
    static const LetterTable t;
    return t;
}

int digitSum(const std::string &digits)
{
    int sum = 0;
    for (char c : digits)
        sum += c - '0';
    return sum;
}

} // namespace

const Letter *FindLetter(char c)
{
    const auto i = static_cast<unsigned char>(c);
    return table().present[i] ? &table().byByte[i] : nullptr;
}

std::string NormalizeName(std::string_view name)
{
    std::string out;
    out.reserve(name.size() + 4);
    for (char ch : name) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
        case 0x20:
            break;
        case 0xE4: case 0xC4:
            out += "AE";
            break;
        case 0xF6: case 0xD6:
            out += "EO";
            break;
        case 0xFC: case 0xDC:
            out += "EU";
            break;
        case 0xDF:
            out += 'S';
            break;
        default:
            out += (b >= 'a' && b <= 'z') ? static_cast<char>(b - 'a' + 'A') : ch;
        }
    }
    return out;
}

int CalcNameNumber(int mode, std::string_view name, NameNumbers &record)
{
    record.m_strVowelDigits.clear();
    record.m_strVowels.clear();
    record.m_strConsonantDigits.clear();
    record.m_strConsonants.clear();
    for (char c : NormalizeName(name)) {
        const Letter *letter = FindLetter(c);
        if (!letter)
            continue;
        const char digit = static_cast<char>('0' + letter->value);
        if (letter->vowel) {
            record.m_strVowelDigits += digit;
            record.m_strVowels += c;
        } else {
            record.m_strConsonantDigits += digit;
            record.m_strConsonants += c;
        }
    }
    const int vowels = digitSum(record.m_strVowelDigits);
    const int consonants = digitSum(record.m_strConsonantDigits);
    switch (mode) {
    case VowelsMode:
        record.m_nVowelSum = vowels;
        return ReduceToDigit(vowels);
    case ConsonantsMode:
        record.m_nConsonantSum = consonants;
        return ReduceToDigit(consonants);
    case AllLettersMode:
        record.m_nVowelSum = vowels;
        record.m_nConsonantSum = consonants;
        return ReduceToDigit(vowels + consonants);
    default:
        return 0;
    }
}

} // namespace quadrivium
