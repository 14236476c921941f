#include "dialogunits.h"

#include <QFontMetrics>

namespace quadrivium {

DialogUnits::DialogUnits(const QFont &font)
{
    const QFontMetrics metrics(font);
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = qMax(1, (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2);
    m_baseY = qMax(1, metrics.height());
}

QFont DialogFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

} // namespace quadrivium
