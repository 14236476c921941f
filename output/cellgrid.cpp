#include "cellgrid.h"

#include <cmath>

namespace quadrivium {

namespace {

constexpr std::uint32_t kHorizontalAlignment = CCellGrid::Left | CCellGrid::Right | CCellGrid::Center
                                               | CCellGrid::GridCenter;
constexpr std::uint32_t kVerticalAlignment = CCellGrid::Top | CCellGrid::VCenter | CCellGrid::Bottom
                                             | CCellGrid::GridVCenter;

} // namespace

QFont PrintFont(const QString &face, int height, int weight, bool italic)
{
    QFont font(face);
    font.setPixelSize(qMax(1, std::abs(height)));
    font.setWeight(QFont::Weight(qBound(1, weight == 0 ? 400 : weight, 1000)));
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

CCellGrid::CCellGrid(CPrintSurface &surface)
    : m_surface(surface), m_gridFont(PrintFont(QStringLiteral("Arial"), 25, 400))
{
    rebuild();
}

void CCellGrid::rebuild()
{
    m_cells.assign(std::size_t(m_rows * m_columns), Cell());
    m_columnWidths.assign(std::size_t(m_columns), 40);
    m_rowHeights.assign(std::size_t(m_rows), 40);
    m_column = qMin(m_column, qMax(0, m_columns - 1));
    m_row = qMin(m_row, qMax(0, m_rows - 1));
}

void CCellGrid::SetColumns(int columns)
{
    m_columns = qMax(0, columns);
    rebuild();
}

void CCellGrid::SetRows(int rows)
{
    m_rows = qMax(0, rows);
    rebuild();
}

int CCellGrid::ColumnWidth(int column, bool fitFirst)
{
    if (column < 0 || column >= m_columns)
        return -1;
    if (fitFirst)
        fit();
    return m_columnWidths[std::size_t(column)];
}

int CCellGrid::RowHeight(int row, bool fitFirst)
{
    if (row < 0 || row >= m_rows)
        return -1;
    if (fitFirst)
        fit();
    return m_rowHeights[std::size_t(row)];
}

int CCellGrid::TotalWidth() const
{
    int total = 0;
    for (int w : m_columnWidths)
        total += w;
    return total;
}

int CCellGrid::TotalHeight() const
{
    int total = 0;
    for (int h : m_rowHeights)
        total += h;
    return total;
}

void CCellGrid::SetAllColumnWidths(int width)
{
    m_columnWidths.assign(std::size_t(m_columns), width);
}

void CCellGrid::SetAllRowHeights(int height)
{
    m_rowHeights.assign(std::size_t(m_rows), height);
}

void CCellGrid::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < m_columns)
        m_columnWidths[std::size_t(column)] = m_columnPadding + width;
}

void CCellGrid::SetRowHeight(int row, int height)
{
    if (row >= 0 && row < m_rows)
        m_rowHeights[std::size_t(row)] = m_rowPadding + height;
}

void CCellGrid::SetPaddings(int columnPadding, int rowPadding)
{
    m_columnPadding = columnPadding;
    m_rowPadding = rowPadding;
}

void CCellGrid::SetGridFont(const QString &face, int height, int weight)
{
    m_gridFont = PrintFont(face, height, weight);
}

void CCellGrid::SetCursor(int column, int row)
{
    if (column >= 0 && column < m_columns)
        m_column = column;
    if (row >= 0 && row < m_rows)
        m_row = row;
}

std::uint32_t CCellGrid::Flags() const
{
    return m_cells.empty() ? 0 : cell().flags;
}

void CCellGrid::SetFlags(std::uint32_t flags)
{
    if (!m_cells.empty())
        cell().flags = flags;
}

void CCellGrid::AddFlags(std::uint32_t flags)
{
    SetFlags(Flags() | flags);
}

void CCellGrid::SetText(const QString &text)
{
    if (!m_cells.empty())
        cell().text = text;
}

void CCellGrid::SetNumber(int number)
{
    SetText(QString::number(number));
}

