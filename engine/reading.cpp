#include "reading.h"

namespace quadrivium {

std::optional<Reading> ComputeReading(std::string_view displayName, const DateTimeValue &birth,
                                      const Clock &today, const DateTimeValue &day)
{
    Reading r;
    NameNumbers names;
    const auto numbers = FillCoreNumbers(displayName, birth, today, names, r.pyramid);
    if (!numbers)
        return std::nullopt;
    r.numbers = *numbers;
    CalcNameNumber(VowelsMode, displayName, r.vowels);
    CalcNameNumber(ConsonantsMode, displayName, r.consonants);
    r.digits = *FillBirthDigits(birth);
    r.grid = *ComputeChartGrid(birth);
    r.walkthrough = *BuildWalkthrough(displayName, birth);
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
