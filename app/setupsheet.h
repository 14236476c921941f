#pragma once

#include "engine/biorhythm.h"
#include "engine/letterrules.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
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
/// person shown last at start), "Biorhythm" (which curves are shown,
/// their pen widths 1..5 and styles 1..4) and "Rules" (how accented
/// letters and Y are counted). The Biorhythm page and the autoload switch
/// act on the document at once, so the graph follows them; quick view, the
/// toolbar look and the rules are only read by the caller after OK.
class CSetupSheet : public QDialog {
    Q_OBJECT
public:
    enum Page { General = 0, Biorhythm = 1, Rules = 2 };

    CSetupSheet(CQuadriviumDoc &document, Page start, QWidget *parent = nullptr);

    /// The values of the General page's switches, to take over on OK.
    bool quickView() const;
    bool defaultToolbars() const;
    /// The rules the Rules page shows, to take over on OK.
    LetterRules letterRules() const;

    QTabWidget *pages() const { return m_pages; }
    QCheckBox *quickViewBox() const { return m_quickView; }
    QCheckBox *toolbarsBox() const { return m_toolbars; }
    QCheckBox *autoloadBox() const { return m_autoload; }
    QComboBox *accentsBox() const { return m_accents; }
    QComboBox *yBox() const { return m_y; }
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
    QWidget *makeRulesPage();
    /// Reads all six spins into the settings and repaints the previews.
    void spinsChanged();

    CQuadriviumDoc &m_document;
    QTabWidget *m_pages = nullptr;
    QCheckBox *m_quickView = nullptr;
    QCheckBox *m_toolbars = nullptr;
    QCheckBox *m_autoload = nullptr;
    QComboBox *m_accents = nullptr;
    QComboBox *m_y = nullptr;
    std::array<QCheckBox *, 3> m_shown{};
    std::array<QSpinBox *, 3> m_width{};
    std::array<QSpinBox *, 3> m_style{};
    std::array<CLinePreview *, 3> m_preview{};
};

} // namespace quadrivium
