#include "entryrules.h"

#include "datetext.h"

namespace quadrivium {

namespace {

// Date field positions: 0-1 first part, 2 separator, 3-4 second part,
// 5 separator, 6-9 year.
constexpr int kFirstSeparator = 2;
constexpr int kSecondSeparator = 5;
constexpr int kYear = 6;
constexpr int kDateLength = 10;

// Time field positions: 0-1 hour, 2 separator, 3-4 minute, 5 blank,
// 6 designator letter, 7 "M".
constexpr int kTimeSeparator = 2;
constexpr int kDesignatorBlank = 5;
constexpr int kTimeLength = 8;

QChar charAt(const QString &text, int position)
{
    return position >= 0 && position < text.size() ? text[position] : QChar();
}

bool isDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

QChar lowest(int i)
{
    return QChar(kLowestYear[i]);
}

QChar highest(int i)
{
    return QChar(kHighestYear[i]);
}

class DateTyping {
public:
    DateTyping(QString &text, const DateEntryLocale &locale)
        : m_text(text), m_monthFirst(locale.monthFirst), m_separator(locale.separator)
    {
    }

    int push(QChar ch, int position);

private:
    QChar at(int position) const { return charAt(m_text, position); }
    void put(int position, QChar ch) { SetCharAt(m_text, position, ch); }
    // The digit ch moves on to the next part after the current one was held
    // at its maximum `held`.
    int carry(QChar held, int position, QChar ch)
    {
        push(held, position);
        const int next = push(m_separator, position + 1);
        return push(ch, next);
    }
    int yearDigit1(QChar ch);
    int yearDigit2(QChar ch);
    int yearDigit3(QChar ch);
    int yearDigit4(QChar ch);
    bool yearStarts(const char16_t *digits) const;

    QString &m_text;
    bool m_monthFirst;
    QChar m_separator;
};

bool DateTyping::yearStarts(const char16_t *digits) const
{
    for (int i = 0; digits[i]; ++i) {
        if (at(kYear + i) != QChar(digits[i]))
            return false;
    }
    return true;
}

int DateTyping::push(QChar ch, int position)
{
    if (position >= kDateLength || position < 0)
        return position;
    if (ch == m_separator && position != kFirstSeparator && position != kSecondSeparator)
        return position;
    if (ch != m_separator && !isDigit(ch))
        return position;

    switch (position) {
    case 0: {
        // First part: a day up to 31, or a month up to 12.
        const QChar maxTens = m_monthFirst ? u'1' : u'3';
        const QChar maxOnes = m_monthFirst ? u'2' : u'1';
        if (ch > maxTens) {
            push(u'0', 0);
            return push(ch, 1);
        }
        if (ch == maxTens && isDigit(at(1)) && at(1) > maxOnes)
            put(1, maxOnes);
        put(0, ch);
        return 1;
    }
    case 1: {
        const QChar maxTens = m_monthFirst ? u'1' : u'3';
        const QChar maxOnes = m_monthFirst ? u'2' : u'1';
        if (at(0) == maxTens && ch > maxOnes)
            return carry(maxOnes, 1, ch);
        if (!m_monthFirst && at(0) == u'0' && ch == u'0')
            ch = u'1';
        put(1, ch);
        return push(m_separator, kFirstSeparator);
    }
    case kFirstSeparator:
    case kSecondSeparator:
        put(position, m_separator);
        if (ch != m_separator)
            return push(ch, position + 1);
        return position + 1;
    case 3:
        // Second part: a month up to 12, or a day up to 31.
        if (m_monthFirst) {
            if (ch < u'4') {
                if (ch == u'3' && isDigit(at(4)) && at(4) > u'1')
                    put(4, u'1');
                put(3, ch);
                return 4;
            }
        } else if (ch < u'2') {
            put(3, ch);
            return 4;
        }
        push(u'0', 3);
        return push(ch, 4);
    case 4:
        if (m_monthFirst) {
            if (at(3) == u'3' && ch > u'1')
                return carry(u'1', 4, ch);
        } else if (at(3) == u'0') {
            if (ch == u'0')
                ch = u'1';
        } else if (ch > u'2') {
            return carry(u'2', 4, ch);
        }
        put(4, ch);
        return push(m_separator, kSecondSeparator);
    case 6:
        return yearDigit1(ch);
    case 7:
        return yearDigit2(ch);
    case 8:
        return yearDigit3(ch);
    case 9:
        return yearDigit4(ch);
    }
    return position;
}

int DateTyping::yearDigit1(QChar ch)
{
    if (ch > highest(0) || ch == u'0') {
        // No year begins so: the lowest year's century, then the digit.
        push(lowest(0), 6);
        push(lowest(1), 7);
        return push(ch, 8);
    }
    if (m_text.size() < 8) {
        put(6, ch);
        return 7;
    }
    // Overwriting the first digit of a year: jump to the start of the
    // chosen century so that the year stays in range.
    if (m_text.size() == 8)
        return 7;
    const bool to2000 = ch == highest(0);
    if (to2000 || at(6) == highest(0)) {
        put(6, ch);
        put(7, to2000 ? u'0' : lowest(1));
        for (int i = 8; i < m_text.size(); ++i)
            put(i, u'0');
    }
    return 7;
}

int DateTyping::yearDigit2(QChar ch)
{
    if (at(6) == lowest(0) && ch < lowest(1))
        return push(lowest(1), 7);
    if (at(6) == highest(0) && ch > highest(1))
        return push(highest(1), 7);
    put(7, ch);
    // Over a complete year, "2050" with a 1 typed here would leave the range.
    if (yearStarts(u"21")) {
        for (int i = 8; i < m_text.size(); ++i)
            put(i, u'0');
    }
    return 8;
}

int DateTyping::yearDigit3(QChar ch)
{
    if (yearStarts(u"21")) {
        if (ch > highest(2)) {
            put(8, highest(2));
            return 9;
        }
        // "210" has one possible last digit; it is filled in.
        put(8, ch);
        put(9, highest(3));
        return 10;
    }
    put(8, ch);
    return 9;
}

int DateTyping::yearDigit4(QChar ch)
{
    if (yearStarts(u"210") && ch > highest(3))
        ch = highest(3);
    put(9, ch);
    return 10;
}

class TimeTyping {
public:
    TimeTyping(QString &text, const TimeEntryLocale &locale)
        : m_text(text), m_twelveHour(locale.twelveHour), m_separator(locale.separator)
    {
    }

