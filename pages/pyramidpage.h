#pragma once

#include "designedpage.h"

#include "engine/pyramid.h"

#include <QHash>
#include <QLine>

#include <optional>

namespace quadrivium {

/// The pyramid reading: a drawn pyramid whose stones carry the three base
/// sums and the four climaxes with the age and year of each, and a panel
/// with the person, the Ruling Number and the four ages. Every stone and
/// label explains itself in a tooltip; the climaxes, the Ruling Number and
/// the title show their texts when clicked.
class CPyramide : public CDesignedPage {
    Q_OBJECT
public:
    /// The page's own commands, offered in its context menu.
    enum Command {
        kWholePyramid = 22794,
        kFirstClimax = 22797,
        kSecondClimax = 22798,
        kThirdClimax = 22799,
        kFourthClimax = 22795,
    };

    explicit CPyramide(CQuadriviumDoc &document, QWidget *parent = nullptr);

    int command() const override;
    QString tabText() const override;
    QString menuText() const override;
    QString iconName() const override;
    void refill() override;
    void showIntroduction() override;
    int preferredHeight() const override;

    /// Runs one of the page's commands: shows its text and makes it the
    /// command state.
    void runCommand(int command);
    /// kWholePyramid, or the climax stone chosen last through the menu
    /// (3010, 3014, 3008, 3001). Clicks do not change it.
    int commandState() const { return m_state; }

    /// The numbers shown; nothing while the date of birth is not valid.
    const std::optional<PyramidNumbers> &pyramidNumbers() const { return m_numbers; }
    /// The text a value control shows (stones, panel values, name, date).
    QString controlText(int id) const;
    /// Rectangle of a control in page coordinates; null for unknown ids.
    QRect controlRect(int id) const;
    /// The (table, NumberID) a hot spot shows; table -1 when it shows nothing.
    std::pair<int, int> textOf(int hotSpot) const;

    /// One of the three chevrons (0 outer, 1 middle, 2 inner): its two black
    /// legs through the apex and the white highlight beside its left leg.
    struct Chevron {
        QPoint left, apex, right;
        QLine highlight;
    };
    Chevron chevron(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    std::vector<std::pair<int, QRect>> spotRects() const override;
    void showSpot(int id) override;

private:
    int m_state = kWholePyramid;

    std::optional<PyramidNumbers> m_numbers;
    QHash<int, QString> m_texts; // control id -> shown text
};

} // namespace quadrivium
