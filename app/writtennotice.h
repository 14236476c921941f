#pragma once

#include <QString>

class QWidget;

namespace quadrivium {

/// Tells the user in the status bar of the main window that `widget`
/// belongs to what was just written and where, e.g. "Reading saved as
/// /home/anna/Chart.rtf". Nothing when the widget has no main window.
void ShowWritten(QWidget *widget, const QString &message);

/// "%1 saved as %2" with the file's full path in the system's notation.
QString WrittenTo(const QString &what, const QString &path);

} // namespace quadrivium
