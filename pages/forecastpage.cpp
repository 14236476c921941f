#include "forecastpage.h"

#include "forecastreading.h"
#include "pagelook.h"
#include "quadriviumdoc.h"

#include "store/datetext.h"
#include "store/letterrulessetting.h"
#include "store/personname.h"
#include "store/textstore.h"

#include <QDateEdit>
#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>

namespace quadrivium {

namespace {

constexpr int kDesignWidth = 369, kDesignHeight = 186;
constexpr int kIntroTable = 0;

// Places of the design, in dialog units.
constexpr int kNumbersLeft = 10, kNumbersTop = 58, kRowHeight = 12;
constexpr int kMonthsLeft = 10, kMonthsTop = 108, kMonthWidth = 29, kMonthHeight = 22;
constexpr int kChallengesLeft = 200, kLessonsTop = 142;

const char *const kOrdinals[] = {"First", "Second", "Third", "Fourth"};

} // namespace

CForecastPage::CForecastPage(CQuadriviumDoc &document, QWidget *parent)
    : CDesignedPage(document, kDesignWidth, kDesignHeight, parent)
{
    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("forecastDate"));
    m_date->setAccessibleName(tr("Date of the forecast"));
    m_date->setToolTip(tr("The day the forecast is for"));
    m_date->setCalendarPopup(true);
    m_date->setDateRange(QDate(1600, 1, 1), QDate(2100, 12, 31));
    connect(m_date, &QDateEdit::dateChanged, this, &CForecastPage::dateEdited);
    connect(&document, &CQuadriviumDoc::chosenDayChanged, this, [this] {
        if (isVisible())
            refill();
    });
    connect(&document, &CQuadriviumDoc::letterRulesChanged, this, &CForecastPage::refill);
    spots().setActiveTest([this](int id) {
        return m_forecast.has_value() || id == kTitle || id == kYearLabel || id == kMonthLabel
            || id == kDayLabel || id == kChallengesLabel || id == kLessonsLabel;
    });
    layoutSpots();
}

int CForecastPage::command() const
{
    return kForecastPage;
}

QString CForecastPage::tabText() const
{
    return tr("Forecast");
}

QString CForecastPage::menuText() const
{
    return tr("&Forecast");
}

QString CForecastPage::iconName() const
{
    return QStringLiteral("x-office-calendar");
}

void CForecastPage::refill()
{
    spots().resetShown();
    m_forecast = ForecastOf(document(), clock());
    m_notes.clear();
    if (m_forecast) {
        const CQuadriviumDoc &doc = document();
        const LetterRules &rules = doc.letterRules();
        if (const QString ignored = IgnoredLettersNote(doc.personName(), rules.accents); !ignored.isEmpty())
            m_notes << ignored;
        if (!rules.isDefault())
            m_notes << LetterRulesLine(rules);
    }
    if (m_forecast) {
        const QSignalBlocker quiet(m_date);
        m_date->setDate(QDate(m_forecast->date.year, m_forecast->date.month, m_forecast->date.day));
    }
    m_date->setEnabled(m_forecast.has_value());
    layoutSpots();
    update();
}

void CForecastPage::showIntroduction()
{
    emit textRequested(kIntroTable, kIntroForecast);
}

void CForecastPage::dateEdited()
{
    const QDate d = m_date->date();
    if (!d.isValid())
        return;
    // The document announces the new day; the page follows it in refill().
    document().setChosenDay(DateTimeValue::fromFields(d.year(), d.month(), d.day()));
    if (!isVisible())
        refill();
}

QRect CForecastPage::spotRect(int spot) const
{
    switch (spot) {
    case kTitle: return QRect(origin(), QSize(designSize().width(), designSize().height() / 8));
    case kYearLabel: return dlu(kNumbersLeft, kNumbersTop, 80, 8);
    case kYearValue: return dlu(kNumbersLeft + 82, kNumbersTop, 10, 8);
    case kMonthLabel: return dlu(kNumbersLeft, kNumbersTop + kRowHeight, 80, 8);
    case kMonthValue: return dlu(kNumbersLeft + 82, kNumbersTop + kRowHeight, 10, 8);
    case kDayLabel: return dlu(kNumbersLeft, kNumbersTop + 2 * kRowHeight, 80, 8);
    case kDayValue: return dlu(kNumbersLeft + 82, kNumbersTop + 2 * kRowHeight, 10, 8);
    case kChallengesLabel: return dlu(kChallengesLeft, kNumbersTop - kRowHeight, 80, 8);
    case kLessonsLabel: return dlu(kNumbersLeft, kLessonsTop, 80, 8);
    default: break;
    }
    if (spot >= kFirstMonth && spot < kFirstMonth + 12)
        return dlu(kMonthsLeft + (spot - kFirstMonth) * kMonthWidth, kMonthsTop, kMonthWidth - 2, kMonthHeight);
    if (spot >= kFirstChallenge && spot < kFirstChallenge + 4)
        return dlu(kChallengesLeft + 62, kNumbersTop + (spot - kFirstChallenge) * kRowHeight, 10, 8);
    const int lesson = spot - kFirstLesson;
    if (lesson >= 0 && m_forecast && std::size_t(lesson) < m_forecast->karmicLessons.size())
        return dlu(kNumbersLeft + 82 + lesson * 14, kLessonsTop, 10, 8);
    return {};
}

