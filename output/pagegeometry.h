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
/// The same for a page size: its paper code and its sheet.
QSize PaperSize(const QPageSize &pageSize);
/// The sheet of a page size as it is printed in portrait orientation, in
/// 0.1 mm: the page size's own width and height (a few, such as Ledger, are
/// wider than high).
QSize SheetSize(const QPageSize &pageSize);

/// The layout frame of a report page, all in 0.1 mm with y pointing up.
struct PageGeometry {
    int left = 0, top = 0, right = 0, bottom = 0; ///< the page inside the margins
    int a = 0;  ///< 94 % of the printable height, rounded up
    int u = 30; ///< the frame unit: 88 units take `a` unless the width or height holds less
    int p1 = 20, p2 = 15, p3 = 50;
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
    bool operator==(const PageGeometry &) const = default;
};

/// The geometry of a page of `paper` (0.1 mm) with `margins`: the text
/// frame of 60 by 88 units about the middle of the page, as large as the
/// page inside the margins holds: 88 units take 94 % of its height unless
/// the frame would then be wider than it. A unit below 1 means the margins
/// leave no room. With a `sheet` (the paper as printed, 0.1 mm) everything
/// is moved so that the paper lies in the middle of the sheet: the table's
/// inch papers, at 250 units per inch, are a little smaller than theirs.
PageGeometry ComputePageGeometry(QSize paper, const PaperMargins &margins, QSize sheet = QSize());

} // namespace quadrivium
