#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class QPainter;

namespace quadrivium {

/// A colour as the reports give it: 0x00BBGGRR, red in the low byte.
using ColorRef = std::uint32_t;
QColor ToQColor(ColorRef colour);

/// The grey that a surface of `colorCount` colours prints for `colour`:
/// surfaces of one or two colours get the average of red, green and blue as
/// grey; any other count, or 0 for "no count" (true colour), keeps it.
ColorRef PrintColor(ColorRef colour, int colorCount);

/// a·b/c in 64 bits, rounded to the nearest integer (halves away from 0).
int MulDiv(int a, int b, int c);

/// Text sizes in 0.1 mm. Every report measures its text here, at a
/// resolution of one pixel per 0.1 mm, so that a page breaks its lines the
/// same on screen, in a PDF file and on paper.
QSize TextExtent(const QFont &font, const QString &text);
/// The distance from the top of a text line to its baseline, in 0.1 mm.
int TextAscent(const QFont &font);

/// Measures many texts of one font as TextExtent does.
class TextMeasure {
public:
    explicit TextMeasure(const QFont &font);
    int width(const QString &text) const;
    /// The unrounded width; the widths of texts put together add up.
    qreal advance(const QString &text) const { return m_metrics.horizontalAdvance(text); }
    /// The height of every line of the font.
    int height() const { return m_height; }
    QSize extent(const QString &text) const { return QSize(width(text), m_height); }

private:
    QFontMetricsF m_metrics;
    int m_height;
};

/// A drawing target in 0.1 mm with the y axis pointing up: the top edge of
/// the page is y = 0, everything below it has negative y. Texts are placed
/// by their top-left corner. Colours go through PrintColor with the
/// surface's colour count.
class CPrintSurface {
public:
    virtual ~CPrintSurface() = default;

    virtual void drawText(QPoint topLeft, const QString &text, const QFont &font, ColorRef colour) = 0;
    /// A text turned by `escapement` tenths of a degree counter-clockwise
    /// about the centre of the box `box` it is placed in.
    virtual void drawRotatedText(const QRect &box, int escapement, const QString &text, const QFont &font,
                                 ColorRef colour) = 0;
    /// A solid or dashed line `width` units wide.
    virtual void drawLine(QPoint from, QPoint to, ColorRef colour, int width) = 0;
    /// The rectangle between two corners, filled and not outlined.
    virtual void fillRect(QPoint corner, QPoint opposite, ColorRef colour) = 0;
    /// 0 when the surface has no colour count (true colour).
    virtual int colorCount() const { return 0; }
};

/// A surface that draws on a painter of any paint device at the device's
/// own resolution, the page's top-left corner at the device's origin.
class CPainterSurface : public CPrintSurface {
public:
    /// `painter` is active on its device; `colorCount` as for PrintColor.
    explicit CPainterSurface(QPainter &painter, int colorCount = 0);
    ~CPainterSurface() override;

    void drawText(QPoint topLeft, const QString &text, const QFont &font, ColorRef colour) override;
    void drawRotatedText(const QRect &box, int escapement, const QString &text, const QFont &font,
                         ColorRef colour) override;
    void drawLine(QPoint from, QPoint to, ColorRef colour, int width) override;
    void fillRect(QPoint corner, QPoint opposite, ColorRef colour) override;
    int colorCount() const override { return m_colorCount; }

private:
    void use(const QFont &font, ColorRef colour);

    QPainter &m_painter;
    int m_colorCount;
    QFont m_font;
    int m_ascent = 0;
};

} // namespace quadrivium
