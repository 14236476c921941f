#include "biorhythm.h"

#include <cmath>

namespace quadrivium {

int CurvePeriod(Curve curve)
{
    switch (curve) {
    case Curve::Physical:
        return 23;
    case Curve::Emotional:
        return 28;
    case Curve::Intellectual:
        return 33;
    }
    return 23;
}

double CurveValue(const DateTimeValue &birth, const DateTimeValue &date, int period)
{
    const double t = date - birth;
    return std::sin((t * (kCurveTurn / (10.0 * period))) * 10.0);
}

int Classify(double value)
{
    if (value > 0.66)
        return 1;
    if (value < -0.66)
        return 3;
    return 2;
}

int Classify(const DateTimeValue &birth, const DateTimeValue &date, int period)
{
    return Classify(CurveValue(birth, date, period));
}

bool IsCriticalDay(const DateTimeValue &birth, const DateTimeValue &day, int period)
{
    const DateTimeValue start = day.datePart();
    const double now = CurveValue(birth, start, period);
    const double next = CurveValue(birth, start.addDays(1), period);
    return now == 0.0 || (now < 0.0 && next > 0.0) || (now > 0.0 && next < 0.0);
}

} // namespace quadrivium
