#include "windowplacement.h"

#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>

namespace quadrivium {

namespace {
const char *const kKey = "Settings/WindowPos";
}

bool WindowPlacement::maximized() const
{
    return show == ShowMaximized || (show == ShowMinimized && (flags & kRestoreToMaximized));
}

QString FormatWindowPlacement(const WindowPlacement &p)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(p.flags)
        .arg(p.show)
        .arg(p.minPosition.x())
        .arg(p.minPosition.y())
        .arg(p.maxPosition.x())
        .arg(p.maxPosition.y())
        .arg(p.normal.left())
        .arg(p.normal.top())
        .arg(p.normal.left() + p.normal.width())
        .arg(p.normal.top() + p.normal.height());
}

std::optional<WindowPlacement> ParseWindowPlacement(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 10)
        return std::nullopt;
    int n[10];
    for (int i = 0; i < 10; ++i) {
        bool ok = false;
        const QString part = parts[i].trimmed();
        if (i < 2) {
            const uint u = part.toUInt(&ok);
            n[i] = static_cast<int>(u);
        } else {
            n[i] = part.toInt(&ok);
        }
        if (!ok)
            return std::nullopt;
    }
    WindowPlacement p;
    p.flags = static_cast<unsigned>(n[0]);
    p.show = static_cast<unsigned>(n[1]);
    p.minPosition = QPoint(n[2], n[3]);
    p.maxPosition = QPoint(n[4], n[5]);
    const qint64 width = qint64(n[8]) - n[6];
    const qint64 height = qint64(n[9]) - n[7];
    if (width <= 0 || height <= 0 || width > 100000 || height > 100000)
        return std::nullopt;
    p.normal = QRect(n[6], n[7], int(width), int(height));
    return p;
}

WindowPlacement PlacementOf(const QWidget &window)
{
    WindowPlacement p;
    const bool maximized = window.isMaximized();
    if (maximized)
        p.flags |= WindowPlacement::kRestoreToMaximized;
    p.show = window.isMinimized() ? WindowPlacement::ShowMinimized
             : maximized          ? WindowPlacement::ShowMaximized
                                  : WindowPlacement::ShowNormal;
    p.normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    return p;
}

void ApplyPlacement(QWidget &window, const WindowPlacement &placement)
{
    QRect rect = placement.normal;
    bool onScreen = false;
    for (QScreen *screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(rect);
    if (!onScreen) {
        if (QScreen *primary = QGuiApplication::primaryScreen())
            rect.moveTopLeft(primary->availableGeometry().topLeft());
    }
    // A placement kept on a larger screen, or at a smaller scale, is
    // brought inside the screen it comes back on.
    window.setGeometry(FitRectInto(rect, AvailableAreaFor(rect)));
    if (placement.maximized()) {
        window.showMaximized();
    } else {
        window.showNormal();
        KeepOnScreen(window); // its frame too
    }
}

bool HasStoredPlacement(QSettings &settings)
{
    return settings.contains(QLatin1String(kKey));
}

std::optional<WindowPlacement> ReadStoredPlacement(QSettings &settings)
{
    return ParseWindowPlacement(settings.value(QLatin1String(kKey)).toString());
}

void WriteStoredPlacement(QSettings &settings, const WindowPlacement &placement)
{
    settings.setValue(QLatin1String(kKey), FormatWindowPlacement(placement));
}

} // namespace quadrivium
