#include "writtennotice.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

namespace quadrivium {

namespace {
constexpr int kShownMs = 20000;
}

void ShowWritten(QWidget *widget, const QString &message)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *window = qobject_cast<QMainWindow *>(w)) {
            window->statusBar()->showMessage(message, kShownMs);
            return;
        }
    }
}

QString WrittenTo(const QString &what, const QString &path)
{
    return QObject::tr("%1 saved as %2").arg(what, QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
}

} // namespace quadrivium
