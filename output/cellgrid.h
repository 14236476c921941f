#pragma once

#include "printsurface.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace quadrivium {

/// A table of cells drawn on a print surface: every print graphic is built
/// from these. Lengths are 0.1 mm; the grid's own coordinates run from
/// (0, 0) at its top-left corner to (width, -height).
class CCellGrid {
public:
    /// Grid flags.
    enum GridFlag : std::uint32_t {
        FitColumns = 1,
        FitRows = 2,
        DrawBorders = 4,
        DrawOuterFrame = 8,
        FillBackground = 16,
    };
    /// Cell flags.
    enum CellFlag : std::uint32_t {
        Left = 0x1,
        Right = 0x2,
        Center = 0x4,
        Top = 0x8,
        VCenter = 0x10,
        Bottom = 0x20,
        Fill = 0x40,
        OwnFont = 0x80,
        Shadow = 0x100,
        StrokeLeft = 0x200,
        StrokeRight = 0x400,
        StrokeTop = 0x800,
        StrokeBottom = 0x1000,
        NoColumnFit = 0x2000,
        NoRowFit = 0x4000,
        StrokeVMiddle = 0x8000,
        StrokeHMiddle = 0x10000,
        StrokeRising = 0x20000,
        StrokeFalling = 0x40000,
        StrokeForeground = 0x80000,
        StrokeBackground = 0x100000,
        GridCenter = 0x200000,
        RotatedFont = 0x400000,
        GridVCenter = 0x800000,
        StrokeMask = 0x79E00,
    };

    /// A grid of 5 columns by 3 rows with every default.
    explicit CCellGrid(CPrintSurface &surface);

    /// Sets the number of columns or rows; every cell goes back to its
    /// defaults and every width and height to 40.
    void SetColumns(int columns);
    void SetRows(int rows);
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    /// -1 when out of range; `fit` runs the fitting step first.
    int ColumnWidth(int column, bool fit = false);
    int RowHeight(int row, bool fit = false);
    int TotalWidth() const;
    int TotalHeight() const;
    int OuterWidth() const { return TotalWidth() + 2 * m_frameDistance; }
    int OuterHeight() const { return TotalHeight() + 2 * m_frameDistance; }

    void SetAllColumnWidths(int width);
    void SetAllRowHeights(int height);
    /// The column padding plus `width`.
    void SetColumnWidth(int column, int width);
    /// The row padding plus `height`.
    void SetRowHeight(int row, int height);
    void SetPaddings(int columnPadding, int rowPadding);
    void SetFrameDistance(int distance) { m_frameDistance = distance; }
    /// The page position of the grid's top-left corner.
    void SetOrigin(int x, int y) { m_origin = QPoint(x, y); }
    void SetGridFlags(std::uint32_t flags) { m_gridFlags = flags; }
    void SetPenColor(ColorRef colour) { m_penColour = colour; }
    void SetBackground(ColorRef colour) { m_background = colour; }
    void SetShadowColor(ColorRef colour) { m_shadow = colour; }
    void SetGridFont(const QString &face, int height, int weight);

    /// Moves the cursor; a coordinate out of range keeps its old value.
    void SetCursor(int column, int row);
    int cursorColumn() const { return m_column; }
    int cursorRow() const { return m_row; }

    // The cell at the cursor.
    std::uint32_t Flags() const;
    void SetFlags(std::uint32_t flags);
    void AddFlags(std::uint32_t flags);
    void SetText(const QString &text);
    void SetNumber(int number);
    QString Text() const;
    void AlignLeft();
    void AlignRight();
    void AlignCenter();
    void AlignGridCenter();
    void AlignTop();
    void AlignBottom();
    /// Replaces the stroke bits by those of `strokes`.
    void SetStrokes(std::uint32_t strokes);
    void SetCellColors(ColorRef foreground, ColorRef background);
    /// The cell's own font (`height` positive, a character height); a
    /// non-zero escapement (tenths of a degree) turns it.
    void SetCellFont(const QString &face, int height, int weight, int escapement = 0);
    /// Sets the flags of every cell.
    void SetAllFlags(std::uint32_t flags);

    /// Draws the grid on its surface at its origin.
    void Draw();

private:
    struct Cell {
        ColorRef background = 0xFFFFFF;
        ColorRef foreground = 0;
        std::uint32_t flags = 17;
        QString text;
        std::optional<QFont> font;
        int escapement = 0;
    };

    Cell &cell() { return m_cells[std::size_t(m_row * m_columns + m_column)]; }
    const Cell &cell() const { return m_cells[std::size_t(m_row * m_columns + m_column)]; }
    void rebuild();
    void fit();
    QSize textSize(const Cell &cell) const;
    QPoint page(int x, int y) const { return QPoint(m_origin.x() + x, m_origin.y() + y); }
    void line(int x1, int y1, int x2, int y2, ColorRef colour);

    CPrintSurface &m_surface;
    ColorRef m_penColour = 0;
    ColorRef m_background = 0xFFFFFF;
    int m_frameDistance = 10;
    int m_columnPadding = 20;
    int m_rowPadding = 10;
    std::uint32_t m_gridFlags = 31;
    ColorRef m_shadow = 0xC0C0C0;
    QFont m_gridFont;
    std::vector<Cell> m_cells;
    int m_column = 0;
    int m_row = 0;
    QPoint m_origin;
    std::vector<int> m_rowHeights;
    std::vector<int> m_columnWidths;
    int m_rows = 3;
    int m_columns = 5;
};

/// A font of `face` whose characters are `height` units (0.1 mm) high.
QFont PrintFont(const QString &face, int height, int weight, bool italic = false);

} // namespace quadrivium
