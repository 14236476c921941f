#include "barbuttons.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace quadrivium {

BarButtons::BarButtons(QString valueName, std::vector<BarButton> offered)
    : m_valueName(std::move(valueName)), m_offered(std::move(offered))
{
    reset();
}

void BarButtons::setShown(const QList<int> &ids)
{
    m_shown.clear();
    for (int id : ids) {
        if (button(id) && !m_shown.contains(id))
            m_shown.append(id);
    }
}

void BarButtons::reset()
{
    m_shown.clear();
    for (const BarButton &b : m_offered)
        m_shown.append(b.id);
}

const BarButton *BarButtons::button(int id) const
{
    const auto it = std::find_if(m_offered.begin(), m_offered.end(),
                                 [id](const BarButton &b) { return b.id == id; });
    return it == m_offered.end() ? nullptr : &*it;
}

void BarButtons::restore(const QSettings &settings)
{
    if (!settings.contains(m_valueName))
        return;
    QList<int> ids;
    const QString stored = settings.value(m_valueName).toString();
    for (const QString &part : stored.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (ok)
            ids.append(id);
    }
    setShown(ids);
}

void BarButtons::save(QSettings &settings) const
{
    QStringList parts;
    for (int id : m_shown)
        parts << QString::number(id);
    settings.setValue(m_valueName, parts.join(QLatin1Char(',')));
}

} // namespace quadrivium
