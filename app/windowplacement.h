#pragma once

#include <QRect>
#include <QString>

#include <optional>

class QSettings;
class QWidget;

namespace quadrivium {

/// A main window's placement as kept in "Settings"/"WindowPos": the text
/// "flags,show,minX,minY,maxX,maxY,left,top,right,bottom".
struct WindowPlacement {
    static constexpr unsigned kRestoreToMaximized = 2; ///< flag: reopen maximised
    enum Show : unsigned { ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3 };

    unsigned flags = 0;
    unsigned show = ShowNormal;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    QRect normal; ///< the window's geometry when neither minimised nor maximised

    bool maximized() const;
    friend bool operator==(const WindowPlacement &, const WindowPlacement &) = default;
};

/// The stored text of a placement.
QString FormatWindowPlacement(const WindowPlacement &placement);
/// Reads a stored text; nothing unless it holds exactly ten numbers and a
/// normal rectangle that is not empty.
std::optional<WindowPlacement> ParseWindowPlacement(const QString &text);

/// The placement of `window` now.
WindowPlacement PlacementOf(const QWidget &window);
/// Places and shows `window`: maximised when the placement says so,
/// otherwise normally at its rectangle (moved onto the primary screen
/// when it lies on no screen), fitted into the available area of its screen.
void ApplyPlacement(QWidget &window, const WindowPlacement &placement);

/// "Settings"/"WindowPos" of the settings store.
bool HasStoredPlacement(QSettings &settings);
std::optional<WindowPlacement> ReadStoredPlacement(QSettings &settings);
void WriteStoredPlacement(QSettings &settings, const WindowPlacement &placement);

} // namespace quadrivium
