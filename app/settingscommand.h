#pragma once

#include "pages/windowcommands.h"

#include <QObject>

namespace quadrivium {

class CMainFrame;
class CQuickView;

/// The settings sheet's commands of the main window: "&Settings" (22817)
/// and the biorhythm page's "Settings" (22777), and the quick view pane the
/// sheet switches. The sheet opens on its Biorhythm page when asked from the
/// biorhythm page or while the biorhythm shows. On OK the toolbar look and
/// the quick view are taken over; the biorhythm is classified again and, in
/// front, shows its texts anew. Cancel restores every value the sheet
/// changed.
class CSettingsCommand : public QObject {
    Q_OBJECT
public:
    /// Adds the commands to the frame's registry and makes the quick view,
    /// shown when the "QuickView" setting is on.
    explicit CSettingsCommand(CMainFrame &frame);

    /// Runs `id` when it is one of these commands; false otherwise.
    bool Run(int id);
    CQuickView *quickView() const { return m_quickView; }

private:
    void openSheet(bool onBiorhythmPage);
    /// Repaints the biorhythm graph and the quick view after a curve change.
    void curvesChanged();

    CMainFrame &m_frame;
    CQuickView *m_quickView;
};

} // namespace quadrivium
