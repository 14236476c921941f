#include "pagelook.h"

#include "dialogunits.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace quadrivium {

void ApplyPageLook(QWidget &page)
{
    page.setFont(DialogFont());
    page.setAutoFillBackground(true);
    // Set explicitly: a page would otherwise take the role of its host.
    page.setBackgroundRole(QPalette::Window);
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

void DrawPageTitle(QPainter &painter, const QWidget &page, const QRect &area, const QString &title)
{
    const int centred = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextDontClip;
    painter.setFont(PageTitleFont(page));
    painter.setPen(Qt::white);
    painter.drawText(area, centred, title);
    painter.setPen(QColor(128, 0, 0));
    painter.drawText(area.translated(2, 1), centred, title);
}

QString NoReadingNotice()
{
    return QStringLiteral("The date of birth is not a valid date: no numbers can be shown.");
}

} // namespace quadrivium
