#include "reading.h"

namespace quadrivium {

std::optional<Reading> ComputeReading(std::string_view displayName, const DateTimeValue &birth,
                                      const Clock &today, const DateTimeValue &day)
{
    const auto digits = FillBirthDigits(birth);
    if (!digits)
        return std::nullopt;
    Reading r;
    r.digits = *digits;
    r.numbers = FillCoreNumbers(displayName, r.digits, today, r.vowels, r.consonants, r.pyramid);
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
