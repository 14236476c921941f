#pragma once

#include <QSplitter>

namespace quadrivium {

/// A splitter whose handles ignore the mouse while it is locked, so the
/// panes keep the sizes the program gives them. Locked from the start.
class CAdvancedSplitterWnd : public QSplitter {
    Q_OBJECT
public:
    explicit CAdvancedSplitterWnd(Qt::Orientation orientation, QWidget *parent = nullptr);

    bool isLocked() const { return m_locked; }
    void setLocked(bool locked);

protected:
    QSplitterHandle *createHandle() override;

private:
    bool m_locked = true;
};

} // namespace quadrivium
