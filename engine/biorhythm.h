#pragma once

#include "datetimevalue.h"

#include <array>

namespace quadrivium {

/// The three curves in their fixed order.
enum class Curve { Physical = 0, Emotional = 1, Intellectual = 2 };

/// Period in days of each curve: 23, 28, 33.
int CurvePeriod(Curve curve);
constexpr std::array<Curve, 3> kCurves{Curve::Physical, Curve::Emotional, Curve::Intellectual};

/// The full turn used by every curve computation.
constexpr double kCurveTurn = 6.283134;

/// sin(turn * t / p) with t = date - birth in days, evaluated as
/// sin((t * (turn / (10 p))) * 10).
double CurveValue(const DateTimeValue &birth, const DateTimeValue &date, int period);

/// 1 high (value > 0.66), 2 middle, 3 low (value < -0.66).
int Classify(double value);
int Classify(const DateTimeValue &birth, const DateTimeValue &date, int period);

/// Whether a curve crosses zero on `day`: its values at the day's 00:00 and
/// at the next day's 00:00 have different signs, or the first is exactly 0.
bool IsCriticalDay(const DateTimeValue &birth, const DateTimeValue &day, int period);

} // namespace quadrivium
