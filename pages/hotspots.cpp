#include "hotspots.h"

#include "output/stringtable.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace quadrivium {

namespace {

/// The keyboard's mark on a spot: a frame drawn over the page.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget *page) : QWidget(page)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QPen pen(palette().color(QPalette::Highlight), 2);
        p.setPen(pen);
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

} // namespace

HotSpots::HotSpots(QWidget &page, std::function<void(int id)> show)
    : m_page(page)
    , m_show(std::move(show))
{
    m_page.setMouseTracking(true);
    m_page.setFocusPolicy(Qt::StrongFocus);
}

void HotSpots::setSpots(std::vector<std::pair<int, QRect>> spots)
{
    m_spots = std::move(spots);
    if (m_frame && m_frame->isVisible())
        showFocusFrame();
}

QRect HotSpots::rectOf(int id) const
{
    for (const auto &[spot, rect] : m_spots) {
        if (spot == id)
            return rect;
    }
    return {};
}

std::vector<int> HotSpots::readingOrder() const
{
    std::vector<std::pair<int, QRect>> active;
    for (const auto &spot : m_spots) {
        if (isActive(spot.first) && (!m_onRoute || m_onRoute(spot.first)) && std::none_of(active.begin(), active.end(),
                                                 [&](const auto &a) { return a.first == spot.first; }))
            active.push_back(spot);
    }
    std::stable_sort(active.begin(), active.end(),
                     [](const auto &a, const auto &b) { return a.second.top() < b.second.top(); });
    // A spot whose top lies above the middle of the row's first spot
    // belongs to that row.
    std::vector<int> order;
    for (std::size_t start = 0; start < active.size();) {
        const int rowMiddle = active[start].second.center().y();
        std::size_t end = start + 1;
        while (end < active.size() && active[end].second.top() < rowMiddle)
            ++end;
        std::stable_sort(active.begin() + std::ptrdiff_t(start), active.begin() + std::ptrdiff_t(end),
                         [](const auto &a, const auto &b) { return a.second.left() < b.second.left(); });
        for (std::size_t i = start; i < end; ++i)
            order.push_back(active[i].first);
        start = end;
    }
    return order;
}

bool HotSpots::moveFocus(int step)
{
    const std::vector<int> order = readingOrder();
    if (order.empty())
        return false;
    const auto at = std::find(order.begin(), order.end(), m_focused);
    if (at == order.end()) {
        m_focused = step > 0 ? order.front() : order.back();
    } else {
        const std::ptrdiff_t next = (at - order.begin()) + step;
        if (next < 0 || next >= std::ptrdiff_t(order.size()))
            return false;
        m_focused = order[std::size_t(next)];
    }
    showFocusFrame();
    return true;
}

void HotSpots::showFocusFrame()
{
    if (!m_frame)
        m_frame = new FocusFrame(&m_page);
    const QRect rect = rectOf(m_focused);
    if (rect.isEmpty() || !m_page.hasFocus()) {
        m_frame->hide();
        return;
    }
    m_frame->setGeometry(rect.adjusted(-3, -3, 3, 3));
    m_frame->raise();
    m_frame->show();
}

void HotSpots::showSpot(int id)
{
    m_lastShown = id;
    // Shown from the event loop, once the click or key itself is over.
    QPointer<QWidget> page(&m_page);
    QTimer::singleShot(1, &m_page, [this, page, id] {
        if (page)
            m_show(id);
    });
}

bool HotSpots::handleKey(QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
        if (mods != Qt::NoModifier)
            return false;
        return moveFocus(1);
    case Qt::Key_Backtab:
        return moveFocus(-1);
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveFocus(1);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveFocus(-1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!isActive(m_focused) || rectOf(m_focused).isEmpty())
            return false;
        showSpot(m_focused);
        return true;
    case Qt::Key_F10:
        if (mods != Qt::ShiftModifier)
            return false;
        [[fallthrough]];
    case Qt::Key_Menu: {
        const QRect rect = rectOf(m_focused);
        const QPoint at = rect.isEmpty() ? QPoint(5, 5) : rect.center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, m_page.mapToGlobal(at));
        QCoreApplication::sendEvent(&m_page, &menu);
        return true;
    }
    default:
        return false;
    }
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
        m_focused = id;
        showFocusFrame();
        showSpot(id);
        return true;
    }
    case QEvent::KeyPress:
        return handleKey(static_cast<QKeyEvent *>(event));
    case QEvent::ShortcutOverride: {
        // Enter, Space and the arrows belong to the marked spot, not to a
        // shortcut of the window.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            event->accept();
            return true;
        }
        return false;
    }
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (!isActive(m_focused) || rectOf(m_focused).isEmpty() || reason == Qt::TabFocusReason
            || reason == Qt::BacktabFocusReason) {
            m_focused = 0;
            moveFocus(reason == Qt::BacktabFocusReason ? -1 : 1);
        }
        showFocusFrame();
        return false;
    }
    case QEvent::FocusOut:
        if (m_frame)
            m_frame->hide();
        return false;
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
