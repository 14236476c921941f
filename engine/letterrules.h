#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quadrivium {

/// How letters outside A..Z, the umlauts and sharp s are treated.
enum class AccentRule {
    Ignore, ///< not counted (and named as not counted)
    Base,   ///< counted as their base letter: é as E, ñ as N, æ as AE, ø as O
};

/// When Y is a vowel.
enum class YRule {
    Consonant,     ///< always a consonant
    VowelIfNeeded, ///< a vowel in a part of the name that has no other vowel
};

/// The counting rules a reading is made with. The defaults are the classic
/// rules, under which every earlier result stays as it was.
struct LetterRules {
    AccentRule accents = AccentRule::Ignore;
    YRule y = YRule::Consonant;

    bool isDefault() const { return *this == LetterRules{}; }
    friend bool operator==(const LetterRules &, const LetterRules &) = default;
};

/// "ignore" or "base".
std::string_view AccentRuleName(AccentRule rule);
/// "consonant" or "vowel-if-needed".
std::string_view YRuleName(YRule rule);

/// The rules in the command-line form "accents=ignore,y=consonant".
std::string LetterRulesText(const LetterRules &rules);
/// Reads "key=value" pairs separated by commas (keys "accents" and "y");
/// keys not given keep their default. Nothing, with `error` set, for an
/// unknown key, an unknown value, a pair without "=" or a key given twice.
std::optional<LetterRules> ParseLetterRules(std::string_view text, std::string *error = nullptr);

} // namespace quadrivium
