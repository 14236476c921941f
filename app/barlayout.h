#pragma once

class QMainWindow;
class QSettings;

namespace quadrivium {

/// The bar layout of the main window is kept under "General" (the state of
/// the bars) with a summary under "General-Summary" ("Bars": how many bars
/// the layout holds: menu bar, main bar, chart-line bar, calendar bar and
/// status bar).
constexpr int kStoredBarCount = 5;

/// Discards a stored bar layout whose bar count is not 4..6, so that the
/// bars start in their default places. Runs before the main window exists.
void CheckBarState(QSettings &settings);
/// Stores the layout of `window`'s bars.
void SaveBarLayout(QSettings &settings, const QMainWindow &window);
/// Restores a stored layout; false (nothing changed) when there is none.
bool RestoreBarLayout(QSettings &settings, QMainWindow &window);

} // namespace quadrivium
