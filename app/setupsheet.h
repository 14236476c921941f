#pragma once

#include "engine/biorhythm.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QSpinBox;
class QTabWidget;

namespace quadrivium {

class CQuadriviumDoc;

/// A sample of one curve's line: its colour, pen width and dash style as
/// the document's settings hold them.
class CLinePreview : public QWidget {
    Q_OBJECT
public:
    CLinePreview(const CQuadriviumDoc &document, Curve curve, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const CQuadriviumDoc &m_document;
    Curve m_curve;
};

/// The settings sheet: "General" (quick view, toolbar look, loading the
/// person shown last at start) and "Biorhythm" (which curves are shown,
/// their pen widths 1..5 and styles 1..4). The Biorhythm page and the
/// autoload switch act on the document at once, so the graph follows them;
/// quick view and the toolbar look are only read by the caller after OK.
class CSetupSheet : public QDialog {
    Q_OBJECT
public:
    enum Page { General = 0, Biorhythm = 1 };

    CSetupSheet(CQuadriviumDoc &document, Page start, QWidget *parent = nullptr);

    /// The values of the General page's switches, to take over on OK.
    bool quickView() const;
    bool defaultToolbars() const;

    QTabWidget *pages() const { return m_pages; }
    QCheckBox *quickViewBox() const { return m_quickView; }
    QCheckBox *toolbarsBox() const { return m_toolbars; }
    QCheckBox *autoloadBox() const { return m_autoload; }
    QCheckBox *shownBox(Curve curve) const { return m_shown[index(curve)]; }
    QSpinBox *widthSpin(Curve curve) const { return m_width[index(curve)]; }
    QSpinBox *styleSpin(Curve curve) const { return m_style[index(curve)]; }
    CLinePreview *preview(Curve curve) const { return m_preview[index(curve)]; }

signals:
    /// A curve setting changed, or the Biorhythm page was left: the graph
    /// is to be repainted.
    void curvesChanged();

private:
    static std::size_t index(Curve c) { return static_cast<std::size_t>(c); }
    QWidget *makeGeneralPage();
    QWidget *makeBiorhythmPage();
    /// Reads all six spins into the settings and repaints the previews.
    void spinsChanged();

    CQuadriviumDoc &m_document;
    QTabWidget *m_pages = nullptr;
    QCheckBox *m_quickView = nullptr;
    QCheckBox *m_toolbars = nullptr;
    QCheckBox *m_autoload = nullptr;
    std::array<QCheckBox *, 3> m_shown{};
    std::array<QSpinBox *, 3> m_width{};
    std::array<QSpinBox *, 3> m_style{};
    std::array<CLinePreview *, 3> m_preview{};
};

} // namespace quadrivium
