#pragma once

#include "printsurface.h"

#include <QPaintDevice>

#include <memory>

namespace quadrivium {

/// A paint device that hands what a painter draws on it to a print surface
/// in the surface's units: lines, polylines, polygon outlines and rectangle
/// outlines become surface lines in the pen's colour and width (a pen of
/// width 0 draws 1 unit wide). Texts, images, fills and transforms are not
/// carried over; it serves drawings made of lines, such as the biorhythm
/// graph.
class CSurfacePaintDevice : public QPaintDevice {
public:
    explicit CSurfacePaintDevice(CPrintSurface &surface);
    ~CSurfacePaintDevice() override;

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    CPrintSurface &m_surface;
    std::unique_ptr<QPaintEngine> m_engine;
};

} // namespace quadrivium