std::vector<std::pair<int, QRect>> CForecastPage::spotRects() const
{
    std::vector<std::pair<int, QRect>> spots;
    for (int id = kYearLabel; id <= kDayValue; ++id)
        spots.emplace_back(id, spotRect(id));
    for (int i = 0; i < 12; ++i)
        spots.emplace_back(kFirstMonth + i, spotRect(kFirstMonth + i));
    spots.emplace_back(kChallengesLabel, spotRect(kChallengesLabel));
    for (int i = 0; i < 4; ++i)
        spots.emplace_back(kFirstChallenge + i, spotRect(kFirstChallenge + i));
    spots.emplace_back(kLessonsLabel, spotRect(kLessonsLabel));
    for (int i = 0; m_forecast && std::size_t(i) < m_forecast->karmicLessons.size(); ++i)
        spots.emplace_back(kFirstLesson + i, spotRect(kFirstLesson + i));
    spots.emplace_back(kTitle, spotRect(kTitle));
    return spots;
}

std::pair<int, int> CForecastPage::textOf(int spot) const
{
    switch (spot) {
    case kTitle: return {kIntroTable, kIntroForecast};
    case kYearLabel: return {kIntroTable, kIntroPersonalYear};
    case kMonthLabel: return {kIntroTable, kIntroPersonalMonth};
    case kDayLabel: return {kIntroTable, kIntroPersonalDay};
    case kChallengesLabel: return {kIntroTable, kIntroChallenges};
    case kLessonsLabel: return {kIntroTable, kIntroKarmicLessons};
    default: break;
    }
    if (!m_forecast)
        return {-1, 0};
    const Forecast &f = *m_forecast;
    switch (spot) {
    case kYearValue: return {kPersonalYearTable, f.personalYear};
    case kMonthValue: return {kPersonalMonthTable, f.personalMonth};
    case kDayValue: return {kPersonalDayTable, f.personalDay};
    default: break;
    }
    if (spot >= kFirstMonth && spot < kFirstMonth + 12)
        return {kPersonalMonthTable, f.months[std::size_t(spot - kFirstMonth)]};
    if (spot >= kFirstChallenge && spot < kFirstChallenge + 4)
        return {kChallengeTable, f.challenges[std::size_t(spot - kFirstChallenge)].number};
    const int lesson = spot - kFirstLesson;
    if (lesson >= 0 && std::size_t(lesson) < f.karmicLessons.size())
        return {kKarmicLessonTable, f.karmicLessons[std::size_t(lesson)]};
    return {-1, 0};
}

void CForecastPage::showSpot(int id)
{
    const auto [table, numberId] = textOf(id);
    if (table >= 0)
        emit textRequested(table, numberId);
}

QString CForecastPage::tooltipOf(int spot) const
{
    switch (spot) {
    case kTitle: return tr("What the forecast shows");
    case kYearLabel: return tr("How the Personal Year is found");
    case kMonthLabel: return tr("How the Personal Month is found");
    case kDayLabel: return tr("How the Personal Day is found");
    case kChallengesLabel: return tr("What the challenges mean");
    case kLessonsLabel: return tr("What the karmic lessons mean");
    case kYearValue: return tr("The theme of the year");
    case kMonthValue: return tr("The tone of the month");
    case kDayValue: return tr("The mood of the day");
    default: break;
    }
    if (spot >= kFirstMonth && spot < kFirstMonth + 12)
        return tr("Personal Month of %1").arg(MonthName(spot - kFirstMonth + 1));
    if (spot >= kFirstChallenge && spot < kFirstChallenge + 4 && m_forecast)
        return tr("%1 Challenge,%2")
            .arg(QLatin1String(kOrdinals[spot - kFirstChallenge]),
                 ChallengeSpans(*m_forecast, m_forecast->challenges[std::size_t(spot - kFirstChallenge)].number)
                     .remove(QLatin1Char('(')).remove(QLatin1Char(')')));
    if (spot >= kFirstLesson)
        return tr("A quality the name invites you to learn");
    return {};
}

bool CForecastPage::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int spot = spots().spotAt(help->pos());
        const QString tip = spot ? tooltipOf(spot) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return CDesignedPage::event(event);
}

void CForecastPage::resizeEvent(QResizeEvent *event)
{
    CDesignedPage::resizeEvent(event);
    m_date->setGeometry(dlu(292, 28, 70, 13));
}

