#pragma once

#include <QRect>
#include <QSize>

class QPageSize;

namespace quadrivium {

/// Page margins in 0.01 mm.
struct PaperMargins {
    int left = 1500;
    int top = 1500;
    int right = 1500;
    int bottom = 1500;
    bool operator==(const PaperMargins &) const = default;
};

/// The paper of printer paper code `code` in 0.1 mm (portrait), by the
/// program's paper table; codes without a row in it, and the two whose row
/// fits neither paper (38, 39), give `realSize`, the paper's own size.
QSize PaperSize(int code, QSize realSize);
/// The same for a page size: its paper code and its own size.
QSize PaperSize(const QPageSize &pageSize);

/// The layout frame of a report page, all in 0.1 mm with y pointing up.
struct PageGeometry {
    int left = 0, top = 0, right = 0, bottom = 0; ///< the page inside the margins
    int a = 0;  ///< 94 % of the printable height, rounded up
    int u = 30; ///< the frame unit
    int p1 = 20, p2 = 15, p3 = 50;
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
    bool operator==(const PageGeometry &) const = default;
};

/// The geometry of a page of `paper` (0.1 mm) with `margins`: the text
/// frame of 60 by 88 units about the middle of the page.
PageGeometry ComputePageGeometry(QSize paper, const PaperMargins &margins);

} // namespace quadrivium