    int push(QChar ch, int position);

private:
    QChar at(int position) const { return charAt(m_text, position); }
    void put(int position, QChar ch) { SetCharAt(m_text, position, ch); }

    QString &m_text;
    bool m_twelveHour;
    QChar m_separator;
};

int TimeTyping::push(QChar ch, int position)
{
    if (position >= kTimeLength || position < 0)
        return position;
    if (ch == m_separator && position != kTimeSeparator)
        return position;
    // Digits belong to hour and minute, letters to the designator only.
    const bool digitPlace = position <= 4;
    if (ch != m_separator && isDigit(ch) != digitPlace && position != kTimeSeparator
        && position != kDesignatorBlank)
        return position;

    const QChar maxTens = m_twelveHour ? u'1' : u'2';
    const QChar maxOnes = m_twelveHour ? u'2' : u'3';
    switch (position) {
    case 0:
        if (ch > maxTens) {
            push(u'0', 0);
            return push(ch, 1);
        }
        if (ch == maxTens && isDigit(at(1)) && at(1) > maxOnes)
            put(1, maxOnes);
        put(0, ch);
        return 1;
    case 1:
        if (at(0) == maxTens && ch > maxOnes) {
            push(maxOnes, 1);
            const int next = push(m_separator, kTimeSeparator);
            return push(ch, next);
        }
        put(1, ch);
        return push(m_separator, kTimeSeparator);
    case kTimeSeparator:
        put(kTimeSeparator, m_separator);
        if (ch != m_separator)
            return push(ch, 3);
        return 3;
    case 3:
        if (ch < u'6') {
            put(3, ch);
            return 4;
        }
        push(u'0', 3);
        return push(ch, 4);
    case 4:
        put(4, ch);
        if (!m_twelveHour)
            return 5;
        put(kDesignatorBlank, u' ');
        return 6;
    case kDesignatorBlank:
        if (!m_twelveHour)
            return 5;
        put(kDesignatorBlank, u' ');
        return push(ch, 6);
    case 6: {
        const QChar letter = ch.toUpper();
        if (!m_twelveHour || (letter != u'A' && letter != u'P'))
            return 6;
        put(6, letter);
        return 7;
    }
    case 7:
        if (!m_twelveHour || ch.toUpper() != u'M')
            return 7;
        put(7, u'M');
        return 8;
    }
    return position;
}

} // namespace

DateEntryLocale DateEntryLocale::current()
{
    return {IsMonthFirst(), GetDateSeparator()};
}

TimeEntryLocale TimeEntryLocale::current()
{
    return {IsTwelveHourEntry(), GetTimeSeparator()};
}

void SetCharAt(QString &text, int position, QChar ch)
{
    if (position >= text.size())
        text.append(ch);
    else if (position >= 0)
        text[position] = ch;
}

bool IsDateEntryChar(QChar ch, const DateEntryLocale &locale)
{
    return isDigit(ch) || ch == locale.separator;
}

bool IsTimeEntryChar(QChar ch, const TimeEntryLocale &locale)
{
    const QChar letter = ch.toUpper();
    return isDigit(ch) || ch == locale.separator || letter == u'A' || letter == u'M'
        || letter == u'P';
}

int InsertDateChar(QString &text, QChar ch, int position, const DateEntryLocale &locale)
{
    return DateTyping(text, locale).push(ch, position);
}

int InsertTimeChar(QString &text, QChar ch, int position, const TimeEntryLocale &locale)
{
    return TimeTyping(text, locale).push(ch, position);
}

bool IsComplete(const QString &dateText)
{
    return dateText.size() == kDateLength;
}

} // namespace quadrivium
