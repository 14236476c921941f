#include "letterrules.h"

namespace quadrivium {

std::string_view AccentRuleName(AccentRule rule)
{
    return rule == AccentRule::Base ? "base" : "ignore";
}

std::string_view YRuleName(YRule rule)
{
    return rule == YRule::VowelIfNeeded ? "vowel-if-needed" : "consonant";
}

std::string LetterRulesText(const LetterRules &rules)
{
    std::string text = "accents=";
    text += AccentRuleName(rules.accents);
    text += ",y=";
    text += YRuleName(rules.y);
    return text;
}

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::optional<LetterRules> ParseLetterRules(std::string_view text, std::string *error)
{
    const auto fail = [&](std::string message) -> std::optional<LetterRules> {
        if (error)
            *error = std::move(message);
        return std::nullopt;
    };
    LetterRules rules;
    bool seenAccents = false, seenY = false;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view pair = trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            return fail("\"" + std::string(pair) + "\" is not of the form key=value");
        const std::string_view key = trimmed(pair.substr(0, equals));
        const std::string_view value = trimmed(pair.substr(equals + 1));
        if (key == "accents") {
            if (seenAccents)
                return fail("the rule \"accents\" is given twice");
            seenAccents = true;
            if (value == "ignore")
                rules.accents = AccentRule::Ignore;
            else if (value == "base")
                rules.accents = AccentRule::Base;
            else
                return fail("unknown value \"" + std::string(value) + "\" for accents (ignore or base)");
        } else if (key == "y") {
            if (seenY)
                return fail("the rule \"y\" is given twice");
            seenY = true;
            if (value == "consonant")
                rules.y = YRule::Consonant;
            else if (value == "vowel-if-needed")
                rules.y = YRule::VowelIfNeeded;
            else
                return fail("unknown value \"" + std::string(value) + "\" for y (consonant or vowel-if-needed)");
        } else {
            return fail("unknown rule \"" + std::string(key) + "\" (accents or y)");
        }
    }
    return rules;
}

} // namespace quadrivium
