#pragma once

#include <QToolBar>

namespace quadrivium {

/// A toolbar that can be shown flat (buttons raised only under the mouse)
/// or plain (every button drawn raised), as the "Toolbars" setting says.
class CFlatToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CFlatToolBar(const QString &title, QWidget *parent = nullptr);

    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);

protected:
    void actionEvent(QActionEvent *event) override;

private:
    void applyStyle();
    bool m_flat = true;
};

} // namespace quadrivium
