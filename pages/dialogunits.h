#pragma once

#include <QFont>
#include <QRect>

namespace quadrivium {

/// Converts the dialog units in which the pages are designed into pixels of
/// a font: a horizontal unit is a quarter of the font's average character
/// width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);

    int x(int units) const { return (units * m_baseX + 2) / 4; }
    int y(int units) const { return (units * m_baseY + 4) / 8; }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }
    QSize size(int width, int height) const { return QSize(x(width), y(height)); }

private:
    int m_baseX;
    int m_baseY;
};

/// The font the pages are designed in: a sans serif of 8 points.
QFont DialogFont();

} // namespace quadrivium
