#pragma once

#include <QIcon>
#include <QList>
#include <QString>

#include <vector>

class QSettings;

namespace quadrivium {

/// One button a customisable bar may hold: its command id, text and icon.
struct BarButton {
    int id = 0;
    QString text;
    QIcon icon;
};

/// The buttons of a customisable bar, saved in the program's settings as
/// the list of their command ids under one value name ("Standard Tool Bar"
/// for the chart-line bar, "Palette Tool Bar" for the calendar's days).
class BarButtons {
public:
    /// `offered` are all buttons the bar can hold, in their default order;
    /// the bar starts with all of them.
    BarButtons(QString valueName, std::vector<BarButton> offered);

    const QString &valueName() const { return m_valueName; }
    const std::vector<BarButton> &offered() const { return m_offered; }
    /// The ids the bar shows, in their order.
    const QList<int> &shown() const { return m_shown; }
    /// Takes `ids` in their order; ids not offered and repeats are dropped.
    void setShown(const QList<int> &ids);
    /// Back to every offered button in the default order.
    void reset();
    /// The offered button of `id`; null when not offered.
    const BarButton *button(int id) const;

    /// Reads the stored ids; a missing value keeps the default. An empty
    /// stored list is a bar without buttons.
    void restore(const QSettings &settings);
    void save(QSettings &settings) const;

private:
    QString m_valueName;
    std::vector<BarButton> m_offered;
    QList<int> m_shown;
};

} // namespace quadrivium
