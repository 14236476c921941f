#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace quadrivium {

/// The start-up picture: a borderless window centred on the main window,
/// gone after four seconds, at the first key press or mouse click, or as
/// soon as any dialog opens.
class CSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 4000;

    explicit CSplash(QWidget *parent = nullptr);
    ~CSplash() override;

    /// Shows the picture centred on `over` (or the screen).
    void ShowOver(QWidget *over);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPixmap m_picture;
    QTimer m_timer;
};

} // namespace quadrivium
