#pragma once

#include <string>
#include <string_view>

namespace quadrivium {

/// One entry of the letter table: an upper-case letter, its class and value.
struct Letter {
    char character;
    bool vowel;
    int value;
};

/// The fixed letter table: A..Z and the underscore (a vowel of value 0).
const Letter *FindLetter(char c);

/// What one CalcNameNumber call leaves behind for the walkthrough.
struct NameNumbers {
    std::string m_strVowelDigits;
    std::string m_strVowels;
    std::string m_strConsonantDigits;
    std::string m_strConsonants;
    int m_nVowelSum = 0;
    int m_nConsonantSum = 0;
};

enum NameMode { VowelsMode = 0, ConsonantsMode = 1, AllLettersMode = 2 };

/// Upper-cases a Windows-1252 name, drops blanks and spells the umlauts and
/// sharp s out ("Käthe Groß" -> "KAETHEGROS").
std::string NormalizeName(std::string_view name);

/// Name number of a Windows-1252 display name: mode 0 vowels (Fate),
/// 1 consonants (Appearance), 2 all letters (Dominant). Rebuilds the four
/// strings of the record; writes the vowel sum in modes 0 and 2 and the
/// consonant sum in modes 1 and 2. Any other mode returns 0.
int CalcNameNumber(int mode, std::string_view name, NameNumbers &record);

} // namespace quadrivium
