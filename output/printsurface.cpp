#include "printsurface.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtMath>

namespace quadrivium {

namespace {

// One pixel per 0.1 mm: 10000 dots per metre.
const QImage &measureDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        return image;
    }();
    return device;
}

// Device pixels per 0.1 mm.
qreal scaleX(const QPainter &painter)
{
    return painter.device()->logicalDpiX() / 254.0;
}

qreal scaleY(const QPainter &painter)
{
    return painter.device()->logicalDpiY() / 254.0;
}

} // namespace

QColor ToQColor(ColorRef colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

ColorRef PrintColor(ColorRef colour, int colorCount)
{
    if (colorCount != 1 && colorCount != 2)
        return colour;
    const ColorRef grey = ((colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF)) / 3;
    return grey * 0x010101;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long half = (c < 0 ? -c : c) / 2;
    // Round halves away from zero.
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

TextMeasure::TextMeasure(const QFont &font)
    : m_metrics(font, &measureDevice()), m_height(qCeil(m_metrics.height()))
{
}

int TextMeasure::width(const QString &text) const
{
    return qCeil(m_metrics.horizontalAdvance(text));
}

QSize TextExtent(const QFont &font, const QString &text)
{
    return TextMeasure(font).extent(text);
}

int TextAscent(const QFont &font)
{
    return qRound(QFontMetricsF(font, &measureDevice()).ascent());
}

CPainterSurface::CPainterSurface(QPainter &painter, int colorCount) : m_painter(painter), m_colorCount(colorCount)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    // From here on one painter unit is 0.1 mm; y is turned by hand.
    m_painter.scale(scaleX(m_painter), scaleY(m_painter));
}

CPainterSurface::~CPainterSurface()
{
    m_painter.restore();
}

void CPainterSurface::use(const QFont &font, ColorRef colour)
{
    if (font != m_font || m_ascent == 0) {
        m_font = font;
        m_ascent = TextAscent(font);
        m_painter.setFont(font);
    }
    m_painter.setPen(ToQColor(PrintColor(colour, m_colorCount)));
}

void CPainterSurface::drawText(QPoint topLeft, const QString &text, const QFont &font, ColorRef colour)
{
    use(font, colour);
    m_painter.drawText(QPointF(topLeft.x(), -topLeft.y() + m_ascent), text);
}

void CPainterSurface::drawRotatedText(const QRect &box, int escapement, const QString &text, const QFont &font,
                                      ColorRef colour)
{
    use(font, colour);
    const QSize size = TextExtent(font, text);
    m_painter.save();
    m_painter.translate(box.center().x(), -box.center().y());
    m_painter.rotate(-escapement / 10.0);
    m_painter.drawText(QPointF(-size.width() / 2.0, -size.height() / 2.0 + m_ascent), text);
    m_painter.restore();
}

void CPainterSurface::drawLine(QPoint from, QPoint to, ColorRef colour, int width)
{
    QPen pen(ToQColor(PrintColor(colour, m_colorCount)), width);
    pen.setCapStyle(Qt::RoundCap);
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(from.x(), -from.y()), QPointF(to.x(), -to.y()));
}

void CPainterSurface::fillRect(QPoint corner, QPoint opposite, ColorRef colour)
{
    const QRectF rect = QRectF(QPointF(corner.x(), -corner.y()), QPointF(opposite.x(), -opposite.y())).normalized();
    m_painter.fillRect(rect, ToQColor(PrintColor(colour, m_colorCount)));
}

} // namespace quadrivium
