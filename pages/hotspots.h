#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QEvent;
class QWidget;

namespace quadrivium {

/// The clickable spots of a page: pointing at an active spot shows the hand
/// cursor, resting on any spot shows its tooltip (the string of its id), and
/// a click shows its text once; clicking the spot shown last does nothing
/// until another spot was shown.
class HotSpots {
public:
    /// `show` is called with a spot's id when its text is to be shown.
    HotSpots(QWidget &page, std::function<void(int id)> show);

    /// Replaces the spots: ids with their rectangles in page coordinates.
    /// The first spot containing a point wins.
    void setSpots(std::vector<std::pair<int, QRect>> spots);
    /// Decides whether a spot reacts; all are active unless told otherwise.
    void setActiveTest(std::function<bool(int id)> active);
    /// Gives spots a tooltip of their own; a spot for which `tip` returns a
    /// null string keeps the string of its id.
    void setTipText(std::function<QString(int id)> tip);
    /// Forgets the spot shown last (after the person changed).
    void resetShown() { m_lastShown = 0; }

    /// The id of the spot that strictly contains `point`; 0 when none.
    int spotAt(const QPoint &point) const;
    bool isActive(int id) const;

    /// Hands mouse moves, presses and tooltip requests of the page to the
    /// spots; true when the event was taken.
    bool handle(QEvent *event);

private:
    QWidget &m_page;
    std::function<void(int)> m_show;
    std::function<bool(int)> m_active;
    std::function<QString(int)> m_tip;
    std::vector<std::pair<int, QRect>> m_spots;
    int m_lastShown = 0;
};

} // namespace quadrivium
