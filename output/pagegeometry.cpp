#include "pagegeometry.h"

#include "printsurface.h"

#include <QPageSize>

#include <algorithm>
#include <cmath>

namespace quadrivium {

namespace {

struct PaperRow {
    int codes[3];
    int width;
    int height;
};

// Sizes in 0.1 mm; inch papers at 250 units per inch.
constexpr PaperRow kPapers[] = {
    {{1, 2, 18}, 2125, 2750}, {{3, 17, 0}, 2750, 4250}, {{4, 0, 0}, 4250, 2750},   {{5, 0, 0}, 2125, 3500},
    {{6, 0, 0}, 1375, 2125},  {{7, 0, 0}, 1800, 2625},  {{8, 0, 0}, 2970, 4200},   {{9, 10, 0}, 2100, 2970},
    {{11, 0, 0}, 1480, 2100}, {{12, 0, 0}, 2500, 3540}, {{13, 0, 0}, 1820, 2570},  {{14, 0, 0}, 2125, 3250},
    {{15, 0, 0}, 2150, 2750}, {{16, 0, 0}, 2500, 3500}, {{19, 0, 0}, 925, 2175},   {{20, 0, 0}, 1025, 2375},
    {{21, 0, 0}, 1125, 2575}, {{22, 0, 0}, 1175, 2750}, {{23, 0, 0}, 1250, 2875},  {{24, 0, 0}, 4250, 5500},
    {{25, 0, 0}, 5500, 8500}, {{26, 0, 0}, 8500, 11000}, {{27, 0, 0}, 1100, 2200}, {{28, 0, 0}, 1620, 2290},
    {{29, 0, 0}, 3240, 4580}, {{30, 0, 0}, 2290, 3240}, {{31, 0, 0}, 1140, 1620},  {{32, 0, 0}, 1140, 2290},
    {{33, 0, 0}, 2500, 3530}, {{34, 0, 0}, 1760, 2500}, {{35, 0, 0}, 1760, 1250},  {{36, 0, 0}, 1100, 2300},
    {{37, 0, 0}, 950, 1875},  {{40, 0, 0}, 2125, 3000}, {{41, 0, 0}, 2125, 3250},
};

} // namespace

QSize PaperSize(int code, QSize realSize)
{
    if (code > 0) {
        for (const PaperRow &row : kPapers) {
            for (int c : row.codes) {
                if (c == code)
                    return QSize(row.width, row.height);
            }
        }
    }
    return realSize;
}

QSize SheetSize(const QPageSize &pageSize)
{
    const QSizeF mm = pageSize.size(QPageSize::Millimeter);
    return QSize(qRound(mm.width() * 10), qRound(mm.height() * 10));
}

QSize PaperSize(const QPageSize &pageSize)
{
    return PaperSize(pageSize.windowsId(), SheetSize(pageSize));
}

PageGeometry ComputePageGeometry(QSize paper, const PaperMargins &margins, QSize sheet)
{
    const int dx = sheet.isValid() ? (sheet.width() - paper.width()) / 2 : 0;
    const int dy = sheet.isValid() ? (sheet.height() - paper.height()) / 2 : 0;
    PageGeometry g;
    g.left = dx + margins.left / 10;
    g.top = -dy - margins.top / 10;
    g.right = dx + paper.width() - margins.right / 10;
    g.bottom = -dy - paper.height() + margins.bottom / 10;
    const int w = g.right - g.left;
    const int h = g.bottom - g.top;
    g.a = int(std::ceil(0.94 * double(-h)));
    // The frame reaches 31 units left of the middle and 45 above it (29
    // right, 43 below): the unit by the height, unless that leaves the page.
    const int byHeight = int(std::ceil(double(g.a) / 88.0));
    const int byWidth = w < 0 ? -1 : (w / 2) / 31;
    const int toTop = h > 0 ? -1 : (-h / 2) / 45;
    g.u = std::min({byHeight, byWidth, toTop});
    g.p3 = int(std::ceil(1.66 * double(g.u)));
    g.p1 = MulDiv(g.u, 2, 3);
    g.p2 = g.u / 2;
    g.frameLeft = g.left + w / 2 - 31 * g.u;
    g.frameRight = g.frameLeft + 60 * g.u;
    g.frameTop = g.top + h / 2 + 45 * g.u;
    g.frameBottom = g.frameTop - 88 * g.u;
    return g;
}

} // namespace quadrivium
