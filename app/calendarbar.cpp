#include "calendarbar.h"

#include "commandregistry.h"
#include "dateedit.h"

#include "output/errorfunnel.h"
#include "pages/biorhythmpage.h"
#include "pages/quadriviumdoc.h"
#include "store/datetext.h"

#include <QAction>
#include <QDate>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QHelpEvent>
#include <QToolButton>
#include <QToolTip>

namespace quadrivium {

namespace {

constexpr int kColumns = 7; // a week
constexpr int kButtonSize = 24;

DateTimeValue today()
{
    const QDate d = QDate::currentDate();
    return DateTimeValue::fromFields(d.year(), d.month(), d.day());
}

bool isChosen(const DateTimeValue &day)
{
    return day.isValid() && day.days() != 0.0;
}

/// The locale's short name of weekday column `w` (0 Sunday .. 6 Saturday).
QString weekdayName(int w)
{
    return QLocale().standaloneDayName(w == 0 ? 7 : w, QLocale::ShortFormat);
}

} // namespace

DateTimeValue SameDayInMonth(const DateTimeValue &day, int months)
{
    const int index = day.year() * 12 + (day.month() - 1) + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    return DateTimeValue::fromFields(year, month, qMin(day.day(), DaysInMonth(year, month)));
}

void CCalendarBar::AddCommands(CCommandRegistry &registry)
{
    for (int d = 1; d <= 31; ++d)
        registry.add(kCmdFirstDay + d - 1, QString::number(d), CCommandRegistry::Checkable);
    registry.add(kCmdSunday, weekdayName(0));
    for (int w = 1; w < kColumns; ++w)
        registry.add(kCmdMonday + w - 1, weekdayName(w));
    registry.add(kCmdBack, QStringLiteral("<"), CCommandRegistry::NoFlags, QKeySequence(),
                 ProgramIcon(QStringLiteral("go-previous")));
    registry.add(kCmdForward, QStringLiteral(">"), CCommandRegistry::NoFlags, QKeySequence(),
                 ProgramIcon(QStringLiteral("go-next")));
}

CCalendarBar::CCalendarBar(CQuadriviumDoc &document, CCommandRegistry &registry, QWidget *parent)
    : QDockWidget(QStringLiteral("Calendar"), parent)
    , m_document(document)
    , m_registry(registry)
{
    setObjectName(QStringLiteral("calendarBar"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                | QDockWidget::DockWidgetFloatable);
    AddCommands(registry);

    auto *body = new QWidget(this);
    // Cells wide enough for the locale's weekday names.
    for (int w = 0; w < kColumns; ++w)
        m_cellWidth = qMax(m_cellWidth, body->fontMetrics().horizontalAdvance(weekdayName(w)) + 10);
    m_grid = new QGridLayout(body);
    m_grid->setSpacing(1);
    m_grid->setContentsMargins(3, 3, 3, 3);
    m_grid->setSizeConstraint(QLayout::SetFixedSize);

    auto button = [this, body](int id) {
        auto *b = new QToolButton(body);
        b->setDefaultAction(m_registry.action(id));
        b->setFixedSize(m_cellWidth, kButtonSize);
        b->setAutoRaise(true);
        return b;
    };
    m_grid->addWidget(button(kCmdBack), 0, 0);
    m_dateField = new CDateEdit(body);
    m_dateField->setObjectName(QStringLiteral("dateField"));
    QFont f = m_dateField->font();
    f.setBold(true);
    m_dateField->setFont(f);
    m_dateField->setAlignment(Qt::AlignCenter);
    m_dateField->setFixedHeight(kButtonSize);
    m_grid->addWidget(m_dateField, 0, 1, 1, kColumns - 2);
    m_grid->addWidget(button(kCmdForward), 0, kColumns - 1);
    m_weekdayHeaders.push_back(button(kCmdSunday));
    for (int w = 1; w < kColumns; ++w)
        m_weekdayHeaders.push_back(button(kCmdMonday + w - 1));
    for (int w = 0; w < kColumns; ++w)
        m_grid->addWidget(m_weekdayHeaders[std::size_t(w)], 1, w);
    setWidget(body);
    for (int d = 1; d <= 31; ++d)
        m_days.append(kCmdFirstDay + d - 1);

    connect(m_dateField, &CDateEdit::dateEntered, this, [this] { DateEntered(); });
    // Every change of the chosen day, from here or from the biorhythm page,
    // shows its month.
    connect(&m_document, &CQuadriviumDoc::chosenDayChanged, this,
            [this] { RefillCalendar(m_document.chosenDay()); });
    RefillCalendar(today());
}

void CCalendarBar::RefillCalendar(const DateTimeValue &date)
{
    m_columns = kColumns; // a week again, whatever columns the bar started in
    fillMonth(date);
}

void CCalendarBar::fillMonth(const DateTimeValue &date)
{
    const DateTimeValue shown = isChosen(date) ? date : today();
    m_month = DateTimeValue::fromFields(shown.year(), shown.month(), 1);
    const QDate first(m_month.year(), m_month.month(), 1);
    const bool underWeekdays = m_columns == kColumns;
    m_blanks = underWeekdays ? first.dayOfWeek() % 7 : 0; // Sunday 0 .. Saturday 6
    for (QWidget *header : m_weekdayHeaders)
        header->setVisible(underWeekdays);
    const QList<int> dayIds = shownDays();

    // Later: the button whose click refills the calendar may still be
    // handling that click.
    for (QWidget *w : m_cells) {
        w->hide();
        w->deleteLater();
    }
    m_cells.clear();
    QWidget *body = widget();
    for (int i = 0; i < m_blanks + dayIds.size(); ++i) {
        const int row = 2 + i / m_columns;
        const int column = i % m_columns;
        if (i < m_blanks) {
            auto *blank = new QWidget(body);
            blank->setFixedSize(m_cellWidth, kButtonSize);
            m_grid->addWidget(blank, row, column);
            m_cells.push_back(blank);
            continue;
        }
        auto *b = new QToolButton(body);
        const int day = dayIds[i - m_blanks] - kCmdFirstDay + 1;
        b->setDefaultAction(m_registry.action(kCmdFirstDay + day - 1));
        b->setFixedSize(m_cellWidth, kButtonSize);
        b->setAutoRaise(true);
        b->setProperty("day", day);
        b->installEventFilter(this);
        m_grid->addWidget(b, row, column);
        m_cells.push_back(b);
    }
    m_dateField->setText(CDateText(shown).GetDateText());
    markChosenDay();
}

void CCalendarBar::SetLayout(int columns, const QList<int> &days)
{
    m_columns = qBound(1, columns, 31);
    m_days = days;
    fillMonth(isChosen(m_document.chosenDay()) ? m_document.chosenDay() : m_month);
}

QList<int> CCalendarBar::shownDays() const
{
    const int length = m_month.isValid() ? DaysInMonth(m_month.year(), m_month.month()) : 31;
    QList<int> ids;
    for (int id : m_days) {
        if (id >= kCmdFirstDay && id < kCmdFirstDay + length)
            ids.append(id);
    }
    return ids;
}

DateTimeValue CCalendarBar::base() const
{
    const DateTimeValue &chosen = m_document.chosenDay();
    return isChosen(chosen) ? chosen : m_month;
}

void CCalendarBar::setChosenDay(const DateTimeValue &day)
{
    m_document.setChosenDay(day);
}

void CCalendarBar::SelectDay(int day)
{
    const DateTimeValue from = base();
    const DateTimeValue to = DateTimeValue::fromFields(from.year(), from.month(), day);
    if (to.isValid())
        setChosenDay(to);
}

void CCalendarBar::Back()
{
    setChosenDay(SameDayInMonth(base(), -1));
}

void CCalendarBar::Forward()
{
    setChosenDay(SameDayInMonth(base(), 1));
}

bool CCalendarBar::DateEntered()
{
    // Only a date counts: a time alone, or text that is no date, would
    // leave the chosen day at 0 and every later day command astray.
    const DateTimeValue typed = ParseDateTime(m_dateField->text()).datePart();
    if (!isChosen(typed)) {
        ShowError(this, QStringLiteral("False Input"));
        return false;
    }
    setChosenDay(typed);
    return true;
}

QString CCalendarBar::dayTooltip(int day) const
{
    const DateTimeValue date = DateTimeValue::fromFields(m_month.year(), m_month.month(), day);
    const DateTimeValue birth = m_document.hasPerson() ? m_document.birthDate() : DateTimeValue::invalid();
    return DayTooltip(birth, date, {CurveShown(m_document, Curve::Physical), CurveShown(m_document, Curve::Emotional),
                                    CurveShown(m_document, Curve::Intellectual)});
}

bool CCalendarBar::eventFilter(QObject *watched, QEvent *event)
{
    const int day = watched->property("day").toInt();
    if (event->type() == QEvent::ToolTip && day > 0) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), dayTooltip(day),
                           qobject_cast<QWidget *>(watched));
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void CCalendarBar::markChosenDay()
{
    const DateTimeValue &chosen = m_document.chosenDay();
    const bool inMonth = isChosen(chosen) && chosen.year() == m_month.year() && chosen.month() == m_month.month();
    for (int d = 1; d <= 31; ++d)
        m_registry.action(kCmdFirstDay + d - 1)->setChecked(inMonth && chosen.day() == d);
}

} // namespace quadrivium
