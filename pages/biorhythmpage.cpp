#include "biorhythmpage.h"

#include "pagelook.h"
#include "quadriviumdoc.h"
#include "windowcommands.h"

#include "output/stringtable.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QHelpEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QToolTip>

namespace quadrivium {

namespace {

constexpr int kTableIntro = 0;
constexpr int kTableBiorhythm = 3;
constexpr int kIntroNumber = 4;
constexpr int kStripHeight = 24;
constexpr int kStripGap = 2; // above and below the day strip
constexpr int kFirstMonthString = 523; // "January"

const char *const kCurveWords[3] = {"physical", "spiritual", "intellectual"};

std::array<bool, 3> shownCurves(const CQuadriviumDoc &doc)
{
    return {CurveShown(doc, Curve::Physical), CurveShown(doc, Curve::Emotional),
            CurveShown(doc, Curve::Intellectual)};
}

/// The chosen day, or today while none is chosen.
DateTimeValue presentDay(const CQuadriviumDoc &doc, const Clock &clock)
{
    const DateTimeValue &chosen = doc.chosenDay();
    if (chosen.isValid() && chosen.days() != 0.0)
        return chosen.datePart();
    const CivilDate today = clock();
    return DateTimeValue::fromFields(today.year, today.month, today.day);
}

} // namespace

DocumentSettings::Value CurveWidthSetting(Curve curve)
{
    static const DocumentSettings::Value values[3] = {DocumentSettings::WidthPhysical, DocumentSettings::WidthEmotional,
                                                      DocumentSettings::WidthIntellectual};
    return values[static_cast<std::size_t>(curve)];
}

DocumentSettings::Value CurveStyleSetting(Curve curve)
{
    static const DocumentSettings::Value values[3] = {DocumentSettings::StylePhysical, DocumentSettings::StyleEmotional,
                                                      DocumentSettings::StyleIntellectual};
    return values[static_cast<std::size_t>(curve)];
}

int CurveWidth(const CQuadriviumDoc &document, Curve curve)
{
    return qBound(1, document.settings().value(CurveWidthSetting(curve)), 5);
}

int CurveStyle(const CQuadriviumDoc &document, Curve curve)
{
    return qBound(1, document.settings().value(CurveStyleSetting(curve)), 4);
}

bool &CurveShown(CQuadriviumDoc &document, Curve curve)
{
    switch (curve) {
    case Curve::Physical:
        return document.showPhysical;
    case Curve::Emotional:
        return document.showEmotional;
    case Curve::Intellectual:
        break;
    }
    return document.showIntellectual;
}

bool CurveShown(const CQuadriviumDoc &document, Curve curve)
{
    return CurveShown(const_cast<CQuadriviumDoc &>(document), curve);
}

void ApplyCurveSettings(const CQuadriviumDoc &document, CBiorhythmGraph &graph)
{
    const bool computable = document.hasPerson() && document.birthDate().isValid();
    for (Curve c : kCurves) {
        const bool drawn = computable && CurveShown(document, c);
        graph.SetCurve(c, CurveWidth(document, c), drawn ? CurveStyle(document, c) - 1 : -1);
    }
}

QString DayTooltip(const DateTimeValue &birth, const DateTimeValue &day, const std::array<bool, 3> &shown)
{
    const auto date = day.civilDate();
    if (!date)
        return {};
    QString text = QLocale().toString(QDate(date->year, date->month, date->day), QLocale::LongFormat);
    if (!birth.isValid())
        return text;
    QStringList critical;
    for (Curve c : kCurves) {
        const auto i = static_cast<std::size_t>(c);
        if (shown[i] && IsCriticalDay(birth, day, CurvePeriod(c)))
            critical << QString::fromLatin1(kCurveWords[i]);
    }
    if (!critical.isEmpty())
        text += QStringLiteral(" - critical: ") + critical.join(QStringLiteral(", "));
    return text;
}

CBiorhythmControl::CBiorhythmControl(const CQuadriviumDoc &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("biorhythmGraph"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CBiorhythmControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_graph.SetArea(0, 0, width() - 1, height() - 1);
}

void CBiorhythmControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    ApplyCurveSettings(m_document, m_graph);
    m_graph.SetFlags(CBiorhythmGraph::kDefaultFlags);
    m_graph.Draw(p);
}

CBiorythmus::CBiorythmus(CQuadriviumDoc &document, QWidget *parent, Clock clock)
    : CReadingPage(document, parent)
    , m_strip(new QWidget(this))
    , m_control(new CBiorhythmControl(document, this))
    , m_clock(std::move(clock))
{
    ApplyPageLook(*this);
    m_strip->setObjectName(QStringLiteral("dayStrip"));
    for (int d = 1; d <= 31; ++d) {
        auto *b = new QToolButton(m_strip);
        b->setObjectName(QStringLiteral("day%1").arg(d));
        b->setText(QString::number(d));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, d] {
            const DateTimeValue from = presentDay(this->document(), m_clock);
            const DateTimeValue day = DateTimeValue::fromFields(from.year(), from.month(), d);
            if (day.isValid())
                this->document().setChosenDay(day);
            else
                followChosenDay(); // a day the month lacks: keep the checks right
        });
        m_days[std::size_t(d - 1)] = b;
    }
    m_control->setPalette(QPalette()); // the window colour of the system, not the page's grey

    connect(&document, &CQuadriviumDoc::personChanged, this, qOverload<>(&QWidget::update));
    connect(&document, &CQuadriviumDoc::chosenDayChanged, this, [this] {
        followChosenDay();
        if (this->document().currentCommand() == kBiorhythmPage)
            showIntroduction();
    });
    // The present day starts as today.
    document.setChosenDay(presentDay(document, m_clock));
}

