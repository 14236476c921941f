#include "surfacepaintdevice.h"

#include <QPainterPath>
#include <QPaintEngine>

namespace quadrivium {

namespace {

class SurfaceEngine : public QPaintEngine {
public:
    explicit SurfaceEngine(CPrintSurface &surface) : QPaintEngine(AllFeatures), m_surface(surface) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            line(lines[i].p1(), lines[i].p2());
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            line(lines[i].p1().toPoint(), lines[i].p2().toPoint());
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        for (int i = 1; i < count; ++i)
            line(points[i - 1], points[i]);
        if (mode != PolylineMode && count > 2)
            line(points[count - 1], points[0]);
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QPolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i].toPoint();
        drawPolygon(polygon.constData(), int(polygon.size()), mode);
    }
    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRect &r = rects[i];
            // A rectangle's corners as set, whatever the sign of its size.
            const QPoint a(r.x(), r.y()), b(r.x() + r.width(), r.y() + r.height());
            const QPoint corners[4] = {a, QPoint(b.x(), a.y()), b, QPoint(a.x(), b.y())};
            drawPolygon(corners, 4, OddEvenMode);
        }
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRect r(rects[i].x(), rects[i].y(), qRound(rects[i].width()), qRound(rects[i].height()));
            drawRects(&r, 1);
        }
    }
    void drawPath(const QPainterPath &path) override
    {
        for (const QPolygonF &polygon : path.toSubpathPolygons())
            drawPolygon(polygon.constData(), int(polygon.size()), PolylineMode);
    }

private:
    void line(QPoint from, QPoint to)
    {
        if (m_pen.style() == Qt::NoPen)
            return;
        const QColor c = m_pen.color();
        const ColorRef colour = ColorRef(c.red()) | ColorRef(c.green()) << 8 | ColorRef(c.blue()) << 16;
        m_surface.drawLine(from, to, colour, qMax(1, qRound(m_pen.widthF())));
    }

    CPrintSurface &m_surface;
    QPen m_pen;
};

} // namespace

CSurfacePaintDevice::CSurfacePaintDevice(CPrintSurface &surface)
    : m_surface(surface), m_engine(std::make_unique<SurfaceEngine>(surface))
{
}

CSurfacePaintDevice::~CSurfacePaintDevice() = default;

QPaintEngine *CSurfacePaintDevice::paintEngine() const
{
    return m_engine.get();
}

int CSurfacePaintDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
    case PdmHeight:
        return 100000;
    case PdmWidthMM:
    case PdmHeightMM:
        return 10000;
    case PdmNumColors:
        return m_surface.colorCount();
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 254;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return 0;
    }
}

} // namespace quadrivium
