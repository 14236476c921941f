#pragma once

#include <QStatusBar>

class QLabel;

namespace quadrivium {

/// The status bar: the message pane (command descriptions) and the
/// Caps Lock, Num Lock and Scroll Lock indicators, which follow the lock
/// state carried by the key events the program receives.
class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget *parent = nullptr);
    ~CStatusBar() override;

    void setLocks(bool caps, bool num, bool scroll);
    bool capsLock() const { return m_caps; }
    bool numLock() const { return m_num; }
    bool scrollLock() const { return m_scroll; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *indicator(const QString &text);
    QLabel *m_capsLabel;
    QLabel *m_numLabel;
    QLabel *m_scrollLabel;
    bool m_caps = false;
    bool m_num = false;
    bool m_scroll = false;
    const QEvent *m_lastScrollPress = nullptr;
};

} // namespace quadrivium
