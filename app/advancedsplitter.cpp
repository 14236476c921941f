#include "advancedsplitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace quadrivium {

namespace {

/// A handle that starts no drag while its splitter is locked.
class LockableHandle : public QSplitterHandle {
public:
    LockableHandle(Qt::Orientation orientation, CAdvancedSplitterWnd *parent)
        : QSplitterHandle(orientation, parent)
        , m_owner(parent)
    {
    }

protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        if (m_owner->isLocked())
            e->ignore();
        else
            QSplitterHandle::mousePressEvent(e);
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (m_owner->isLocked())
            e->ignore();
        else
            QSplitterHandle::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (m_owner->isLocked())
            e->ignore();
        else
            QSplitterHandle::mouseReleaseEvent(e);
    }

private:
    CAdvancedSplitterWnd *m_owner;
};

} // namespace

CAdvancedSplitterWnd::CAdvancedSplitterWnd(Qt::Orientation orientation, QWidget *parent)
    : QSplitter(orientation, parent)
{
    setChildrenCollapsible(false);
    setLocked(true);
}

void CAdvancedSplitterWnd::setLocked(bool locked)
{
    m_locked = locked;
    for (int i = 0; i < count(); ++i) {
        if (QSplitterHandle *h = handle(i))
            h->setCursor(locked ? Qt::ArrowCursor : (orientation() == Qt::Vertical ? Qt::SplitVCursor
                                                                                   : Qt::SplitHCursor));
    }
}

QSplitterHandle *CAdvancedSplitterWnd::createHandle()
{
    auto *h = new LockableHandle(orientation(), this);
    if (m_locked)
        h->setCursor(Qt::ArrowCursor);
    return h;
}

} // namespace quadrivium
