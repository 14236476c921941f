#pragma once

#include "designedpage.h"

#include "engine/chartgrid.h"
#include "engine/corenumbers.h"

#include <QHash>

#include <optional>

namespace quadrivium {

/// The birth chart reading: name and date of birth, the six core numbers
/// and the three-by-three chart with its lines. Every number, cell and
/// formed line label is a hot spot that shows its interpretation text.
class CChart : public CDesignedPage {
    Q_OBJECT
public:
    explicit CChart(CQuadriviumDoc &document, QWidget *parent = nullptr);

    int command() const override;
    QString tabText() const override;
    QString menuText() const override;
    QString iconName() const override;
    void refill() override;
    void showIntroduction() override;
    int preferredHeight() const override;

    /// The text a control of the page shows (values 6023..6029, name 10001,
    /// date 10000, line labels 6015..6022, letters not counted 10002, the
    /// notes on the Number of Fate and the rules 10003); empty when none.
    QString controlText(int id) const;
    /// Rectangle of a control or hot spot in page coordinates.
    QRect controlRect(int id) const;
    /// The (table, NumberID) a hot spot shows; table -1 when it shows nothing.
    std::pair<int, int> textOf(int hotSpot) const;
    /// Whether a reading could be computed (the date of birth is valid).
    bool hasReading() const { return m_core.has_value(); }
    /// Line end points of a formed line (index into ChartLines()).
    QLine linePath(int lineIndex) const;
    /// The tooltip of a line label: "Missing line 1-5-9: Indecision" while
    /// its line is formed, empty while it is not; null for other spots.
    QString lineTip(int id) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    std::vector<std::pair<int, QRect>> spotRects() const override;
    void showSpot(int id) override;

private:
    /// The formed line whose label control is `labelId`; -1 when none.
    int formedLineAt(int labelId) const;

    std::optional<CoreNumberSet> m_core;
    ChartGrid m_grid;
    QHash<int, QString> m_texts; // control id -> shown text
};

} // namespace quadrivium
