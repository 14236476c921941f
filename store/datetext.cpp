#include "datetext.h"

#include <QDate>
#include <QList>
#include <QTime>

#include <optional>

namespace quadrivium {

namespace {

struct LocaleSettings {
    bool monthFirst = true;
    QChar dateSeparator = u'/';
    bool twelveHour = false;
    QChar timeSeparator = u':';
    bool probed = false;
};

LocaleSettings &settings()
{
    static LocaleSettings s;
    return s;
}

std::optional<QLocale> &chosenLocale()
{
    static std::optional<QLocale> locale;
    return locale;
}

// Qt's locale data puts no-break spaces before designators in some locales;
// the program's texts use plain blanks.
QString plainBlanks(QString text)
{
    text.replace(QChar(0x202F), u' ');
    text.replace(QChar(0x00A0), u' ');
    return text;
}

// The first character after the first digit that is neither a digit nor an
// invisible format mark; `fallback` when there is none. Skipping what stands
// before the first digit keeps a leading designator ("오후 11:00") from
// becoming the separator.
QChar separatorOf(const QString &text, QChar fallback)
{
    qsizetype i = 0;
    while (i < text.size() && !text[i].isDigit())
        ++i;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!c.isDigit() && c.category() != QChar::Other_Format)
            return c;
    }
    return fallback;
}

// Whether the locale's short time format has an AM/PM designator: one
// answer for the entry field, the time text and the designator field, so
// that a time typed and read back keeps its half of the day.
bool formatHasDesignator(const QLocale &locale)
{
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::ShortFormat)) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'a' || c == u'A'))
            return true;
    }
    return false;
}

// The value of the first digit of a text (any script); -1 when none.
int firstDigit(const QString &text)
{
    for (const QChar c : text) {
        if (c.isDigit())
            return c.digitValue();
    }
    return -1;
}

void probe()
{
    LocaleSettings &s = settings();
    if (s.probed)
        return;
    const QLocale locale = DateLocale();
    const QString date = plainBlanks(locale.toString(QDate(1998, 1, 31), QLocale::ShortFormat));
    s.monthFirst = firstDigit(date) != 3;
    s.dateSeparator = separatorOf(date, s.dateSeparator);
    const QString time = plainBlanks(locale.toString(QTime(23, 0, 0), QLocale::ShortFormat));
    s.twelveHour = formatHasDesignator(locale);
    s.timeSeparator = separatorOf(time, s.timeSeparator);
    // A blank or a word between hour and minute ("23 h 00") cannot be typed
    // into the time field and read back: such locales type "23:00".
    if (!s.timeSeparator.isPunct() && !s.timeSeparator.isSymbol())
        s.timeSeparator = u':';
    // Likewise a letter between the parts of a date ("1998年1月31日").
    if (s.dateSeparator.isLetterOrNumber() || s.dateSeparator.isMark())
        s.dateSeparator = u'/';
    s.probed = true;
}

const LocaleSettings &probed()
{
    probe();
    return settings();
}

// The digits of any script as ASCII digits, so that a text shows one
// script of digits beside the program's own date texts.
QString asciiDigits(QString text)
{
    for (QChar &c : text) {
        if (c.isDigit() && c.unicode() > 0x7F)
            c = QChar(u'0' + c.digitValue());
    }
    return text;
}

QString twoDigits(int n)
{
    return QString::asprintf("%02d", n);
}

// The locale's short time format with seconds added after the minutes when
// it has none: the time of day as the platform's default text shows it.
QString timeFormatWithSeconds(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    bool quoted = false;
    qsizetype minuteEnd = -1, minuteStart = -1;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u's') {
            return format;
        } else if (!quoted && c == u'm') {
            if (i == 0 || format[i - 1] != u'm')
                minuteStart = i;
            minuteEnd = i + 1;
        }
    }
    if (minuteEnd < 0)
        return format;
    QChar separator = u':';
    if (minuteStart > 0 && !format[minuteStart - 1].isLetter() && format[minuteStart - 1] != u'\'')
        separator = format[minuteStart - 1];
    format.insert(minuteEnd, QString(separator) + QStringLiteral("ss"));
    return format;
}

enum class Designator { None, Am, Pm };

QString designatorKey(const QString &text)
{
    QString key = text.toLower();
    key.remove(u'.');
    return key;
}

Designator designatorOf(const QString &token, const QLocale &locale)
{
    const QString key = designatorKey(token);
    if (key.isEmpty())
        return Designator::None;
    if (key == u"am" || key == designatorKey(locale.amText()))
        return Designator::Am;
    if (key == u"pm" || key == designatorKey(locale.pmText()))
        return Designator::Pm;
    return Designator::None;
}

