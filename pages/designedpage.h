#pragma once

#include "dialogunits.h"
#include "hotspots.h"
#include "readingpage.h"

#include <utility>
#include <vector>

namespace quadrivium {

/// A reading page drawn at fixed places given in dialog units. The design
/// keeps its size and stands in the middle of the page; its hot spots move
/// with it.
class CDesignedPage : public CReadingPage {
    Q_OBJECT
public:
    /// `width` and `height` are the size of the design in dialog units.
    CDesignedPage(CQuadriviumDoc &document, int width, int height, QWidget *parent = nullptr);

    /// The page's hot spots (mouse and keyboard).
    const HotSpots &hotSpots() const { return m_spots; }
    /// The size of the design in pixels.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    const DialogUnits &units() const { return m_units; }
    QSize designSize() const { return m_design; }
    /// Top left corner of the design in page coordinates.
    QPoint origin() const { return m_origin; }
    /// A rectangle of the design, in page coordinates.
    QRect dlu(int x, int y, int w, int h) const;
    HotSpots &spots() { return m_spots; }

    /// The hot spots with their rectangles in page coordinates, in the
    /// order they are tried.
    virtual std::vector<std::pair<int, QRect>> spotRects() const = 0;
    /// Shows the text of hot spot `id` (after a click).
    virtual void showSpot(int id) = 0;
    /// Hands the spots their current rectangles.
    void layoutSpots();

    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    DialogUnits m_units;
    QSize m_design;
    QPoint m_origin;
    HotSpots m_spots;
};

} // namespace quadrivium
