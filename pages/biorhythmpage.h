#pragma once

#include "quadriviumdoc.h"
#include "readingpage.h"

#include "engine/biorhythm.h"
#include "engine/corenumbers.h"
#include "output/biorhythmgraph.h"

#include <QWidget>

#include <array>

class QAbstractButton;

namespace quadrivium {

/// A curve's pen width (1..5) and style (1..4) from the document's
/// settings; stored values out of range (an edited settings file) are held
/// to what the settings sheet offers.
int CurveWidth(const CQuadriviumDoc &document, Curve curve);
int CurveStyle(const CQuadriviumDoc &document, Curve curve);
/// The settings a curve's width and style are kept under.
DocumentSettings::Value CurveWidthSetting(Curve curve);
DocumentSettings::Value CurveStyleSetting(Curve curve);
/// The document's switch of a curve (showPhysical, showEmotional, showIntellectual).
bool &CurveShown(CQuadriviumDoc &document, Curve curve);
bool CurveShown(const CQuadriviumDoc &document, Curve curve);

/// Pen width and dash run of each curve from the document's settings
/// (run = style - 1, or -1 for a curve switched off).
void ApplyCurveSettings(const CQuadriviumDoc &document, CBiorhythmGraph &graph);

/// The tooltip of a day: the full date in the locale's long form, then the
/// curves among `shown` that cross zero on that day, e.g.
/// "Tuesday, 3 March 2026 - critical: physical".
QString DayTooltip(const DateTimeValue &birth, const DateTimeValue &day, const std::array<bool, 3> &shown);

/// The graph area of the biorhythm page: the month graph on the window
/// colour, in the curve settings of the document.
class CBiorhythmControl : public QWidget {
    Q_OBJECT
public:
    CBiorhythmControl(const CQuadriviumDoc &document, QWidget *parent = nullptr);
    CBiorhythmGraph &graph() { return m_graph; }
    const CBiorhythmGraph &graph() const { return m_graph; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    const CQuadriviumDoc &m_document;
    CBiorhythmGraph m_graph;
};

/// The biorhythm reading: under a caption naming month, year and person, a
/// strip of day buttons above the month graph of
/// the document's chosen day. A day button chooses that day of the month;
/// every change of the chosen day updates the graph, the classes and, while
/// the reading is current, the texts.
class CBiorythmus : public CReadingPage {
    Q_OBJECT
public:
    explicit CBiorythmus(CQuadriviumDoc &document, QWidget *parent = nullptr, Clock clock = SystemToday);

    int command() const override;
    QString tabText() const override;
    QString menuText() const override;
    QString iconName() const override;
    void refill() override;
    /// The texts of the chosen day's classes; the introduction when all
    /// three classes are 0.
    void showIntroduction() override;

    /// Classes the chosen day for every shown curve; 0 for the others.
    void Evaluate();
    /// 1 high, 2 middle, 3 low, 0 not shown or not classified yet.
    int curveClass(Curve curve) const { return m_classes[static_cast<std::size_t>(curve)]; }
    /// The button of day 1..31 of the strip.
    QAbstractButton *dayButton(int day) const;
    CBiorhythmControl *graphControl() const { return m_control; }
    /// Tooltip of day button `day` in the month shown.
    QString dayTooltip(int day) const;

    QSize minimumSizeHint() const override;
    /// The caption above the day strip: the month shown in capitals and its
    /// year, e.g. "MARCH 2026"; the current person's name stands beside it.
    QString monthCaption() const;

signals:
    /// The context menu's "Calendar": show the calendar bar.
    void calendarRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    /// Graph dates, layout, classes and check marks for the chosen day.
    void followChosenDay();
    void layoutPage(int width, int height);
    int captionHeight() const;
    int graphTop() const;

    QWidget *m_strip;
    std::array<QAbstractButton *, 31> m_days{};
    CBiorhythmControl *m_control;
    Clock m_clock;
    std::array<int, 3> m_classes{};
};

} // namespace quadrivium
