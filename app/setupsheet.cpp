#include "setupsheet.h"

#include "output/biorhythmgraph.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "pages/biorhythmpage.h"
#include "pages/quadriviumdoc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quadrivium {

namespace {

const char *const kCurveTexts[3] = {"The &Physical Curve", "The &Spiritual Curve", "The &Intellectual Curve"};

} // namespace

CLinePreview::CLinePreview(const CQuadriviumDoc &document, Curve curve, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_curve(curve)
{
    setMinimumSize(80, 16);
}

QSize CLinePreview::sizeHint() const
{
    return QSize(120, 20);
}

void CLinePreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const int width = CurveWidth(m_document, m_curve);
    const int style = CurveStyle(m_document, m_curve);
    // A straight sample through points three pixels apart, cut into runs
    // as the graph cuts its curve.
    std::vector<QPoint> samples;
    for (int x = 4; x <= this->width() - 4; x += 3)
        samples.emplace_back(x, height() / 2);
    QPen pen(CBiorhythmGraph::CurveColour(m_curve), width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    CBiorhythmGraph::DrawRuns(p, samples, style - 1);
}

CSetupSheet::CSetupSheet(CQuadriviumDoc &document, Page start, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("setupSheet"));
    setWindowTitle(LoadString(kStrSettings));
    m_pages = new QTabWidget(this);
    m_pages->addTab(makeGeneralPage(), QStringLiteral("General"));
    m_pages->addTab(makeBiorhythmPage(), QStringLiteral("Biorhythm"));
    m_pages->addTab(makeRulesPage(), QStringLiteral("Rules"));
    m_pages->setCurrentIndex(start);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page != Biorhythm)
            emit curvesChanged();
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

bool CSetupSheet::quickView() const
{
    return m_quickView->isChecked();
}

bool CSetupSheet::defaultToolbars() const
{
    return m_toolbars->isChecked();
}

LetterRules CSetupSheet::letterRules() const
{
    LetterRules rules;
    rules.accents = m_accents->currentIndex() == 1 ? AccentRule::Base : AccentRule::Ignore;
    rules.y = m_y->currentIndex() == 1 ? YRule::VowelIfNeeded : YRule::Consonant;
    return rules;
}

QWidget *CSetupSheet::makeRulesPage()
{
    auto *page = new QWidget;
    const LetterRules &rules = m_document.letterRules();
    m_accents = new QComboBox(page);
    m_accents->addItems({QStringLiteral("Not counted"), QStringLiteral("Counted as their base letter")});
    m_accents->setCurrentIndex(rules.accents == AccentRule::Base ? 1 : 0);
    m_y = new QComboBox(page);
    m_y->addItems({QStringLiteral("Always a consonant"),
                   QStringLiteral("A vowel where its part of the name has no other vowel")});
    m_y->setCurrentIndex(rules.y == YRule::VowelIfNeeded ? 1 : 0);
    auto *layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("&Accented letters (\u00e9, \u00f1, \u00f8, \u0142 ...):"), m_accents);
    layout->addRow(QStringLiteral("&Y:"), m_y);
    auto *note = new QLabel(QStringLiteral("Umlauts and \u00df keep their own rules. Every reading states the rules "
                                           "it was made with when they differ from the first choices."),
                            page);
    note->setWordWrap(true);
    layout->addRow(note);
    return page;
}

QWidget *CSetupSheet::makeGeneralPage()
{
    auto *page = new QWidget;
    const DocumentSettings &s = m_document.settings();
    m_quickView = new QCheckBox(QStringLiteral("&Quick View"), page);
    m_quickView->setChecked(s.value(DocumentSettings::QuickView) != 0);
    m_toolbars = new QCheckBox(QStringLiteral("&Default Toolbars"), page);
    m_toolbars->setChecked(s.value(DocumentSettings::Toolbars) != 0);
    m_autoload = new QCheckBox(QStringLiteral("&Open Last File at Program Start"), page);
    m_autoload->setChecked(s.value(DocumentSettings::Autoload) != 0);
    m_quickView->setToolTip(QStringLiteral("Shows a pane beside the pages with the current person's numbers at a glance"));
    m_toolbars->setToolTip(QStringLiteral("Draws the main toolbar flat, without button frames"));
    m_autoload->setToolTip(QStringLiteral("Opens the person shown last with the birth chart when the program starts"));
    // Autoload is taken over at once, OK or not.
    connect(m_autoload, &QCheckBox::toggled, this,
            [this](bool on) { m_document.settings().set(DocumentSettings::Autoload, on ? 1 : 0); });
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(m_quickView);
    layout->addWidget(m_toolbars);
    layout->addWidget(m_autoload);
    layout->addStretch();
    return page;
}

QWidget *CSetupSheet::makeBiorhythmPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Width"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Style"), page), 0, 2);
    for (Curve c : kCurves) {
        const auto i = index(c);
        const int row = int(i) + 1;
        m_shown[i] = new QCheckBox(QString::fromLatin1(kCurveTexts[i]), page);
        m_shown[i]->setChecked(CurveShown(m_document, c));
        m_shown[i]->setToolTip(QStringLiteral("Draws this curve in the biorhythm graph and reads its text for the chosen day"));
        connect(m_shown[i], &QCheckBox::toggled, this, [this, c](bool on) {
            CurveShown(m_document, c) = on;
            emit curvesChanged();
        });
        m_width[i] = new QSpinBox(page);
        m_width[i]->setRange(1, 5);
        m_width[i]->setValue(CurveWidth(m_document, c));
        m_style[i] = new QSpinBox(page);
        m_style[i]->setRange(1, 4);
        m_style[i]->setValue(CurveStyle(m_document, c));
        m_preview[i] = new CLinePreview(m_document, c, page);
        grid->addWidget(m_shown[i], row, 0);
        grid->addWidget(m_width[i], row, 1);
        grid->addWidget(m_style[i], row, 2);
        grid->addWidget(m_preview[i], row, 3);
    }
    for (Curve c : kCurves) {
        connect(m_width[index(c)], &QSpinBox::valueChanged, this, &CSetupSheet::spinsChanged);
        connect(m_style[index(c)], &QSpinBox::valueChanged, this, &CSetupSheet::spinsChanged);
    }
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    return page;
}

void CSetupSheet::spinsChanged()
{
    DocumentSettings &s = m_document.settings();
    for (Curve c : kCurves) {
        const auto i = index(c);
        s.set(CurveWidthSetting(c), m_width[i]->value());
        s.set(CurveStyleSetting(c), m_style[i]->value());
    }
    for (CLinePreview *preview : m_preview)
        preview->update();
    emit curvesChanged();
}

} // namespace quadrivium
