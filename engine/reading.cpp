#include "reading.h"

namespace quadrivium {

std::optional<Reading> ComputeReading(std::string_view displayName, const DateTimeValue &birth,
                                      const Clock &today, const DateTimeValue &day,
                                      const LetterRules &rules)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    Reading r;
    r.rules = rules;
    r.digits = *digits;
    CoreCalculation core = FillCoreNumbers(displayName, r.digits, today, rules);
    r.numbers = core.numbers;
    r.vowels = std::move(core.vowels);
    r.consonants = std::move(core.consonants);
    r.pyramid = core.pyramid;
    r.grid = ComputeChartGrid(r.digits);
    r.walkthrough = BuildWalkthrough(r.digits, r.vowels, r.consonants);
    if (day.isValid()) {
        for (Curve c : kCurves) {
            const auto i = static_cast<std::size_t>(c);
            r.curveValue[i] = CurveValue(birth, day, CurvePeriod(c));
            r.curveClass[i] = Classify(r.curveValue[i]);
        }
    }
    return r;
}

} // namespace quadrivium
