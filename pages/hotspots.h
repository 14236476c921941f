#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QEvent;
class QKeyEvent;
class QWidget;

namespace quadrivium {

/// The clickable spots of a page: pointing at an active spot shows the hand
/// cursor, resting on any spot shows its tooltip (the string of its id), and
/// a click shows its text once; clicking the spot shown last does nothing
/// until another spot was shown.
///
/// The keyboard reaches the active spots as well: while the page has focus
/// a frame marks one of them; Tab and the arrow keys move it in reading
/// order (rows from top to bottom, each from left to right), Tab past the
/// last spot leaves the page, Enter or Space shows the marked spot's text,
/// and Shift+F10 or the Menu key open the page's context menu at the spot.
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
    /// Decides which active spots the keyboard visits (those that show a
    /// text); all active ones unless told otherwise.
    void setRouteTest(std::function<bool(int id)> onRoute) { m_onRoute = std::move(onRoute); }
    /// Forgets the spot shown last (after the person changed).
    void resetShown() { m_lastShown = 0; }

    /// The id of the spot that strictly contains `point`; 0 when none.
    int spotAt(const QPoint &point) const;
    bool isActive(int id) const;

    /// The rectangle of spot `id`; empty when there is no such spot.
    QRect rectOf(int id) const;
    /// The spot the keyboard frame marks; 0 when none.
    int focusedSpot() const { return m_focused; }

    /// Hands mouse moves, presses, tooltip requests, keys and focus changes
    /// of the page to the spots; true when the event was taken.
    bool handle(QEvent *event);

private:
    /// The active spots in reading order.
    std::vector<int> readingOrder() const;
    /// Moves the frame `step` spots on; false when that leaves the spots.
    bool moveFocus(int step);
    void showFocusFrame();
    void showSpot(int id);
    bool handleKey(QKeyEvent *key);

    QWidget &m_page;
    QWidget *m_frame = nullptr;
    int m_focused = 0;
    std::function<void(int)> m_show;
    std::function<bool(int)> m_active;
    std::function<QString(int)> m_tip;
    std::function<bool(int)> m_onRoute;
    std::vector<std::pair<int, QRect>> m_spots;
    int m_lastShown = 0;
};

} // namespace quadrivium
