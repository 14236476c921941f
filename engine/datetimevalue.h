#pragma once

#include <cstdint>
#include <optional>

namespace quadrivium {

/// A calendar date without time.
struct CivilDate {
    int year = 0, month = 0, day = 0;
};

/// A date and time as a day count from 30 December 1899 00:00, the form the
/// databases store. The whole part is the day, the fraction the time of day.
/// Before the epoch the whole part still names the day while the fraction
/// counts the time forward from midnight: -1.25 is 29 December 1899, 06:00.
class DateTimeValue {
public:
    enum class Status { Valid, Invalid, Null };

    /// Valid value 0: 30 December 1899, 00:00 (also "no time of birth").
    DateTimeValue() = default;
    /// A valid value holding the given day count.
    explicit DateTimeValue(double days);

    static DateTimeValue null();
    static DateTimeValue invalid();
    /// From calendar fields (years 1..9999); an impossible combination gives
    /// an invalid value.
    static DateTimeValue fromFields(int year, int month, int day,
                                    int hour = 0, int minute = 0, int second = 0);
    /// A value on the epoch day holding only a time of day.
    static DateTimeValue fromTime(int hour, int minute, int second = 0);

    Status status() const { return m_status; }
    bool isValid() const { return m_status == Status::Valid; }
    /// The stored day count (0 unless valid).
    double days() const { return m_days; }

    /// Calendar fields; -1 when the value is not valid.
    int year() const;
    int month() const;
    int day() const;
    int hour() const;
    int minute() const;
    int second() const;
    /// Year, month and day at once; nothing when the value is not valid.
    std::optional<CivilDate> civilDate() const;

    /// The value on a continuous time line (days since the epoch, fraction
    /// included), so that differences give elapsed days.
    double serial() const;
    /// The date part alone (time 00:00); invalid stays invalid.
    DateTimeValue datePart() const;

    /// Elapsed days between two valid values.
    friend double operator-(const DateTimeValue &a, const DateTimeValue &b)
    {
        return a.serial() - b.serial();
    }
    /// Adds whole days, keeping the time of day.
    DateTimeValue addDays(int days) const;

    friend bool operator==(const DateTimeValue &a, const DateTimeValue &b)
    {
        return a.m_status == b.m_status && a.m_days == b.m_days;
    }

private:
    struct Fields {
        int year, month, day, hour, minute, second;
    };
    std::optional<Fields> split() const;

    double m_days = 0.0;
    Status m_status = Status::Valid;
};

/// Days since 1 January 1970 of a proleptic Gregorian date.
std::int64_t daysFromCivil(int year, int month, int day);
/// Number of days in the month (1..12) of the year, Gregorian rule.
int DaysInMonth(int year, int month);
bool isLeapYear(int year);

} // namespace quadrivium
