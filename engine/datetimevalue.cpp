#include "datetimevalue.h"

#include <cmath>

namespace quadrivium {

namespace {

constexpr std::int64_t kEpochFromUnix = -25569; // 1899-12-30 relative to 1970-01-01
constexpr int kSecondsPerDay = 86400;

CivilDate civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yy + (date.month <= 2 ? 1 : 0));
    return date;
}

constexpr double kMinDays = -657434.0;  // 1 January 100
constexpr double kMaxDays = 2958465.0;  // 31 December 9999

} // namespace

std::int64_t daysFromCivil(int year, int month, int day)
{
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned mp = static_cast<unsigned>(month > 2 ? month - 3 : month + 9);
    const unsigned doy = (153 * mp + 2) / 5 + static_cast<unsigned>(day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return isLeapYear(year) ? 29 : 28;
    default:
        return 31;
    }
}

DateTimeValue::DateTimeValue(double days)
    : m_days(days)
{
    if (!std::isfinite(days) || days < kMinDays - 1 || days > kMaxDays + 1) {
        m_days = 0.0;
        m_status = Status::Invalid;
    }
}

DateTimeValue DateTimeValue::null()
{
    DateTimeValue v;
    v.m_status = Status::Null;
    return v;
}

DateTimeValue DateTimeValue::invalid()
{
    DateTimeValue v;
    v.m_status = Status::Invalid;
    return v;
}

DateTimeValue DateTimeValue::fromFields(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1
        || day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0
        || minute > 59 || second < 0 || second > 59)
        return invalid();
    const double whole = static_cast<double>(daysFromCivil(year, month, day) - kEpochFromUnix);
    const double fraction = (hour * 3600 + minute * 60 + second) / double(kSecondsPerDay);
    DateTimeValue v;
    v.m_days = whole >= 0 ? whole + fraction : whole - fraction;
    return v;
}

DateTimeValue DateTimeValue::fromTime(int hour, int minute, int second)
{
    return fromFields(1899, 12, 30, hour, minute, second);
}

std::optional<DateTimeValue::Fields> DateTimeValue::split() const
{
    if (m_status != Status::Valid)
        return std::nullopt;
    double whole = std::trunc(m_days);
    double fraction = std::fabs(m_days - whole);
    long long seconds = std::llround(fraction * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        whole += 1.0;
    }
    const CivilDate date = civilFromDays(static_cast<std::int64_t>(whole) + kEpochFromUnix);
    return Fields{date.year, date.month, date.day, static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)};
}

int DateTimeValue::year() const { const auto f = split(); return f ? f->year : -1; }
int DateTimeValue::month() const { const auto f = split(); return f ? f->month : -1; }
int DateTimeValue::day() const { const auto f = split(); return f ? f->day : -1; }
int DateTimeValue::hour() const { const auto f = split(); return f ? f->hour : -1; }
int DateTimeValue::minute() const { const auto f = split(); return f ? f->minute : -1; }
int DateTimeValue::second() const { const auto f = split(); return f ? f->second : -1; }

std::optional<CivilDate> DateTimeValue::civilDate() const
{
    const auto f = split();
    if (!f)
        return std::nullopt;
    return CivilDate{f->year, f->month, f->day};
}

double DateTimeValue::serial() const
{
    const double whole = std::trunc(m_days);
    return whole + std::fabs(m_days - whole);
}

DateTimeValue DateTimeValue::datePart() const
{
    if (m_status != Status::Valid)
        return *this;
    return DateTimeValue(std::trunc(m_days));
}

DateTimeValue DateTimeValue::addDays(int days) const
{
    if (m_status != Status::Valid)
        return *this;
    const double whole = std::trunc(m_days) + days;
    const double fraction = std::fabs(m_days - std::trunc(m_days));
    return DateTimeValue(whole >= 0 ? whole + fraction : whole - fraction);
}

} // namespace quadrivium
