#pragma once

#include <QChar>
#include <QString>

namespace quadrivium {

// Typing rules of the masked date and time entry fields.
//
// The fields work in overwrite mode: each accepted character goes through
// InsertDateChar or InsertTimeChar with the field's text and the caret
// position, which change the text and return the new caret position. The
// rules insert separators themselves and keep each part in range while the
// user types: a day at most 31, a month at most 12, a year within
// 1600..2100, an hour at most 23 (12 on a 12-hour clock), a minute at most
// 59. Whether the day fits the month is left to ParseDateTime.

/// The locale conventions a date field types in.
struct DateEntryLocale {
    bool monthFirst = true;
    QChar separator = u'/';
    /// The probed conventions of the date locale (see datetext.h).
    static DateEntryLocale current();
};

/// The locale conventions a time field types in.
struct TimeEntryLocale {
    bool twelveHour = false;
    QChar separator = u':';
    /// The probed conventions of the date locale (see datetext.h).
    static TimeEntryLocale current();
};

/// Lowest and highest year a date field lets the user type.
inline constexpr char16_t kLowestYear[] = u"1600";
inline constexpr char16_t kHighestYear[] = u"2100";

/// Replaces the character at `position`, or appends `ch` when `position` is
/// at or beyond the end of the text.
void SetCharAt(QString &text, int position, QChar ch);

/// Characters a date field takes: digits and the date separator.
bool IsDateEntryChar(QChar ch, const DateEntryLocale &locale = DateEntryLocale::current());
/// Characters a time field takes: digits, the time separator and the letters
/// A, M and P in either case.
bool IsTimeEntryChar(QChar ch, const TimeEntryLocale &locale = TimeEntryLocale::current());

/// Types `ch` at `position` of a date field's text ("DD.MM.YYYY" or
/// "MM/DD/YYYY") and returns the new caret position. Characters that do not
/// fit where they are typed leave text and position unchanged.
int InsertDateChar(QString &text, QChar ch, int position,
                   const DateEntryLocale &locale = DateEntryLocale::current());

/// Types `ch` at `position` of a time field's text ("HH:MM", on a 12-hour
/// clock "HH:MM AM") and returns the new caret position. Characters that do
/// not fit where they are typed leave text and position unchanged.
int InsertTimeChar(QString &text, QChar ch, int position,
                   const TimeEntryLocale &locale = TimeEntryLocale::current());

/// Whether a date field's text holds a whole date (ten characters).
bool IsComplete(const QString &dateText);

} // namespace quadrivium
