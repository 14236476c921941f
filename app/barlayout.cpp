#include "barlayout.h"

#include <QMainWindow>
#include <QSettings>

namespace quadrivium {

namespace {
const char *const kSummary = "General-Summary";
const char *const kBars = "General-Summary/Bars";
const char *const kState = "General/BarState";
constexpr int kStateVersion = 1;
} // namespace

void CheckBarState(QSettings &settings)
{
    const QVariant bars = settings.value(QLatin1String(kBars));
    if (!bars.isValid())
        return;
    bool ok = false;
    const int count = bars.toInt(&ok);
    if (!ok || count < 4 || count > 6) {
        settings.remove(QLatin1String(kSummary));
        settings.remove(QLatin1String(kState));
    }
}

void SaveBarLayout(QSettings &settings, const QMainWindow &window)
{
    settings.setValue(QLatin1String(kState), window.saveState(kStateVersion));
    settings.setValue(QLatin1String(kBars), kStoredBarCount);
}

bool RestoreBarLayout(QSettings &settings, QMainWindow &window)
{
    if (!settings.contains(QLatin1String(kBars)))
        return false;
    const QByteArray state = settings.value(QLatin1String(kState)).toByteArray();
    return !state.isEmpty() && window.restoreState(state, kStateVersion);
}

} // namespace quadrivium