QString CCellGrid::Text() const
{
    return m_cells.empty() ? QString() : cell().text;
}

void CCellGrid::AlignLeft()
{
    SetFlags((Flags() & ~kHorizontalAlignment) | Left);
}

void CCellGrid::AlignRight()
{
    SetFlags((Flags() & ~kHorizontalAlignment) | Right);
}

void CCellGrid::AlignCenter()
{
    SetFlags((Flags() & ~kHorizontalAlignment) | Center);
}

void CCellGrid::AlignGridCenter()
{
    SetFlags((Flags() & ~kHorizontalAlignment) | GridCenter);
}

void CCellGrid::AlignTop()
{
    SetFlags((Flags() & ~kVerticalAlignment) | Top);
}

void CCellGrid::AlignBottom()
{
    SetFlags((Flags() & ~kVerticalAlignment) | Bottom);
}

void CCellGrid::SetStrokes(std::uint32_t strokes)
{
    SetFlags((Flags() & ~std::uint32_t(StrokeMask)) | (strokes & StrokeMask));
}

void CCellGrid::SetCellColors(ColorRef foreground, ColorRef background)
{
    if (m_cells.empty())
        return;
    cell().foreground = foreground;
    cell().background = background;
}

void CCellGrid::SetCellFont(const QString &face, int height, int weight, int escapement)
{
    if (m_cells.empty())
        return;
    cell().font = PrintFont(face, height, weight);
    cell().escapement = escapement;
    cell().flags |= OwnFont;
    if (escapement != 0)
        cell().flags |= RotatedFont;
}

void CCellGrid::SetAllFlags(std::uint32_t flags)
{
    for (Cell &c : m_cells)
        c.flags = flags;
}

QSize CCellGrid::textSize(const Cell &c) const
{
    const QFont &font = (c.flags & OwnFont) && c.font ? *c.font : m_gridFont;
    const QSize size = TextExtent(font, c.text);
    if (!(c.flags & RotatedFont))
        return size;
    // The span of the turned text rectangle's corners.
    const double angle = c.escapement * 0.0017444444444444445;
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const QPoint corner : {QPoint(size.width(), 0), QPoint(0, size.height()),
                                QPoint(size.width(), size.height())}) {
        const int x = int(std::lround(corner.x() * cosA - corner.y() * sinA));
        const int y = int(std::lround(corner.x() * sinA + corner.y() * cosA));
        minX = qMin(minX, x);
        maxX = qMax(maxX, x);
        minY = qMin(minY, y);
        maxY = qMax(maxY, y);
    }
    return QSize(maxX - minX, maxY - minY);
}

void CCellGrid::fit()
{
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const Cell &cell = m_cells[std::size_t(r * m_columns + c)];
            const QSize size = textSize(cell);
            int &width = m_columnWidths[std::size_t(c)];
            int &height = m_rowHeights[std::size_t(r)];
            if ((m_gridFlags & FitColumns) && !(cell.flags & NoColumnFit) && width - m_columnPadding < size.width())
                width = m_columnPadding + size.width();
            if ((m_gridFlags & FitRows) && !(cell.flags & NoRowFit) && height - m_rowPadding < size.height())
                height = m_rowPadding + size.height();
        }
    }
}

void CCellGrid::line(int x1, int y1, int x2, int y2, ColorRef colour)
{
    m_surface.drawLine(page(x1, y1), page(x2, y2), PrintColor(colour, m_surface.colorCount()), 1);
}

