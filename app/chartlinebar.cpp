#include "chartlinebar.h"

#include "barcustomizedialog.h"
#include "commandregistry.h"

#include "output/stringtable.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSettings>

namespace quadrivium {

namespace {

// "Chart" NumberID of each button, in button order (Intellect is the
// present 3-6-9 line, Determination the 1-5-9 line, Indecision the
// missing 1-5-9 line, ...).
constexpr int kChartNumbers[16] = {3, 4, 6, 5, 7, 8, 2, 1, 9, 10, 11, 12, 13, 14, 15, 16};

/// The button text: the part of the string before its line break.
QString buttonText(int id)
{
    return LoadString(id).section(QLatin1Char('\n'), 0, 0);
}

std::vector<BarButton> lineButtons(CCommandRegistry &registry)
{
    std::vector<BarButton> buttons;
    for (int id = CChartLineBar::kFirstLine; id <= CChartLineBar::kLastLine; ++id) {
        registry.add(id, buttonText(id));
        buttons.push_back({id, buttonText(id), QIcon()});
    }
    return buttons;
}

} // namespace

CChartLineBar::CChartLineBar(CCommandRegistry &registry, QSettings &settings, QWidget *parent)
    : CFlatToolBar(tr("Chart Lines"), parent)
    , m_registry(registry)
    , m_settings(settings)
    , m_buttons(QStringLiteral("Standard Tool Bar"), lineButtons(registry))
{
    setObjectName(QStringLiteral("chartLineBar"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_buttons.restore(m_settings);
    ApplyButtons();
}

int CChartLineBar::ChartNumberOf(int id)
{
    if (id < kFirstLine || id > kLastLine)
        return 0;
    return kChartNumbers[id - kFirstLine];
}

void CChartLineBar::ApplyButtons()
{
    clear();
    for (int id : m_buttons.shown()) {
        if (QAction *a = m_registry.action(id))
            addAction(a);
    }
}

void CChartLineBar::Customize()
{
    CBarCustomizeDialog dialog(m_buttons, windowTitle(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ApplyButtons();
    m_buttons.save(m_settings);
}

void CChartLineBar::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    connect(menu.addAction(tr("&Customize...")), &QAction::triggered, this, &CChartLineBar::Customize);
    menu.exec(event->globalPos());
}

} // namespace quadrivium
