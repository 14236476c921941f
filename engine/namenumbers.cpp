#include "namenumbers.h"

#include "reduce.h"

#include <array>

namespace quadrivium {

namespace {

// Letter k of the alphabet (A = 1) has the value ((k - 1) mod 9) + 1; the
// underscore is a vowel of value 0.
constexpr std::array<Letter, 256> makeLetterTable()
{
    std::array<Letter, 256> t{};
    for (int k = 0; k < 26; ++k) {
        const char c = static_cast<char>('A' + k);
        const bool vowel = c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
        t[static_cast<unsigned char>(c)] = Letter{c, vowel, k % 9 + 1};
    }
    t['_'] = Letter{'_', true, 0};
    return t;
}

constexpr std::array<Letter, 256> kLetters = makeLetterTable();

} // namespace

const Letter *FindLetter(char c)
{
    const Letter &letter = kLetters[static_cast<unsigned char>(c)];
    return letter.character != 0 ? &letter : nullptr;
}

namespace {

/// Calls `emit` for each character of the normalised, upper-case name.
template<typename Emit>
void forEachNormalized(std::string_view name, Emit emit)
{
    for (char ch : name) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
        case 0x20:
            break;
        case 0xE4: case 0xC4:
            emit('A');
            emit('E');
            break;
        case 0xF6: case 0xD6:
            emit('E');
            emit('O');
            break;
        case 0xFC: case 0xDC:
            emit('E');
            emit('U');
            break;
        case 0xDF:
            emit('S');
            break;
        default:
            emit((b >= 'a' && b <= 'z') ? static_cast<char>(b - 'a' + 'A') : ch);
        }
    }
}

} // namespace

std::string NormalizeName(std::string_view name)
{
    std::string out;
    out.reserve(name.size() + 4);
    forEachNormalized(name, [&](char c) { out += c; });
    return out;
}

int CalcNameNumber(NameMode mode, std::string_view name, NameNumbers &record)
{
    // Every byte yields at most two letters: size the strings once, fill
    // them through pointers and cut them to length at the end.
    const std::size_t room = 2 * name.size();
    std::string &vowelDigits = record.m_strVowelDigits;
    std::string &vowelLetters = record.m_strVowels;
    std::string &consonantDigits = record.m_strConsonantDigits;
    std::string &consonantLetters = record.m_strConsonants;
    for (std::string *s : {&vowelDigits, &vowelLetters, &consonantDigits, &consonantLetters})
        s->resize(room);
    std::size_t nVowels = 0, nConsonants = 0;
    int vowels = 0, consonants = 0;
    forEachNormalized(name, [&](char c) {
        const Letter &letter = kLetters[static_cast<unsigned char>(c)];
        if (letter.character == 0)
            return;
        const char digit = static_cast<char>('0' + letter.value);
        if (letter.vowel) {
            vowelDigits[nVowels] = digit;
            vowelLetters[nVowels++] = c;
            vowels += letter.value;
        } else {
            consonantDigits[nConsonants] = digit;
            consonantLetters[nConsonants++] = c;
            consonants += letter.value;
        }
    });
    vowelDigits.resize(nVowels);
    vowelLetters.resize(nVowels);
    consonantDigits.resize(nConsonants);
    consonantLetters.resize(nConsonants);
    switch (mode) {
    case NameMode::Vowels:
        record.m_nVowelSum = vowels;
        return ReduceToDigit(vowels);
    case NameMode::Consonants:
        record.m_nConsonantSum = consonants;
        return ReduceToDigit(consonants);
    case NameMode::AllLetters:
        break;
    }
    record.m_nVowelSum = vowels;
    record.m_nConsonantSum = consonants;
    return ReduceToDigit(vowels + consonants);
}

} // namespace quadrivium
