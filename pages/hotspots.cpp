#include "hotspots.h"

#include "output/stringtable.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

namespace quadrivium {

HotSpots::HotSpots(QWidget &page, std::function<void(int id)> show)
    : m_page(page)
    , m_show(std::move(show))
{
    m_page.setMouseTracking(true);
}

void HotSpots::setSpots(std::vector<std::pair<int, QRect>> spots)
{
    m_spots = std::move(spots);
}

void HotSpots::setActiveTest(std::function<bool(int id)> active)
{
    m_active = std::move(active);
}

void HotSpots::setTipText(std::function<QString(int id)> tip)
{
    m_tip = std::move(tip);
}

int HotSpots::spotAt(const QPoint &point) const
{
    for (const auto &[id, rect] : m_spots) {
        // Strictly inside: the border itself does not count.
        if (point.x() > rect.left() && point.x() < rect.right() && point.y() > rect.top()
            && point.y() < rect.bottom())
            return id;
    }
    return 0;
}

bool HotSpots::isActive(int id) const
{
    return id != 0 && (!m_active || m_active(id));
}

bool HotSpots::handle(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const int id = spotAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        m_page.setCursor(isActive(id) ? Qt::PointingHandCursor : Qt::ArrowCursor);
        return false;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const int id = spotAt(mouse->position().toPoint());
        if (id == 0)
            return false;
        if (!isActive(id) || id == m_lastShown)
            return true;
        m_lastShown = id;
        // Shown from the event loop, once the click itself is over.
        QPointer<QWidget> page(&m_page);
        QTimer::singleShot(1, &m_page, [this, page, id] {
            if (page)
                m_show(id);
        });
        return true;
    }
    case QEvent::ToolTip: {
        auto *help = static_cast<QHelpEvent *>(event);
        const int id = spotAt(help->pos());
        QString text = id && m_tip ? m_tip(id) : QString();
        if (id && text.isNull())
            text = LoadString(id);
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, &m_page);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace quadrivium