void CForecastPage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DrawPageTitle(p, *this, spotRect(kTitle), tabText());
    const QFont normal = font();
    const QFont bold = PagePixelFont(12, QFont::Bold);
    const int left = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const int centred = Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip;
    p.setPen(Qt::black);

    const CQuadriviumDoc &doc = document();
    p.setFont(normal);
    p.drawText(dlu(kNumbersLeft, 28, 45, 8), left, tr("Forecast for"));
    p.drawText(dlu(kNumbersLeft, 39, 45, 8), left, tr("Born on"));
    p.drawText(dlu(262, 30, 28, 8), left, tr("Date"));
    p.setFont(bold);
    const QRect nameRect = dlu(kNumbersLeft + 50, 28, 150, 10);
    p.drawText(nameRect, left, QFontMetrics(bold).elidedText(doc.personName(), Qt::ElideRight, nameRect.width()));
    p.setFont(normal);
    if (doc.hasPerson())
        p.drawText(dlu(kNumbersLeft + 50, 39, 80, 8), left, FormatDateValue(doc.birthDate()));

    p.drawText(spotRect(kYearLabel), left, tr("Personal Year"));
    p.drawText(spotRect(kMonthLabel), left, tr("Personal Month"));
    p.drawText(spotRect(kDayLabel), left, tr("Personal Day"));
    p.drawText(spotRect(kChallengesLabel), left, tr("Challenges"));
    p.drawText(spotRect(kLessonsLabel), left, tr("Karmic Lessons"));
    if (!m_forecast) {
        if (doc.hasPerson())
            p.drawText(dlu(kNumbersLeft, kMonthsTop, 200, 16), left | Qt::TextWordWrap, NoReadingNotice());
        return;
    }
    const Forecast &f = *m_forecast;
    const QDate day(f.date.year, f.date.month, f.date.day);
    p.setFont(bold);
    p.drawText(spotRect(kYearValue), centred, QString::number(f.personalYear));
    p.drawText(spotRect(kMonthValue), centred, QString::number(f.personalMonth));
    p.drawText(spotRect(kDayValue), centred, QString::number(f.personalDay));
    p.setFont(normal);
    p.drawText(dlu(kNumbersLeft + 96, kNumbersTop, 80, 8), left, QString::number(f.date.year));
    p.drawText(dlu(kNumbersLeft + 96, kNumbersTop + kRowHeight, 80, 8), left, MonthName(f.date.month));
    p.drawText(dlu(kNumbersLeft + 96, kNumbersTop + 2 * kRowHeight, 80, 8), left,
               QLocale().toString(day, QLocale::LongFormat));

    // The months row: the chosen month stands out in white with a frame.
    p.drawText(dlu(kMonthsLeft, kMonthsTop - 11, 120, 8), left, tr("The months of %1").arg(f.date.year));
    for (int i = 0; i < 12; ++i) {
        const QRect cell = spotRect(kFirstMonth + i);
        const bool chosen = i + 1 == f.date.month;
        p.setPen(chosen ? QColor(Qt::black) : QColor(Qt::gray));
        p.setBrush(chosen ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.setFont(normal);
        p.drawText(cell.adjusted(0, 2, 0, 0), centred, MonthName(i + 1).left(3));
        p.setFont(bold);
        p.drawText(cell.adjusted(0, cell.height() / 2, 0, 0), centred, QString::number(f.months[std::size_t(i)]));
    }

    for (int i = 0; i < 4; ++i) {
        const Challenge &c = f.challenges[std::size_t(i)];
        const int y = kNumbersTop + i * kRowHeight;
        p.setFont(normal);
        p.drawText(dlu(kChallengesLeft, y, 60, 8), left, QLatin1String(kOrdinals[i]));
        p.drawText(dlu(kChallengesLeft + 76, y, 80, 8), left, tr("ages %1 to %2").arg(c.fromAge).arg(c.toAge));
        p.setFont(bold);
        p.drawText(spotRect(kFirstChallenge + i), centred, QString::number(c.number));
    }

    p.setFont(bold);
    if (f.karmicLessons.empty()) {
        p.setFont(normal);
        p.drawText(dlu(kNumbersLeft + 82, kLessonsTop, 200, 8), left, tr("none: the name holds every digit"));
    }
    for (std::size_t i = 0; i < f.karmicLessons.size(); ++i)
        p.drawText(spotRect(kFirstLesson + int(i)), centred, QString::number(f.karmicLessons[i]));
    p.setFont(normal);
    p.drawText(dlu(kNumbersLeft, kLessonsTop + 14, kDesignWidth - 2 * kNumbersLeft, 24), left | Qt::TextWordWrap,
               m_notes.join(QLatin1Char('\n')));
}

} // namespace quadrivium
