#pragma once

namespace quadrivium {

/// Commands of the main window that a page may ask for through
/// CReadingPage::commandRequested (its context menus).
enum WindowCommand : int {
    kCmdNew = 4775,
    kCmdOpen = 22776,
    kCmdEditFile = 22821,
    kCmdSettings = 22817,
    kCmdSettingsFromBiorhythm = 22777, ///< the settings sheet opened on its biorhythm page
};

} // namespace quadrivium
