#include "daybarsettings.h"

#include "barcustomizedialog.h"
#include "calendarbar.h"
#include "commandregistry.h"

#include <QAction>
#include <QSettings>

namespace quadrivium {

namespace {

std::vector<BarButton> dayButtons()
{
    std::vector<BarButton> buttons;
    for (int d = 1; d <= 31; ++d)
        buttons.push_back({kCmdFirstDay + d - 1, QString::number(d), QIcon()});
    return buttons;
}

} // namespace

CDayBarSettings::CDayBarSettings(CCalendarBar &bar, QSettings &settings, QObject *parent)
    : QObject(parent), m_bar(bar), m_settings(settings), m_buttons(QStringLiteral("Palette Tool Bar"), dayButtons())
{
    m_buttons.restore(m_settings);
    auto *customize = new QAction(tr("&Customize..."), &m_bar);
    connect(customize, &QAction::triggered, this, &CDayBarSettings::Customize);
    m_bar.addAction(customize);
    m_bar.setContextMenuPolicy(Qt::ActionsContextMenu);
    apply();
}

int CDayBarSettings::StoredColumns(const QSettings &settings)
{
    bool ok = false;
    const int columns = settings.value(QStringLiteral("General/Columns")).toInt(&ok);
    return ok && columns >= 1 && columns <= 31 ? columns : kDefaultColumns;
}

void CDayBarSettings::Customize()
{
    CBarCustomizeDialog dialog(m_buttons, m_bar.windowTitle(), &m_bar);
    if (dialog.exec() != QDialog::Accepted)
        return;
    apply();
    m_buttons.save(m_settings);
}

void CDayBarSettings::apply()
{
    m_bar.SetLayout(StoredColumns(m_settings), m_buttons.shown());
}

} // namespace quadrivium
