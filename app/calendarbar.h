#pragma once

#include "engine/datetimevalue.h"

#include <QDockWidget>
#include <QList>

#include <vector>

class QGridLayout;
class QToolButton;

namespace quadrivium {

class CCommandRegistry;
class CDateEdit;
class CQuadriviumDoc;

/// The day `months` whole calendar months from `day`, its day of month held
/// to the length of the month reached (30 March, -1: 28 February).
DateTimeValue SameDayInMonth(const DateTimeValue &day, int months);

/// The calendar bar ("Calendar"): one month in seven columns under a row
/// with Back, the date field and Forward, and a row of weekday names from
/// Sunday. Its commands change the document's chosen day: a day button
/// (2780..2810) picks that day of the month shown, Back (2823) and Forward
/// (2822) move by a whole month length, and Enter in the date field takes
/// the typed date. The buttons are the registry's actions of those ids.
class CCalendarBar : public QDockWidget {
    Q_OBJECT
public:
    CCalendarBar(CQuadriviumDoc &document, CCommandRegistry &registry, QWidget *parent = nullptr);

    /// Makes the actions of the calendar's commands in `registry`.
    static void AddCommands(CCommandRegistry &registry);

    /// Rebuilds the bar for the month of `date` in seven columns and shows
    /// the date in the date field.
    void RefillCalendar(const DateTimeValue &date);
    /// The month the bar shows (first day).
    const DateTimeValue &shownMonth() const { return m_month; }
    CDateEdit *dateField() const { return m_dateField; }
    /// Number of blank cells before day 1 of the month shown.
    int blankCount() const { return m_blanks; }

    /// Lays the day buttons out in `columns` columns (1..31), taking the
    /// day commands of `days` in their order, until the next refill. With
    /// seven columns the days stand under their weekdays; any other count
    /// lists them in rows.
    void SetLayout(int columns, const QList<int> &days);
    int columns() const { return m_columns; }
    /// The day buttons of the month shown, in their cells' order.
    QList<int> shownDays() const;

    /// Day selection: the chosen day becomes day `day` of its month.
    void SelectDay(int day);
    /// Back: the chosen day moves to the same day of the previous month,
    /// held to that month's last day (30 March -> 28 February).
    void Back();
    /// Forward: the same day of the next month, held to its last day.
    void Forward();
    /// Takes the date field's text as the chosen day; text that is not a
    /// date shows "False Input" and changes nothing. False then.
    bool DateEntered();
    /// Tooltip of day `day` of the month shown: its full date and the
    /// current person's curves that cross zero on it.
    QString dayTooltip(int day) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The day the commands start from: the chosen day, or the first of
    /// the month shown while no day has been chosen.
    DateTimeValue base() const;
    void fillMonth(const DateTimeValue &date);
    void setChosenDay(const DateTimeValue &day);
    void markChosenDay();

    CQuadriviumDoc &m_document;
    CCommandRegistry &m_registry;
    QGridLayout *m_grid = nullptr;
    CDateEdit *m_dateField = nullptr;
    std::vector<QWidget *> m_cells; ///< weekday headers, blanks and days of the month shown
    DateTimeValue m_month;
    int m_blanks = 0;
    int m_cellWidth = 24;
    int m_columns = 7;
    QList<int> m_days; ///< day commands in their order; all 31 unless customised
    std::vector<QWidget *> m_weekdayHeaders;
};

} // namespace quadrivium