int CBiorythmus::command() const
{
    return kBiorhythmPage;
}

QString CBiorythmus::tabText() const
{
    return QStringLiteral("Biorhythm");
}

QString CBiorythmus::menuText() const
{
    return QStringLiteral("Bio&rhythm");
}

QString CBiorythmus::iconName() const
{
    return QStringLiteral(":/pages/icons/biorhythm.svg");
}

int CBiorythmus::captionHeight() const
{
    return fontMetrics().height() + 8;
}

int CBiorythmus::graphTop() const
{
    return captionHeight() + kStripGap + kStripHeight + kStripGap;
}

QString CBiorythmus::monthCaption() const
{
    const DateTimeValue &month = m_control->graph().monthStart();
    if (!month.isValid())
        return {};
    return QStringLiteral("%1 %2").arg(LoadString(kFirstMonthString + month.month() - 1).toUpper()).arg(month.year());
}

QSize CBiorythmus::minimumSizeHint() const
{
    return QSize(31 * 14, graphTop() + 120);
}

void CBiorythmus::paintEvent(QPaintEvent *)
{
    // The month and year shown at the left, the person at the right.
    QPainter p(this);
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect band(6, 0, qMax(0, m_control->width() - 12), captionHeight());
    const QString month = monthCaption();
    p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, month);
    if (document().hasPerson()) {
        const int room = band.width() - QFontMetrics(bold).horizontalAdvance(month) - 24;
        const QString name = QFontMetrics(bold).elidedText(document().personName(), Qt::ElideRight, qMax(0, room));
        p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, name);
    }
}

QAbstractButton *CBiorythmus::dayButton(int day) const
{
    if (day < 1 || day > 31)
        return nullptr;
    return m_days[std::size_t(day - 1)];
}

void CBiorythmus::refill()
{
    followChosenDay();
}

void CBiorythmus::Evaluate()
{
    ApplyCurveSettings(document(), m_control->graph());
    for (Curve c : kCurves)
        m_classes[static_cast<std::size_t>(c)] = m_control->graph().ClassifyPresentDay(c);
}

void CBiorythmus::showIntroduction()
{
    if (m_classes[0] == 0 && m_classes[1] == 0 && m_classes[2] == 0)
        emit textRequested(kTableIntro, kIntroNumber);
    else
        emit tripleRequested(kTableBiorhythm, m_classes[0], m_classes[1], m_classes[2]);
}

void CBiorythmus::followChosenDay()
{
    const DateTimeValue day = presentDay(document(), m_clock);
    CBiorhythmGraph &g = m_control->graph();
    g.SetBirthDate(document().birthDate());
    g.SetMonthStart(DateTimeValue::fromFields(day.year(), day.month(), 1));
    g.SetPresentDay(day);
    layoutPage(width(), height());
    for (int d = 1; d <= 31; ++d)
        m_days[std::size_t(d - 1)]->setChecked(d == day.day());
    Evaluate();
    m_control->update();
}

void CBiorythmus::layoutPage(int w, int h)
{
    const DateTimeValue &month = m_control->graph().monthStart();
    const int days = DaysInMonth(month.year(), month.month());
    const int buttonWidth = qMax(1, w / days);
    m_strip->setGeometry(0, captionHeight() + kStripGap, w, kStripHeight);
    for (int d = 1; d <= 31; ++d) {
        QAbstractButton *b = m_days[std::size_t(d - 1)];
        b->setGeometry((d - 1) * buttonWidth, 0, buttonWidth, kStripHeight);
        b->setVisible(d <= days);
    }
    document().biorhythmScale = buttonWidth;
    document().biorhythmDays = days;
    // Each day's column of the graph lies under its button; the control is
    // a pixel wider and higher than the graph so that the frame's right and
    // bottom edges show.
    m_control->setGeometry(0, graphTop(), buttonWidth * days + 1, qMax(1, h - graphTop()));
    update(); // the caption names the month
    m_control->graph().SetArea(0, 0, m_control->width() - 1, m_control->height() - 1);
}

QString CBiorythmus::dayTooltip(int day) const
{
    const DateTimeValue &month = m_control->graph().monthStart();
    const DateTimeValue date = DateTimeValue::fromFields(month.year(), month.month(), day);
    const DateTimeValue birth = document().hasPerson() ? m_control->graph().birthDate() : DateTimeValue::invalid();
    return DayTooltip(birth, date, shownCurves(document()));
}

bool CBiorythmus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        for (int d = 1; d <= 31; ++d) {
            if (watched == m_days[std::size_t(d - 1)]) {
                QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), dayTooltip(d),
                                   m_days[std::size_t(d - 1)]);
                return true;
            }
        }
    }
    return CReadingPage::eventFilter(watched, event);
}

void CBiorythmus::resizeEvent(QResizeEvent *event)
{
    CReadingPage::resizeEvent(event);
    layoutPage(width(), height());
}

void CBiorythmus::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit textRequested(kTableIntro, kIntroNumber);
    CReadingPage::mouseReleaseEvent(event);
}

void CBiorythmus::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.setTitle(QStringLiteral("Biorhythm"));
    connect(menu.addAction(QStringLiteral("Open")), &QAction::triggered, this,
            [this] { emit commandRequested(kCmdOpen); });
    connect(menu.addAction(QStringLiteral("Settings")), &QAction::triggered, this,
            [this] { emit commandRequested(kCmdSettingsFromBiorhythm); });
    connect(menu.addAction(QStringLiteral("Calendar")), &QAction::triggered, this,
            [this] { emit calendarRequested(); });
    menu.exec(event->globalPos() + QPoint(2, 0));
}

} // namespace quadrivium
