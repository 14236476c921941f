#include "flattoolbar.h"

#include <QActionEvent>
#include <QToolButton>

namespace quadrivium {

CFlatToolBar::CFlatToolBar(const QString &title, QWidget *parent)
    : QToolBar(title, parent)
{
}

void CFlatToolBar::setFlat(bool flat)
{
    m_flat = flat;
    applyStyle();
}

void CFlatToolBar::actionEvent(QActionEvent *event)
{
    QToolBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded)
        applyStyle();
}

void CFlatToolBar::applyStyle()
{
    for (QAction *a : actions()) {
        if (auto *button = qobject_cast<QToolButton *>(widgetForAction(a)))
            button->setAutoRaise(m_flat);
    }
}

} // namespace quadrivium
