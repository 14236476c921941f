#pragma once

#include "barbuttons.h"
#include "flattoolbar.h"

class QSettings;

namespace quadrivium {

class CCommandRegistry;

/// The chart-line bar: one button per line of the birth chart (commands
/// 5000..5015, "Intellect" to "Passiveness"); a click shows the line's
/// "Chart" text. The user chooses and orders its buttons through its
/// context menu; the choice is kept as "Standard Tool Bar".
class CChartLineBar : public CFlatToolBar {
    Q_OBJECT
public:
    static constexpr int kFirstLine = 5000;
    static constexpr int kLastLine = 5015;

    CChartLineBar(CCommandRegistry &registry, QSettings &settings, QWidget *parent = nullptr);

    /// The "Chart" NumberID that the button of command `id` shows; 0 when
    /// `id` is no line button.
    static int ChartNumberOf(int id);

    BarButtons &buttons() { return m_buttons; }
    /// Opens the customisation dialog; OK rebuilds and saves the bar.
    void Customize();
    /// Shows the buttons of buttons() in their order.
    void ApplyButtons();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    CCommandRegistry &m_registry;
    QSettings &m_settings;
    BarButtons m_buttons;
};

} // namespace quadrivium
