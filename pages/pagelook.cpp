#include "pagelook.h"

#include "dialogunits.h"

#include <QPalette>
#include <QWidget>

namespace quadrivium {

void ApplyPageLook(QWidget &page)
{
    page.setFont(DialogFont());
    page.setAutoFillBackground(true);
    QPalette p = page.palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    p.setColor(QPalette::WindowText, Qt::black);
    page.setPalette(p);
}

QFont PagePixelFont(int pixels, QFont::Weight weight)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qMax(1, pixels));
    f.setWeight(weight);
    return f;
}

QFont PageTitleFont(const QWidget &page, QFont::Weight weight)
{
    return PagePixelFont(page.logicalDpiY() * 20 / 120, weight);
}

} // namespace quadrivium