// A group of digit runs with a single separator character between each two.
struct NumberGroup {
    QList<int> values;
    QList<int> widths;
    QList<QChar> separators;
};

std::optional<NumberGroup> readGroup(const QString &token)
{
    NumberGroup group;
    int value = 0, width = 0;
    for (const QChar c : token) {
        if (c.isDigit()) {
            if (++width > 4)
                return std::nullopt;
            value = 10 * value + c.digitValue();
        } else {
            if (width == 0)
                return std::nullopt; // leading or doubled separator
            group.values.append(value);
            group.widths.append(width);
            group.separators.append(c);
            value = width = 0;
        }
    }
    if (width == 0)
        return std::nullopt;
    group.values.append(value);
    group.widths.append(width);
    return group;
}

struct DateFields {
    int year = 0, month = 0, day = 0;
};
struct TimeFields {
    int hour = 0, minute = 0, second = 0;
};

std::optional<DateFields> readDate(const NumberGroup &g, bool monthFirst)
{
    if (g.values.size() != 3)
        return std::nullopt;
    DateFields f;
    int yearWidth;
    if (g.widths[0] == 4) {
        if (g.widths[1] > 2 || g.widths[2] > 2)
            return std::nullopt;
        f = {g.values[0], g.values[1], g.values[2]};
        yearWidth = 4;
    } else {
        if (g.widths[0] > 2 || g.widths[1] > 2)
            return std::nullopt;
        f.year = g.values[2];
        f.month = monthFirst ? g.values[0] : g.values[1];
        f.day = monthFirst ? g.values[1] : g.values[0];
        yearWidth = g.widths[2];
    }
    if (yearWidth == 2)
        f.year += f.year < 30 ? 2000 : 1900;
    else if (yearWidth != 4)
        return std::nullopt;
    return f;
}

std::optional<TimeFields> readTime(const NumberGroup &g, Designator designator)
{
    const auto n = g.values.size();
    if (n > 3 || (n == 1 && designator == Designator::None))
        return std::nullopt;
    for (int w : g.widths) {
        if (w > 2)
            return std::nullopt;
    }
    TimeFields f;
    f.hour = g.values[0];
    f.minute = n > 1 ? g.values[1] : 0;
    f.second = n > 2 ? g.values[2] : 0;
    if (designator == Designator::Am) {
        if (f.hour > 12)
            return std::nullopt;
        if (f.hour == 12)
            f.hour = 0;
    } else if (designator == Designator::Pm) {
        if (f.hour == 0)
            f.hour = 12;
        else if (f.hour < 12)
            f.hour += 12;
    }
    return f;
}

} // namespace

void SetDateLocale(const QLocale &locale)
{
    chosenLocale() = locale;
    settings() = LocaleSettings{};
}

void ResetDateLocale()
{
    chosenLocale().reset();
    settings() = LocaleSettings{};
}

QLocale DateLocale()
{
    return chosenLocale().value_or(QLocale());
}

QChar GetDateSeparator()
{
    return probed().dateSeparator;
}

QChar GetTimeSeparator()
{
    return probed().timeSeparator;
}

bool IsMonthFirst()
{
    return probed().monthFirst;
}

bool IsTwelveHourEntry()
{
    return probed().twelveHour;
}

bool IsTwelveHourClock()
{
    return probed().twelveHour;
}

CDateText::CDateText()
{
    probe();
}

CDateText::CDateText(const DateTimeValue &value)
    : m_value(value)
{
    probe();
}

CDateText::~CDateText() = default;

QString CDateText::GetDateText() const
{
    const LocaleSettings &s = probed();
    const int day = m_value.day(), month = m_value.month();
    const int first = s.monthFirst ? month : day;
    const int second = s.monthFirst ? day : month;
    return twoDigits(first) + s.dateSeparator + twoDigits(second) + s.dateSeparator
        + QString::asprintf("%04d", m_value.year());
}

QString CDateText::GetTimeText() const
{
    const LocaleSettings &s = probed();
    int hour = m_value.hour();
    if (s.twelveHour && hour > 12)
        hour -= 12;
    return twoDigits(hour) + s.timeSeparator + twoDigits(m_value.minute());
}

