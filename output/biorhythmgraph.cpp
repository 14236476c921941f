#include "biorhythmgraph.h"

#include <QDateTime>
#include <QPainter>
#include <QPolygon>
#include <QPrinter>

#include <cmath>
#include <cstdlib>

namespace quadrivium {

CBiorhythmGraph::CBiorhythmGraph()
    : m_birth(DateTimeValue::fromFields(1977, 3, 19, 10, 0))
{
    const QDateTime now = QDateTime::currentDateTime();
    const QTime t = now.time();
    SetMonthStart(DateTimeValue::fromFields(now.date().year(), now.date().month(), now.date().day(), t.hour(),
                                            t.minute(), t.second()));
    m_presentDay = m_monthStart.datePart();
}

void CBiorhythmGraph::SetMonthStart(const DateTimeValue &monthStart)
{
    m_monthStart = monthStart;
    if (const auto date = monthStart.civilDate())
        m_daysInMonth = DaysInMonth(date->year, date->month);
}

void CBiorhythmGraph::SetArea(int x, int y, int width, int height)
{
    m_left = x;
    m_top = y;
    m_width = width;
    m_height = height;
    m_zeroX = x;
    m_zeroY = y + height / 2;
    m_pixelsPerDay = static_cast<double>(width) / m_daysInMonth;
}

void CBiorhythmGraph::SetCurve(Curve curve, int penWidth, int dashRun)
{
    m_pens[index(curve)] = {penWidth, dashRun};
}

QColor CBiorhythmGraph::CurveColour(Curve curve)
{
    switch (curve) {
    case Curve::Physical:
        return QColor(255, 0, 0);
    case Curve::Emotional:
        return QColor(0, 255, 0);
    case Curve::Intellectual:
        return QColor(0, 0, 255);
    }
    return QColor(0, 0, 0);
}

int CBiorhythmGraph::SurfaceColourCount(const QPaintDevice *device)
{
    if (!device)
        return 0;
    switch (device->devType()) {
    case QInternal::Printer:
        return static_cast<const QPrinter *>(device)->colorMode() == QPrinter::GrayScale ? 2 : 0;
    case QInternal::Widget:
        return 0; // a screen shows colour; a widget drawn off screen knows no count
    default:
        return device->colorCount();
    }
}

QColor CBiorhythmGraph::SurfaceColour(const QColor &colour, int colours)
{
    if (colours != 1 && colours != 2)
        return colour;
    const int grey = (colour.red() + colour.green() + colour.blue()) / 3;
    return QColor(grey, grey, grey);
}

std::vector<QPoint> CBiorhythmGraph::CurvePoints(Curve curve) const
{
    const int period = CurvePeriod(curve);
    const double step = kCurveTurn / (10 * period);
    const int amplitude = (m_height - m_height / 10) / 2;
    const int steps = static_cast<int>(m_daysInMonth * 10.0);
    double angle = (m_monthStart - m_birth) * step * 10;
    std::vector<QPoint> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        points.emplace_back(m_zeroX + static_cast<int>(i * m_pixelsPerDay * 0.1),
                            m_zeroY + static_cast<int>(-std::sin(angle) * amplitude));
        angle += step;
    }
    return points;
}

int CBiorhythmGraph::ClassifyPresentDay(Curve curve) const
{
    if (m_pens[index(curve)].run == -1)
        return 0;
    return Classify(m_birth, m_presentDay, CurvePeriod(curve));
}

int CBiorhythmGraph::dayLeft(int d) const
{
    double x = 0.0;
    for (int i = 0; i < d; ++i)
        x += m_pixelsPerDay;
    return m_left + static_cast<int>(x);
}

