#pragma once

#include "designedpage.h"

#include "engine/forecast.h"

#include <QHash>
#include <QStringList>

#include <optional>

class QDateEdit;

namespace quadrivium {

/// The page command of the forecast.
constexpr int kForecastPage = 22870;

/// The forecast reading: for the day in its date field (the document's
/// chosen day, today when none is chosen) the personal year, month and day,
/// the twelve months of that year as a row, the four challenges with their
/// age spans and the karmic lessons of the name. Every number and label is
/// a hot spot that shows its interpretation text.
class CForecastPage : public CDesignedPage {
    Q_OBJECT
public:
    /// Hot spots: the labels show their introduction, the values their text.
    enum Spot : int {
        kTitle = 9100,
        kYearLabel, kYearValue, kMonthLabel, kMonthValue, kDayLabel, kDayValue,
        kFirstMonth = 9110,     ///< 9110..9121: January..December of the row
        kChallengesLabel = 9130,
        kFirstChallenge,        ///< 9131..9134
        kLessonsLabel = 9140,
        kFirstLesson,           ///< 9141..9149: the lessons in ascending order
    };

    explicit CForecastPage(CQuadriviumDoc &document, QWidget *parent = nullptr);

    int command() const override;
    QString tabText() const override;
    QString menuText() const override;
    QString iconName() const override;
    void refill() override;
    void showIntroduction() override;

    /// The forecast shown; nothing without a person with a valid date of birth.
    const std::optional<Forecast> &forecast() const { return m_forecast; }
    /// The (table, NumberID) a hot spot shows; table -1 when it shows nothing.
    std::pair<int, int> textOf(int spot) const;
    /// Rectangle of a hot spot in page coordinates; null for unknown ones.
    QRect spotRect(int spot) const;
    /// The date field.
    QDateEdit *dateField() const { return m_date; }
    /// The lines under the karmic lessons: the letters of the name not
    /// counted, and the counting rules when they are not the usual ones.
    const QStringList &notes() const { return m_notes; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    std::vector<std::pair<int, QRect>> spotRects() const override;
    void showSpot(int id) override;

private:
    QString tooltipOf(int spot) const;
    void dateEdited();

    QDateEdit *m_date = nullptr;
    std::optional<Forecast> m_forecast;
    QStringList m_notes; ///< made by refill()
};

} // namespace quadrivium
