#pragma once

#include "engine/datetimevalue.h"

#include <QChar>
#include <QLocale>
#include <QString>

namespace quadrivium {

// Date and time conventions of the locale.
//
// The order of day and month, the date separator, the time separator and the
// 12-hour clock of the entry fields are probed once from the locale (on the
// first query or the first CDateText) and kept until the locale is changed
// through SetDateLocale. Used from the user-interface thread only.

/// Makes the date texts follow `locale` instead of the user's locale and
/// forgets what was probed, so that the next query probes `locale`.
void SetDateLocale(const QLocale &locale);
/// Returns to the user's locale (QLocale()) and forgets what was probed.
void ResetDateLocale();
/// The locale the date texts follow.
QLocale DateLocale();

/// The character between the parts of a date ("." in de_DE, "/" in en_US).
QChar GetDateSeparator();
/// The character between hour and minute.
QChar GetTimeSeparator();
/// True when dates are written month, day, year. Locales that write the
/// year first count as month-first.
bool IsMonthFirst();
/// True when the locale's time format has an AM/PM designator: times are
/// typed and shown with a 12-hour clock (the time entry field then takes a
/// blank and a designator after the minute).
bool IsTwelveHourEntry();
/// The same answer, asked by the person dialog to offer its designator
/// field. Both come from one test so that a time shown on a 12-hour clock is
/// always read back with its designator.
bool IsTwelveHourClock();

/// A date-time value with its entry-field text forms.
class CDateText {
public:
    CDateText();
    explicit CDateText(const DateTimeValue &value);
    virtual ~CDateText();

    const DateTimeValue &GetValue() const { return m_value; }
    void SetValue(const DateTimeValue &value) { m_value = value; }

    /// "DD<sep>MM<sep>YYYY", or "MM<sep>DD<sep>YYYY" in a month-first locale:
    /// the text the date entry field shows. A value that is not valid gives
    /// "-1" parts ("-1.-1.-001").
    QString GetDateText() const;
    /// "HH<sep>MM", the text the time entry field shows. On a 12-hour clock
    /// hours above 12 are reduced by 12 (13:30 gives 01:30, 00:30 stays
    /// 00:30) and the designator is left out.
    QString GetTimeText() const;

private:
    DateTimeValue m_value;
};

/// The display text of a stored date or time, as lists, pages and reports
/// show it: a value with a date and no time of day as
/// "DD<sep>MM<sep>YYYY" (month first where the locale writes it so); any
/// other value as a time: "HH:MM:00" in a day-first locale, the locale's own
/// text with seconds in a month-first locale ("01:05:00 PM"). The value 0
/// (no time of birth) counts as a time. Null and invalid values give an
/// empty text.
QString FormatDateValue(const DateTimeValue &value);

/// Reads a typed date, time, or date and time in the conventions of the
/// locale: the date with the locale's order (a four-digit first part is read
/// year-month-day) and separator ("/", "." and "-" are taken as well), one or
/// two digits for day and month, two or four for the year (two digits mean
/// 1930..2029); the time as hour and minute with optional seconds, separated
/// by ":" or the locale's time separator, with an optional AM/PM designator.
/// Surrounding blanks are ignored. Text it cannot read and impossible dates
/// (31.02.1990) give the value 0 with status invalid.
DateTimeValue ParseDateTime(const QString &text);

} // namespace quadrivium