void CBiorhythmGraph::DrawRuns(QPainter &painter, const std::vector<QPoint> &points, int run)
{
    if (points.size() < 2)
        return;
    if (run <= 0) {
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        return;
    }
    // A switch flips between skipping and drawing every `run` samples; a
    // drawn sample is a line from the sample before.
    QPolygon piece;
    int counter = 0;
    bool draw = false;
    auto flush = [&] {
        if (piece.size() > 1)
            painter.drawPolyline(piece);
        piece.clear();
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (counter == run - 1) {
            draw = !draw;
            counter = 0;
        } else {
            ++counter;
        }
        if (!draw) {
            flush();
            continue;
        }
        if (piece.isEmpty())
            piece << points[i - 1];
        piece << points[i];
    }
    flush();
}

void CBiorhythmGraph::Draw(QPainter &painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const int colours = SurfaceColourCount(painter.device());
    if (m_flags & Frame) {
        QPen pen(SurfaceColour(m_frameColour, colours), 1);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawRect(QRect(m_left, m_top, m_width, m_height));
    }
    if (m_flags & Grid)
        drawGrid(painter, colours);
    for (Curve c : kCurves) {
        const CurvePen &p = m_pens[index(c)];
        if (p.run == -1)
            continue;
        QPen pen(SurfaceColour(CurveColour(c), colours), qMax(1, p.width));
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        DrawRuns(painter, CurvePoints(c), p.run);
    }
    painter.restore();
}

void CBiorhythmGraph::drawGrid(QPainter &painter, int colours) const
{
    QPen framePen(SurfaceColour(m_frameColour, colours), 1);
    framePen.setCosmetic(true);
    const QColor mark = SurfaceColour(m_markColour, colours);
    QPen markPen(mark, 1);
    markPen.setCosmetic(true);
    painter.setBackgroundMode(Qt::TransparentMode);
    const DateTimeValue present = m_presentDay.datePart();
    double across = 0.0;
    for (int d = 0; d < m_daysInMonth; ++d) {
        const int x = m_left + static_cast<int>(across);
        across += m_pixelsPerDay;
        painter.setPen(framePen);
        painter.drawLine(x, m_top, x, m_top + m_height);
        if ((m_flags & MarkPresentDay) && present.isValid()
            && present.days() == m_monthStart.addDays(d).datePart().days()) {
            const int columnWidth = static_cast<int>(m_pixelsPerDay) + 1;
            if (m_flags & FillPresentDay) {
                // The column's rows from the top edge, one per pixel of height.
                const int rows = std::abs(m_height);
                const int first = m_height >= 0 ? m_top : m_top - rows + 1;
                painter.fillRect(QRect(x + 1, first, columnWidth, rows), mark);
            } else {
                constexpr int kHatchLines = 50;
                const double step = m_height / static_cast<double>(kHatchLines);
                painter.setPen(markPen);
                for (int j = 0; j < kHatchLines; ++j) {
                    const int y = m_top + static_cast<int>(j * step);
                    painter.drawLine(x + 1, y, x + columnWidth, y);
                }
            }
        }
        if (m_flags & DayNumbers) {
            painter.setPen(framePen);
            drawDayNumber(painter, d, x);
        }
    }
    painter.setPen(framePen);
    painter.drawLine(m_zeroX, m_zeroY, m_zeroX + m_width, m_zeroY);
}

void CBiorhythmGraph::drawDayNumber(QPainter &painter, int d, int x) const
{
    const QString text = QString::number(m_monthStart.addDays(d).day());
    const int textHeight = painter.fontMetrics().height();
    const int columnWidth = static_cast<int>(m_pixelsPerDay);
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip;
    if (m_height >= 0) {
        painter.drawText(QRect(x, m_top + m_height + 2, columnWidth, textHeight), flags, text);
        return;
    }
    // Upward y axis: the text stands below the bottom edge, drawn upright.
    painter.save();
    painter.translate(x, m_top + m_height - 2);
    const bool flipped = painter.worldTransform().m22() < 0;
    if (flipped)
        painter.scale(1, -1);
    painter.drawText(QRect(0, flipped ? 0 : -textHeight, columnWidth, textHeight), flags, text);
    painter.restore();
}

} // namespace quadrivium