QString FormatDateValue(const DateTimeValue &value)
{
    if (!value.isValid())
        return {};
    const QLocale locale = DateLocale();
    // The order and separator of the entry fields, so that a date shows as
    // it is typed.
    const bool monthFirst = IsMonthFirst();
    const QChar separator = GetDateSeparator();

    const int year = value.year(), month = value.month(), day = value.day();
    const int hour = value.hour(), minute = value.minute(), second = value.second();
    const bool noDate = year == 1899 && month == 12 && day == 30;
    const bool noTime = hour == 0 && minute == 0 && second == 0;

    // Whether the value is a date is decided on the value, not on its text:
    // where date and time share a separator ("31.12.1990", "13.05") the text
    // cannot tell them apart.
    if (noTime && !noDate) {
        const int firstPart = monthFirst ? month : day;
        const int secondPart = monthFirst ? day : month;
        return twoDigits(firstPart) + separator + twoDigits(secondPart) + separator
            + QString::asprintf("%04d", year);
    }
    if (!monthFirst)
        return QString::asprintf("%02d:%02d:00", hour, minute);

    const QString timeText = asciiDigits(plainBlanks(
        locale.toString(QTime(hour, minute, second), timeFormatWithSeconds(locale))));
    if (!noDate)
        return asciiDigits(plainBlanks(locale.toString(QDate(year, month, day), QLocale::ShortFormat)))
            + u' ' + timeText;
    // A one-digit hour gets a leading zero ("1:05:00 PM" becomes
    // "01:05:00 PM") so that the times of a list line up.
    if (timeText.size() >= 2 && timeText[0].isDigit() && !timeText[1].isDigit())
        return u'0' + timeText;
    return timeText;
}

DateTimeValue ParseDateTime(const QString &text)
{
    const QLocale locale = DateLocale();
    const LocaleSettings &s = probed();

    const QStringList tokens = plainBlanks(text).simplified().split(u' ', Qt::SkipEmptyParts);

    Designator designator = Designator::None;
    QList<NumberGroup> groups;
    for (QString token : tokens) {
        // A designator stands alone or straight after the time ("1:30PM").
        qsizetype letters = token.size();
        while (letters > 0 && !token[letters - 1].isDigit())
            --letters;
        if (letters < token.size()) {
            const Designator d = designatorOf(token.mid(letters), locale);
            if (d != Designator::None) {
                if (designator != Designator::None)
                    return DateTimeValue::invalid();
                designator = d;
                token.truncate(letters);
                if (token.isEmpty())
                    continue;
            }
        }
        const std::optional<NumberGroup> group = readGroup(token);
        if (!group)
            return DateTimeValue::invalid();
        groups.append(*group);
    }

    // A blank as the locale's date separator ("31 01 1998"): three single
    // numbers in a row are one date.
    if (s.dateSeparator.isSpace() && groups.size() >= 3 && groups[0].values.size() == 1
        && groups[1].values.size() == 1 && groups[2].values.size() == 1) {
        NumberGroup date = groups[0];
        for (int i = 1; i < 3; ++i) {
            date.separators.append(s.dateSeparator);
            date.values.append(groups[i].values[0]);
            date.widths.append(groups[i].widths[0]);
        }
        groups.remove(0, 3);
        groups.prepend(date);
    }

    const auto isDateSeparator = [&](QChar c) {
        return c == s.dateSeparator || c == u'/' || c == u'.' || c == u'-';
    };
    const auto isTimeSeparator = [&](QChar c) { return c == u':' || c == s.timeSeparator; };

    std::optional<DateFields> date;
    std::optional<TimeFields> time;
    bool sawDate = false, sawTime = false;
    for (const NumberGroup &g : groups) {
        bool dateLike = !g.separators.isEmpty(), timeLike = true;
        for (QChar c : g.separators) {
            dateLike = dateLike && isDateSeparator(c) && c == g.separators.first();
            timeLike = timeLike && isTimeSeparator(c);
        }
        if (dateLike && timeLike) // one character serves both ("31.12.1990", "13.05")
            timeLike = sawDate || designator != Designator::None || g.values.size() < 3;
        if (timeLike) {
            if (sawTime)
                return DateTimeValue::invalid();
            sawTime = true;
            time = readTime(g, designator);
            if (!time)
                return DateTimeValue::invalid();
        } else if (dateLike) {
            if (sawDate)
                return DateTimeValue::invalid();
            sawDate = true;
            date = readDate(g, s.monthFirst);
            if (!date)
                return DateTimeValue::invalid();
        } else {
            return DateTimeValue::invalid();
        }
    }
    if (designator != Designator::None && !time)
        return DateTimeValue::invalid();
    if (!date && !time)
        return DateTimeValue::invalid();

    const TimeFields t = time.value_or(TimeFields{});
    if (!date)
        return DateTimeValue::fromTime(t.hour, t.minute, t.second);
    return DateTimeValue::fromFields(date->year, date->month, date->day, t.hour, t.minute,
                                     t.second);
}

} // namespace quadrivium
