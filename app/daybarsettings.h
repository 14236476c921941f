#pragma once

#include "barbuttons.h"

#include <QObject>

class QSettings;

namespace quadrivium {

class CCalendarBar;

/// The calendar's day buttons as a customisable bar: which days it shows
/// and in what order (kept as "Palette Tool Bar"), and in how many columns
/// ("General"/"Columns", 7 when not set). The bar's context menu offers
/// the customisation.
class CDayBarSettings : public QObject {
    Q_OBJECT
public:
    CDayBarSettings(CCalendarBar &bar, QSettings &settings, QObject *parent = nullptr);

    static constexpr int kDefaultColumns = 7;
    /// "General"/"Columns" of the settings; 7 when missing or not 1..31.
    static int StoredColumns(const QSettings &settings);

    BarButtons &buttons() { return m_buttons; }
    /// Opens the customisation dialog; OK lays the bar out again and saves.
    void Customize();

private:
    void apply();

    CCalendarBar &m_bar;
    QSettings &m_settings;
    BarButtons m_buttons;
};

} // namespace quadrivium
