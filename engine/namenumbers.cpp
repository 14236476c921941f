#include "namenumbers.h"

#include "reduce.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

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

/// The base letters (one or two) of a Latin-1 letter with a diacritic, as
/// counted under AccentRule::Base; empty for the umlauts, sharp s and the
/// letters without a base letter (Ð, Þ).
std::string_view latin1Base(unsigned char b)
{
    static constexpr std::string_view bases[64] = {
        "A", "A", "A", "A", "", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",   // C0..CF
        "", "N", "O", "O", "O", "O", "", "", "O", "U", "U", "U", "", "Y", "", "",          // D0..DF
        "A", "A", "A", "A", "", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",   // E0..EF
        "", "N", "O", "O", "O", "O", "", "", "O", "U", "U", "U", "", "Y", "", "Y",         // F0..FF
    };
    return b >= 0xC0 ? bases[b - 0xC0] : std::string_view();
}

/// Calls `emit` for each character of the normalised, upper-case name; a
/// blank is passed on as a blank, so that the parts of the name can be told
/// apart.
template<typename Emit>
void forEachNormalized(std::string_view name, AccentRule accents, Emit emit)
{
    for (char ch : name) {
        const auto b = static_cast<unsigned char>(ch);
        switch (b) {
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
            if (accents == AccentRule::Base && b >= 0xC0) {
                if (const std::string_view base = latin1Base(b); !base.empty()) {
                    for (char c : base)
                        emit(c);
                    break;
                }
            }
            emit((b >= 'a' && b <= 'z') ? static_cast<char>(b - 'a' + 'A') : ch);
        }
    }
}

bool isPartBreak(char c)
{
    return c == ' ' || c == '-';
}

} // namespace

std::string NormalizeName(std::string_view name, AccentRule accents)
{
    std::string out;
    out.reserve(name.size() + 4);
    forEachNormalized(name, accents, [&](char c) {
        if (c != ' ')
            out += c;
    });
    return out;
}

namespace {

/// Whether a Latin-1 code point is a letter that the table does not count.
bool isUncountedLatin1Letter(char32_t c)
{
    switch (c) {
    case 0xC4: case 0xD6: case 0xDC: case 0xDF: case 0xE4: case 0xF6: case 0xFC: // umlauts, sharp s
    case 0xD7: case 0xF7: // multiplication and division signs
        return false;
    case 0xAA: case 0xB5: case 0xBA: // ordinal indicators, micro sign
        return true;
    default:
        return c >= 0xC0 && c <= 0xFF;
    }
}

/// Decodes the UTF-8 sequence at `i`, advancing `i`; nothing for a byte that
/// does not start a well-formed sequence.
std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t &i)
{
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80)
        return b0;
    const int extra = b0 >= 0xF0 && b0 < 0xF5 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
    if (extra < 0 || i + std::size_t(extra) > s.size())
        return std::nullopt;
    char32_t c = b0 & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (b & 0x3F);
        ++i;
    }
    const char32_t lowest[] = {0, 0x80, 0x800, 0x10000};
    if (c < lowest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    return c;
}

} // namespace

std::string IgnoredLetters(std::string_view utf8Name, AccentRule accents)
{
    std::string letters;
    std::vector<char32_t> seen;
    for (std::size_t i = 0; i < utf8Name.size();) {
        const std::size_t start = i;
        const auto c = nextCodePoint(utf8Name, i);
        if (!c || *c < 0x80 || (*c <= 0xFF && !isUncountedLatin1Letter(*c)))
            continue;
        if (accents == AccentRule::Base && *c <= 0xFF && !latin1Base(static_cast<unsigned char>(*c)).empty())
            continue;
        if (std::find(seen.begin(), seen.end(), *c) != seen.end())
            continue;
        seen.push_back(*c);
        letters.append(utf8Name.substr(start, i - start));
    }
    return letters;
}

int CalcNameNumber(NameMode mode, std::string_view name, NameNumbers &record, const LetterRules &rules)
{
    // Under the Y rule, a Y is a vowel in the parts of the name (between
    // blanks and hyphens) that have no other vowel.
    std::vector<bool> partHasVowel;
    if (rules.y == YRule::VowelIfNeeded) {
        partHasVowel.push_back(false);
        forEachNormalized(name, rules.accents, [&](char c) {
            if (isPartBreak(c))
                partHasVowel.push_back(false);
            else if (c != '_' && kLetters[static_cast<unsigned char>(c)].vowel)
                partHasVowel.back() = true;
        });
    }
    std::size_t part = 0;
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
    forEachNormalized(name, rules.accents, [&](char c) {
        if (isPartBreak(c))
            ++part;
        const Letter &letter = kLetters[static_cast<unsigned char>(c)];
        if (letter.character == 0)
            return;
        const char digit = static_cast<char>('0' + letter.value);
        const bool yAsVowel = c == 'Y' && !partHasVowel.empty() && !partHasVowel[part];
        if (letter.vowel || yAsVowel) {
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