void CCellGrid::Draw()
{
    fit();
    const int width = TotalWidth();
    const int height = TotalHeight();
    const int d = m_frameDistance;
    const int colours = m_surface.colorCount();
    if (m_gridFlags & FillBackground)
        m_surface.fillRect(page(-d, d), page(width + d, -(height + d)), PrintColor(m_background, colours));

    int top = 0;
    for (int r = 0; r < m_rows; ++r) {
        const int rowHeight = m_rowHeights[std::size_t(r)];
        int left = 0;
        for (int c = 0; c < m_columns; ++c) {
            const int columnWidth = m_columnWidths[std::size_t(c)];
            const Cell &cell = m_cells[std::size_t(r * m_columns + c)];
            if (cell.flags & Fill)
                m_surface.fillRect(page(left, top), page(left + columnWidth, top - rowHeight),
                                   PrintColor(cell.background, colours));
            if (!cell.text.isEmpty()) {
                const QFont &font = (cell.flags & OwnFont) && cell.font ? *cell.font : m_gridFont;
                const QSize size = textSize(cell);
                int x = left;
                if (cell.flags & Left)
                    x = left + m_columnPadding / 2;
                else if (cell.flags & Center)
                    x = left + (columnWidth - size.width()) / 2;
                else if (cell.flags & Right)
                    x = left + columnWidth - m_columnPadding / 2 - size.width();
                else if (cell.flags & GridCenter)
                    x = -d + (width + 2 * d - size.width()) / 2;
                int y = top;
                if (cell.flags & Top)
                    y = top - m_rowPadding / 2;
                else if (cell.flags & VCenter)
                    y = top - (rowHeight - size.height()) / 2;
                else if (cell.flags & Bottom)
                    y = top - rowHeight + m_rowPadding / 2 + size.height();
                else if (cell.flags & GridVCenter)
                    y = d - (height + 2 * d - size.height()) / 2;
                const auto put = [&](int px, int py, ColorRef colour) {
                    colour = PrintColor(colour, colours);
                    if (cell.flags & RotatedFont) {
                        const QPoint corner = page(px, py);
                        m_surface.drawRotatedText(QRect(corner.x(), corner.y(), size.width(), size.height()),
                                                  cell.escapement, cell.text, font, colour);
                    } else {
                        m_surface.drawText(page(px, py), cell.text, font, colour);
                    }
                };
                if (cell.flags & Shadow)
                    put(x - 2, y + 2, m_shadow);
                put(x, y, cell.foreground);
            }
            left += columnWidth;
        }
        top -= rowHeight;
    }

    if (m_gridFlags & DrawOuterFrame) {
        for (const int e : {0, d}) {
            line(-e, e, width + e, e, 0);
            line(width + e, e, width + e, -(height + e), 0);
            line(width + e, -(height + e), -e, -(height + e), 0);
            line(-e, -(height + e), -e, e, 0);
        }
        line(0, 0, -d, d, 0);
        line(width, 0, width + d, d, 0);
        line(width, -height, width + d, -(height + d), 0);
        line(0, -height, -d, -(height + d), 0);
    }

    if (m_gridFlags & DrawBorders) {
        top = 0;
        for (int r = 0; r < m_rows; ++r) {
            const int bottom = top - m_rowHeights[std::size_t(r)];
            int left = 0;
            for (int c = 0; c < m_columns; ++c) {
                const int right = left + m_columnWidths[std::size_t(c)];
                const Cell &cell = m_cells[std::size_t(r * m_columns + c)];
                const std::uint32_t f = cell.flags;
                const ColorRef colour = (f & StrokeForeground)   ? cell.foreground
                                        : (f & StrokeBackground) ? cell.background
                                                                 : m_penColour;
                if (f & StrokeLeft)
                    line(left, top, left, bottom, colour);
                if (f & StrokeRight)
                    line(right, top, right, bottom, colour);
                if (f & StrokeTop)
                    line(left, top, right, top, colour);
                if (f & StrokeBottom)
                    line(left, bottom, right, bottom, colour);
                if (f & StrokeVMiddle)
                    line((left + right) / 2, top, (left + right) / 2, bottom, colour);
                if (f & StrokeHMiddle)
                    line(left, (top + bottom) / 2, right, (top + bottom) / 2, colour);
                if (f & StrokeRising)
                    line(left, bottom, right, top, colour);
                if (f & StrokeFalling)
                    line(left, top, right, bottom, colour);
                left = right;
            }
            top = bottom;
        }
    }
}

} // namespace quadrivium
