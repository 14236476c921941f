#include "splash.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace quadrivium {

namespace {
const QSize kPictureSize(420, 260);
}

CSplash::CSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_picture(kPictureSize)
{
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_picture.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/icons/splash.svg"));
    QPainter painter(&m_picture);
    renderer.render(&painter);
    setFixedSize(kPictureSize);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::close);
}

CSplash::~CSplash()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void CSplash::ShowOver(QWidget *over)
{
    QRect area = over ? over->frameGeometry() : QRect();
    if (!area.isValid() && QApplication::primaryScreen())
        area = QApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
    qApp->installEventFilter(this);
    show();
    raise();
    m_timer.start(kShowMs);
}

void CSplash::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_picture);
}

bool CSplash::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        close();
        break;
    case QEvent::Show:
        // A dialog opening at start-up must not stay hidden behind the picture.
        if (watched != this && qobject_cast<QDialog *>(watched))
            close();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quadrivium
