#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace quadrivium {

/// `rect` moved, and first shrunk where it is wider or higher than `area`,
/// so that it lies wholly inside `area`.
QRect FitRectInto(const QRect &rect, const QRect &area);

/// The available geometry (without panels and docks) of the screen that
/// holds the middle of `rect`, else of the screen it overlaps most, else of
/// the primary screen.
QRect AvailableAreaFor(const QRect &rect);

/// Moves the window `window`, frame included, inside `area`, shrinking it
/// as far as its minimum size allows when it is larger.
void KeepInside(QWidget &window, const QRect &area);
/// KeepInside the available area of the screen the window stands on.
void KeepOnScreen(QWidget &window);

/// A frameless scroll area holding `content`, which it sizes to the area's
/// room but never below the content's minimum size: with less room than
/// that, the area scrolls.
QWidget *ScrollingPane(QWidget *content);

/// Keeps the program's windows on the screen: every dialog and floating bar
/// is fitted into the available area of its screen when it is shown, and a
/// floating bar again once the user has let go of it after a move.
class CScreenFit : public QObject {
    Q_OBJECT
public:
    /// Watches all windows of the application.
    static void Install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    void fitLater(QWidget *window);
};

} // namespace quadrivium
