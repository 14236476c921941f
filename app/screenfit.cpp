#include "screenfit.h"

#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QWidget>

namespace quadrivium {

namespace {

constexpr int kSettleMs = 250; // after the last move of a dragged bar

QRect fallbackArea()
{
    QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
}

bool isFittedWindow(const QWidget *w)
{
    if (!w || !w->isWindow())
        return false;
    if (qobject_cast<const QDialog *>(w))
        return true;
    const auto *dock = qobject_cast<const QDockWidget *>(w);
    return dock && dock->isFloating();
}

} // namespace

QRect FitRectInto(const QRect &rect, const QRect &area)
{
    if (!area.isValid())
        return rect;
    QRect fitted(rect.topLeft(), QSize(qMin(rect.width(), area.width()), qMin(rect.height(), area.height())));
    if (fitted.right() > area.right())
        fitted.moveRight(area.right());
    if (fitted.bottom() > area.bottom())
        fitted.moveBottom(area.bottom());
    if (fitted.left() < area.left())
        fitted.moveLeft(area.left());
    if (fitted.top() < area.top())
        fitted.moveTop(area.top());
    return fitted;
}

QRect AvailableAreaFor(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens) {
        if (screen->geometry().contains(rect.center()))
            return screen->availableGeometry();
    }
    QScreen *best = nullptr;
    qint64 bestOverlap = 0;
    for (QScreen *screen : screens) {
        const QRect overlap = screen->geometry().intersected(rect);
        const qint64 size = qint64(overlap.width()) * overlap.height();
        if (!overlap.isEmpty() && size > bestOverlap) {
            best = screen;
            bestOverlap = size;
        }
    }
    return best ? best->availableGeometry() : fallbackArea();
}

void KeepInside(QWidget &window, const QRect &area)
{
    const QRect frame = window.frameGeometry();
    const QRect fitted = FitRectInto(frame, area);
    if (fitted == frame)
        return;
    const QSize decoration = frame.size() - window.size();
    if (fitted.size() != frame.size())
        window.resize((fitted.size() - decoration).expandedTo(window.minimumSize()));
    // The window may not shrink below its minimum: place what it became.
    const QRect placed = FitRectInto(QRect(fitted.topLeft(), window.size() + decoration), area);
    window.move(placed.topLeft());
}

void KeepOnScreen(QWidget &window)
{
    KeepInside(window, AvailableAreaFor(window.frameGeometry()));
}

QWidget *ScrollingPane(QWidget *content)
{
    auto *area = new QScrollArea(content->parentWidget());
    area->setObjectName(content->objectName() + QStringLiteral("Scroller"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

void CScreenFit::Install()
{
    static QPointer<CScreenFit> installed;
    if (installed || !qApp)
        return;
    installed = new CScreenFit(qApp);
    qApp->installEventFilter(installed);
}

bool CScreenFit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show || event->type() == QEvent::Move) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (isFittedWindow(w)) {
            if (event->type() == QEvent::Show && QGuiApplication::mouseButtons() == Qt::NoButton)
                KeepOnScreen(*w);
            fitLater(w);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CScreenFit::fitLater(QWidget *window)
{
    // Once the window has its final size and the user no longer drags it;
    // one check is pending per window.
    static const char *const kPending = "quadriviumFitPending";
    if (window->property(kPending).toBool())
        return;
    window->setProperty(kPending, true);
    QPointer<QWidget> w(window);
    QTimer::singleShot(kSettleMs, this, [this, w] {
        if (!w)
            return;
        w->setProperty(kPending, false);
        if (!w->isVisible() || !isFittedWindow(w))
            return;
        if (QGuiApplication::mouseButtons() != Qt::NoButton) {
            fitLater(w);
            return;
        }
        KeepOnScreen(*w);
    });
}

} // namespace quadrivium
