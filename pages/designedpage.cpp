#include "designedpage.h"

#include "pagelook.h"

namespace quadrivium {

CDesignedPage::CDesignedPage(CQuadriviumDoc &document, int width, int height, QWidget *parent)
    : CReadingPage(document, parent)
    , m_units(DialogFont())
    , m_design(m_units.size(width, height))
    , m_spots(*this, [this](int id) { showSpot(id); })
{
    ApplyPageLook(*this);
}

QSize CDesignedPage::sizeHint() const
{
    return m_design;
}

QSize CDesignedPage::minimumSizeHint() const
{
    return m_design;
}

QRect CDesignedPage::dlu(int x, int y, int w, int h) const
{
    return m_units.rect(x, y, w, h).translated(m_origin);
}

void CDesignedPage::layoutSpots()
{
    m_spots.setSpots(spotRects());
}

bool CDesignedPage::event(QEvent *event)
{
    if (m_spots.handle(event))
        return true;
    return CReadingPage::event(event);
}

void CDesignedPage::resizeEvent(QResizeEvent *event)
{
    CReadingPage::resizeEvent(event);
    m_origin = QPoint(qMax(0, (width() - m_design.width()) / 2), qMax(0, (height() - m_design.height()) / 2));
    layoutSpots();
}

} // namespace quadrivium
