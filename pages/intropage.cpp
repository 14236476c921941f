#include "intropage.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPalette>

namespace quadrivium {

CIntro::CIntro(QWidget *parent)
    : QWidget(parent)
    , m_open(new QAction(tr("O&pen..."), this))
{
    setObjectName(QStringLiteral("introPage"));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(p);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window); // not the role of the view it stands in
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_open->setObjectName(QStringLiteral("cmd%1").arg(kOpenCommand));
    connect(m_open, &QAction::triggered, this, &CIntro::openRequested);
    addAction(m_open);
}

void CIntro::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(m_open);
    menu.exec(event->globalPos());
}

} // namespace quadrivium
