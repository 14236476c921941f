#pragma once

#include "engine/biorhythm.h"
#include "engine/datetimevalue.h"

#include <QColor>
#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

class QPaintDevice;
class QPainter;

namespace quadrivium {

/// One calendar month of the three biorhythm curves, drawn into a rectangle
/// of any painter: a widget, an image, an SVG file or a printer. The height
/// may be negative on a surface whose y axis points up; the curves keep their
/// orientation (positive values above the zero line on the surface).
class CBiorhythmGraph {
public:
    enum Flag : unsigned {
        DayNumbers = 0x01,     ///< the day of month under each day's column
        Grid = 0x02,           ///< a line at each day and the zero line
        Frame = 0x04,          ///< the rectangle around the graph
        MarkPresentDay = 0x08, ///< the present day's column marked in grey
        FillPresentDay = 0x10, ///< filled solidly; otherwise hatched with 50 lines
    };
    static constexpr unsigned kDefaultFlags = 0x1E;

    CBiorhythmGraph();
    virtual ~CBiorhythmGraph() = default;

    unsigned flags() const { return m_flags; }
    void SetFlags(unsigned flags) { m_flags = flags; }

    void SetBirthDate(const DateTimeValue &birth) { m_birth = birth; }
    /// The first day of the month shown, at 00:00; sets the number of days.
    void SetMonthStart(const DateTimeValue &monthStart);
    void SetPresentDay(const DateTimeValue &day) { m_presentDay = day; }
    /// The rectangle; call after SetMonthStart (the width per day follows
    /// from the month's length).
    void SetArea(int x, int y, int width, int height);
    /// Pen width in device pixels and dash run (style - 1; 0 a continuous
    /// line, -1 not drawn) of one curve.
    void SetCurve(Curve curve, int penWidth, int dashRun);

    const DateTimeValue &birthDate() const { return m_birth; }
    const DateTimeValue &monthStart() const { return m_monthStart; }
    const DateTimeValue &presentDay() const { return m_presentDay; }
    /// The rectangle as set (the height may be negative).
    QRect area() const { return QRect(m_left, m_top, m_width, m_height); }
    int daysInMonth() const { return m_daysInMonth; }
    double pixelsPerDay() const { return m_pixelsPerDay; }
    int penWidth(Curve curve) const { return m_pens[index(curve)].width; }
    int dashRun(Curve curve) const { return m_pens[index(curve)].run; }

    /// Draws frame, grid (with the present-day mark, day numbers and zero
    /// line) and the curves whose run is not -1, as the flags say.
    void Draw(QPainter &painter) const;

    /// The points of a curve in drawing order: ten per day and one at the
    /// first moment of the next month.
    std::vector<QPoint> CurvePoints(Curve curve) const;
    /// Class of the present day (1 high, 2 middle, 3 low); 0 for a curve
    /// that is not drawn.
    int ClassifyPresentDay(Curve curve) const;
    /// Left edge of day `d`'s column (0-based), as the grid places it.
    int dayLeft(int d) const;

    /// The colour of each curve on a colour surface.
    static QColor CurveColour(Curve curve);
    /// Draws the samples `points` as a curve of dash run `run`: a continuous
    /// line for 0; otherwise drawn and skipped runs of `run` samples, the
    /// first `run` - 1 samples skipped.
    static void DrawRuns(QPainter &painter, const std::vector<QPoint> &points, int run);
    /// The colours a surface shows: a grey-scale printer counts as two;
    /// 0 when the surface reports none (screens and colour printers).
    static int SurfaceColourCount(const QPaintDevice *device);
    /// The colour a pen gets on a surface of `colours` colours: on one or two,
    /// the grey of the mean of red, green and blue.
    static QColor SurfaceColour(const QColor &colour, int colours);

private:
    struct CurvePen {
        int width = 1;
        int run = 0;
    };
    static std::size_t index(Curve c) { return static_cast<std::size_t>(c); }
    void drawGrid(QPainter &painter, int colours) const;
    void drawDayNumber(QPainter &painter, int d, int x) const;

    unsigned m_flags = kDefaultFlags;
    int m_left = 0;
    int m_top = 0;
    int m_zeroX = 0;
    int m_zeroY = 0;
    int m_width = 0;
    int m_height = 0;
    std::array<CurvePen, 3> m_pens{};
    QColor m_frameColour{0, 0, 0};
    QColor m_markColour{128, 128, 128};
    DateTimeValue m_birth;
    DateTimeValue m_monthStart;
    DateTimeValue m_presentDay;
    int m_daysInMonth = 31;
    double m_pixelsPerDay = 0.0;
};

} // namespace quadrivium
