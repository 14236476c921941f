#include "statusbar.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

namespace quadrivium {

namespace {
// Lock bits of the X11 modifier state that key events carry.
constexpr quint32 kX11CapsLock = 0x02;
constexpr quint32 kX11NumLock = 0x10;
} // namespace

CStatusBar::CStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_capsLabel(indicator(QStringLiteral("CAP")))
    , m_numLabel(indicator(QStringLiteral("NUM")))
    , m_scrollLabel(indicator(QStringLiteral("SCRL")))
{
    setObjectName(QStringLiteral("statusBar"));
    addPermanentWidget(m_capsLabel);
    addPermanentWidget(m_numLabel);
    addPermanentWidget(m_scrollLabel);
    setLocks(false, false, false);
    qApp->installEventFilter(this);
}

CStatusBar::~CStatusBar()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

QLabel *CStatusBar::indicator(const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(text);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
    return label;
}

void CStatusBar::setLocks(bool caps, bool num, bool scroll)
{
    m_caps = caps;
    m_num = num;
    m_scroll = scroll;
    // Off indicators keep their place and show no text.
    m_capsLabel->setText(caps ? QStringLiteral("CAP") : QString());
    m_numLabel->setText(num ? QStringLiteral("NUM") : QString());
    m_scrollLabel->setText(scroll ? QStringLiteral("SCRL") : QString());
}

bool CStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        bool scroll = m_scroll;
        // A key event passes here once per widget it propagates to; toggle once.
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_ScrollLock && !key->isAutoRepeat()
            && key != m_lastScrollPress) {
            m_lastScrollPress = key;
            scroll = !scroll;
        }
        bool caps = m_caps;
        bool num = m_num;
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            caps = key->nativeModifiers() & kX11CapsLock;
            num = key->nativeModifiers() & kX11NumLock;
        }
        if (caps != m_caps || num != m_num || scroll != m_scroll)
            setLocks(caps, num, scroll);
    }
    return QStatusBar::eventFilter(watched, event);
}

} // namespace quadrivium
