#pragma once

#include "letterrules.h"

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

/// Which letters a name number counts.
enum class NameMode {
    Vowels = 0,     ///< Number of Fate
    Consonants = 1, ///< Number of Appearance
    AllLetters = 2, ///< Dominant Name Number
};

/// Upper-cases a Windows-1252 name, drops blanks and spells the umlauts and
/// sharp s out ("Käthe Groß" -> "KAETHEGROS"); under AccentRule::Base the
/// other Latin-1 letters with a diacritic become their base letters
/// ("Lefèvre" -> "LEFEVRE", "Æ" -> "AE", "Ø" -> "O").
std::string NormalizeName(std::string_view name, AccentRule accents = AccentRule::Ignore);

/// The letters of a UTF-8 name that the letter table does not count, each
/// once, in name order: the Latin-1 letters other than A..Z, the umlauts and
/// sharp s (é, ñ, Ø ...), and every character beyond Latin-1 (callers pass
/// only letters there). Blanks, digits, hyphens, apostrophes and the other
/// signs of Latin-1 are not letters and are not named. Bytes that are not
/// UTF-8 are skipped. Under AccentRule::Base the Latin-1 letters that
/// count as their base letter are not named.
std::string IgnoredLetters(std::string_view utf8Name, AccentRule accents = AccentRule::Ignore);

/// Name number of a Windows-1252 display name, reduced to one digit, under
/// `rules`: the letters normalised as NormalizeName does with the accent
/// rule; with YRule::VowelIfNeeded a Y counts as a vowel in each part of
/// the name (parts are separated by blanks and hyphens) that has no other
/// vowel. Rebuilds the four strings of the record; writes the vowel sum for
/// Vowels and AllLetters and the consonant sum for Consonants and AllLetters.
int CalcNameNumber(NameMode mode, std::string_view name, NameNumbers &record,
                   const LetterRules &rules = {});

} // namespace quadrivium
