#include "chartpage.h"

#include "pagelook.h"
#include "quadriviumdoc.h"
#include "windowcommands.h"

#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/datetext.h"
#include "store/letterrulessetting.h"
#include "store/personname.h"

#include "engine/namenumbers.h"
#include "engine/pyramid.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

namespace quadrivium {

namespace {

// Control ids of the page.
enum : int {
    kCellFirst = 6000,   // 6000..6008: cells of the digits 1..9
    kLabelFirst = 6009,  // 6009..6014: labels of the six numbers
    kLabel456 = 6015, kLabel789 = 6016, kLabel357 = 6017, kLabel123 = 6018,
    kLabel147 = 6019, kLabel258 = 6020, kLabel369 = 6021, kLabel159 = 6022,
    kValueFirst = 6023,  // 6023..6027 Ruling, Day, Fate, Appearance, Dominant
    kYearValue = 6028, kNextYearValue = 6029,
    kTitle = 6030,
    kDateOfBirth = 10000, kDisplayName = 10001,
    kIgnoredLetters = 10002, // letters of the name that no number counts
    kNotes = 10003,          // why there is no Number of Fate; the rules when not the usual ones
};

constexpr int kTableIntro = 0, kTableChart = 1, kTableRuling = 4, kTableZahlen = 5,
              kTableFate = 6, kTableAppearance = 7, kTableDominant = 8, kTableDay = 9,
              kTablePersonalYear = 10;

struct Dlu {
    int id, x, y, w, h;
};

// Where everything stands, in dialog units of the design.
const Dlu kControls[] = {
    {kTitle, 95, 0, 163, 16},
    {6000, 8, 95, 25, 9}, {6001, 8, 61, 25, 9}, {6002, 8, 29, 25, 9},
    {6003, 46, 95, 25, 9}, {6004, 46, 61, 25, 9}, {6005, 46, 29, 25, 9},
    {6006, 88, 95, 25, 9}, {6007, 88, 61, 25, 9}, {6008, 88, 29, 25, 9},
    {6009, 196, 60, 90, 8}, {6010, 196, 70, 90, 8}, {6011, 196, 80, 90, 8},
    {6012, 196, 90, 90, 8}, {6013, 196, 100, 90, 8}, {6014, 196, 110, 90, 16},
    {6023, 288, 60, 59, 8}, {6024, 288, 70, 59, 8}, {6025, 288, 80, 59, 8},
    {6026, 288, 90, 59, 8}, {6027, 288, 100, 59, 8},
    {kYearValue, 288, 109, 59, 8}, {kNextYearValue, 288, 119, 59, 8},
    // Line labels: those right of the chart may take two lines. Those under
    // the outer columns stand one row lower than the middle one, so that
    // long names such as "Frustrations" and "Passiveness", which are wider
    // than their column, never meet each other or the 3-5-7 label.
    {kLabel159, 125, 20, 67, 8}, {kLabel369, 125, 40, 67, 8}, {kLabel258, 125, 73, 67, 8},
    {kLabel147, 125, 106, 67, 8}, {kLabel357, 125, 125, 67, 8},
    {kLabel123, 7, 135, 38, 8}, {kLabel456, 45, 125, 42, 8}, {kLabel789, 87, 135, 38, 8},
    {kDisplayName, 240, 34, 112, 8}, {kDateOfBirth, 240, 45, 60, 8},
    {kIgnoredLetters, 196, 136, 156, 8},
    {kNotes, 196, 146, 156, 40},
};

// Anchors at the left of the rows and above the columns.
const Dlu kAnchors[] = {
    {7007, 0, 20, 8, 8}, {7002, 0, 40, 8, 8}, {7004, 0, 73, 8, 8}, {7003, 0, 106, 8, 8},
    {7005, 0, 125, 8, 8}, {7008, 7, 20, 38, 8}, {7009, 45, 20, 42, 8}, {7010, 87, 20, 38, 8},
};

/// Label control of each line (index into ChartLines()).
int labelOfLine(int index)
{
    static const int labels[kChartLineCount] = {
        kLabel159, kLabel357, kLabel369, kLabel258, kLabel123, kLabel147, kLabel456, kLabel789,
        kLabel369, kLabel258, kLabel456, kLabel357, kLabel159, kLabel123, kLabel147, kLabel789};
    return labels[index];
}

bool isLineLabel(int id)
{
    return id >= kLabel456 && id <= kLabel159;
}

/// Line labels under the grid are centred, those right of it left-aligned;
/// both wrap onto a second line.
int lineLabelFlags(int id)
{
    const bool underGrid = id == kLabel456 || id == kLabel789 || id == kLabel123;
    return (underGrid ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop | Qt::TextWordWrap;
}

QRect dluRect(const DialogUnits &u, const Dlu &d)
{
    return u.rect(d.x, d.y, d.w, d.h);
}

QRect findRect(const DialogUnits &u, int id)
{
    for (const Dlu &d : kControls)
        if (d.id == id)
            return dluRect(u, d);
    for (const Dlu &d : kAnchors)
        if (d.id == id)
            return dluRect(u, d);
    return {};
}

} // namespace

CChart::CChart(CQuadriviumDoc &document, QWidget *parent)
    : CDesignedPage(document, 354, 186, parent)
{
    spots().setActiveTest([this](int id) {
        // A line label reacts only while it shows a line; without a reading
        // only the title and the labels of the numbers explain anything.
        if (id >= kLabel456 && id <= kLabel159)
            return !m_texts.value(id).isEmpty();
        if (!m_core)
            return id == kTitle || (id >= kLabelFirst && id < kLabelFirst + 6);
        return id != 6025 || !m_core->core.m_bNoFate;
    });
    spots().setTipText([this](int id) { return lineTip(id); });
    connect(&document, &CQuadriviumDoc::letterRulesChanged, this, &CChart::refill);
    layoutSpots();
}

int CChart::command() const
{
    return kBirthChartPage;
}

QString CChart::tabText() const
{
    return LoadString(kStrBirthChart);
}

QString CChart::menuText() const
{
    return QStringLiteral("&Birth Chart");
}

QString CChart::iconName() const
{
    return QStringLiteral(":/pages/icons/birthchart.svg");
}

int CChart::preferredHeight() const
{
    // Down to the bottom of the chart area, which ends below the lines.
    return units().y(7 + 172);
}

QRect CChart::controlRect(int id) const
{
    QRect r = findRect(units(), id);
    if (r.isNull())
        return r;
    r.translate(origin());
    const QString text = m_texts.value(id);
    if (isLineLabel(id) && !text.isEmpty()) {
        // A label grows to hold its whole text: downwards for a second
        // line, sideways (around its anchor) for a word wider than it.
        const int flags = lineLabelFlags(id);
        const QRect needed = QFontMetrics(font()).boundingRect(r, flags, text);
        r.setHeight(std::max(r.height(), needed.height()));
        if (needed.width() > r.width()) {
            const int grow = needed.width() - r.width();
            r.adjust((flags & Qt::AlignHCenter) ? -grow / 2 : 0, 0, grow - ((flags & Qt::AlignHCenter) ? grow / 2 : 0), 0);
        }
    }
    return r;
}

std::vector<std::pair<int, QRect>> CChart::spotRects() const
{
    std::vector<std::pair<int, QRect>> spots;
    for (int id = kCellFirst; id <= kTitle; ++id)
        spots.emplace_back(id, controlRect(id));
    return spots;
}

void CChart::refill()
{
    m_texts.clear();
    m_core.reset();
    spots().resetShown();
    const CQuadriviumDoc &doc = document();
    const LetterRules &rules = doc.letterRules();
    if (const auto filled = FillCoreNumbers(EngineName(doc.personName(), rules.accents), doc.birthDate(),
                                            clock(), rules))
        m_core = filled->numbers;
    m_texts.insert(kDisplayName, doc.personName());
    m_texts.insert(kIgnoredLetters, IgnoredLettersNote(doc.personName(), rules.accents));
    QStringList notes;
    if (m_core && m_core->core.m_bNoFate)
        notes << NoFateNote(rules);
    if (!rules.isDefault())
        notes << LetterRulesLine(rules);
    m_texts.insert(kNotes, notes.join(QLatin1Char('\n')));
    if (m_core) {
        m_grid = *ComputeChartGrid(doc.birthDate());
        const CoreNumbers &c = m_core->core;
        m_texts.insert(kDateOfBirth, FormatDateValue(doc.birthDate()));
        m_texts.insert(6023, QString::number(m_core->rulingNumber));
        m_texts.insert(6024, QString::number(m_core->dayNumber));
        m_texts.insert(6025, c.m_bNoFate ? QStringLiteral("-") : QString::number(c.m_nFate));
        m_texts.insert(6026, QString::number(c.m_nAppearance));
        m_texts.insert(6027, QString::number(c.m_nDominant));
        m_texts.insert(kYearValue, QStringLiteral("%1 (%2)").arg(c.m_nPersonalYear).arg(c.m_nCurrentYear));
        m_texts.insert(kNextYearValue,
                       QStringLiteral("%1 (%2)").arg(c.m_nPersonalYearNext).arg(c.m_nCurrentYear + 1));
        for (int index : LineWalkOrder()) {
            if (m_grid.m_bLine[index])
                m_texts.insert(labelOfLine(index), LoadString(ChartLines()[index].labelId));
        }
    } else {
        m_grid = ChartGrid{};
    }
    layoutSpots();
    update();
}

QString CChart::controlText(int id) const
{
    return m_texts.value(id);
}

std::pair<int, int> CChart::textOf(int id) const
{
    auto all = [this](int a, int b, int c) {
        return m_grid.m_nDigitCount[a] && m_grid.m_nDigitCount[b] && m_grid.m_nDigitCount[c];
    };
    switch (id) {
    case kTitle: return {kTableIntro, 2};
    case 6009: return {kTableIntro, 5};
    case 6010: return {kTableIntro, 9};
    case 6011: return {kTableIntro, 6};
    case 6012: return {kTableIntro, 7};
    case 6013: return {kTableIntro, 8};
    case 6014: return {kTableIntro, 10};
    case kLabel159: return {kTableChart, all(1, 5, 9) ? 1 : 13};
    case kLabel357: return {kTableChart, all(3, 5, 7) ? 2 : 12};
    case kLabel369: return {kTableChart, all(3, 6, 9) ? 3 : 9};
    case kLabel258: return {kTableChart, all(2, 5, 8) ? 4 : 10};
    case kLabel123: return {kTableChart, all(1, 2, 3) ? 5 : 14};
    case kLabel147: return {kTableChart, all(1, 4, 7) ? 6 : 15};
    case kLabel456: return {kTableChart, all(4, 5, 6) ? 7 : 11};
    case kLabel789: return {kTableChart, all(7, 8, 9) ? 8 : 16};
    default: break;
    }
    if (id >= kCellFirst && id < kCellFirst + 9) {
        const int digit = id - kCellFirst + 1;
        return {kTableZahlen, CellNumberID(digit, m_grid.m_nDigitCount[digit])};
    }
    if (!m_core)
        return {-1, 0};
    const CoreNumbers &c = m_core->core;
    switch (id) {
    case 6023: return {kTableRuling, m_core->rulingNumber};
    case 6024: return {kTableDay, m_core->dayNumber};
    case 6025: return {kTableFate, c.m_nFate};
    case 6026: return {kTableAppearance, c.m_nAppearance};
    case 6027: return {kTableDominant, c.m_nDominant};
    case kYearValue: return {kTablePersonalYear, c.m_nPersonalYear};
    case kNextYearValue: return {kTablePersonalYear, c.m_nPersonalYearNext};
    default: return {-1, 0};
    }
}

int CChart::formedLineAt(int labelId) const
{
    if (!m_core)
        return -1;
    for (int index : LineWalkOrder()) {
        if (m_grid.m_bLine[std::size_t(index)] && labelOfLine(index) == labelId)
            return index;
    }
    return -1;
}

QString CChart::lineTip(int id) const
{
    if (!isLineLabel(id))
        return {};
    const int index = formedLineAt(id);
    if (index < 0)
        return QStringLiteral("");
    const ChartLine &line = ChartLines()[std::size_t(index)];
    return QStringLiteral("%1 %2: %3")
        .arg(line.missing ? QStringLiteral("Missing line") : QStringLiteral("Line"),
             QLatin1String(line.digitText), LoadString(line.labelId));
}

void CChart::showSpot(int id)
{
    const auto [table, numberId] = textOf(id);
    if (table >= 0)
        emit textRequested(table, numberId);
}

void CChart::showIntroduction()
{
    emit textRequested(kTableIntro, 2);
}

QLine CChart::linePath(int index) const
{
    auto rightMiddle = [this](int id) {
        const QRect r = controlRect(id);
        return QPoint(r.left() + r.width(), r.top() + r.height() / 2);
    };
    auto leftMiddle = [this](int id) {
        const QRect r = controlRect(id);
        return QPoint(r.left(), r.top() + r.height() / 2);
    };
    auto bottomMiddle = [this](int id) {
        const QRect r = controlRect(id);
        return QPoint(r.left() + r.width() / 2, r.top() + r.height());
    };
    auto topMiddle = [this](int id) {
        const QRect r = controlRect(id);
        return QPoint(r.left() + r.width() / 2, r.top());
    };
    const QString digits = QString::fromLatin1(ChartLines()[index].digitText);
    if (digits == QLatin1String("3-6-9"))
        return {rightMiddle(7002), leftMiddle(kLabel369)};
    if (digits == QLatin1String("2-5-8"))
        return {rightMiddle(7004), leftMiddle(kLabel258)};
    if (digits == QLatin1String("1-4-7"))
        return {rightMiddle(7003), leftMiddle(kLabel147)};
    if (digits == QLatin1String("4-5-6"))
        return {bottomMiddle(7009), topMiddle(kLabel456)};
    if (digits == QLatin1String("1-2-3"))
        return {bottomMiddle(7008), topMiddle(kLabel123)};
    if (digits == QLatin1String("7-8-9"))
        return {bottomMiddle(7010), topMiddle(kLabel789)};
    if (digits == QLatin1String("3-5-7")) {
        const QRect from = controlRect(7007);
        return {from.topLeft() + QPoint(from.width(), from.height()), controlRect(kLabel357).topLeft()};
    }
    const QRect from = controlRect(7005); // 1-5-9
    const QRect to = controlRect(kLabel159);
    return {QPoint(from.left() + from.width(), from.top()), QPoint(to.left(), to.top() + to.height())};
}

void CChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int centred = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextDontClip;

    DrawPageTitle(p, *this, controlRect(kTitle), LoadString(kStrBirthChart));

    // Grid lines, etched.
    auto etched = [&](const QRect &r, bool vertical) {
        p.setPen(palette().color(QPalette::Dark));
        if (vertical)
            p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        else
            p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.setPen(palette().color(QPalette::Light));
        if (vertical)
            p.drawLine(r.left() + 1, r.top(), r.left() + 1, r.bottom());
        else
            p.drawLine(r.left(), r.top() + 1, r.right(), r.top() + 1);
    };
    etched(dlu(45, 28, 1, 96), true);
    etched(dlu(87, 28, 1, 96), true);
    etched(dlu(7, 59, 118, 1), false);
    etched(dlu(7, 93, 118, 1), false);

    // The formed lines, missing lines first.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int index : LineWalkOrder()) {
        if (!m_grid.m_bLine[index])
            continue;
        const ChartLine &line = ChartLines()[index];
        const QLatin1String digits(line.digitText);
        const bool diagonal = digits == QLatin1String("3-5-7") || digits == QLatin1String("1-5-9");
        QPen pen(line.missing ? Qt::white : QColor(255, 0, 0));
        pen.setWidth(diagonal ? 2 : 3);
        pen.setStyle(Qt::DashLine);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(linePath(index));
    }

    // Static labels and values.
    p.setFont(font());
    p.setPen(Qt::black);
    const int left = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    p.drawText(dlu(196, 33, 44, 8), left, QStringLiteral("Chart for:"));
    p.drawText(dlu(196, 45, 44, 8), left, QStringLiteral("Born on"));
    static const char *const labels[] = {"Ruling Number", "Day Number", "Number of Fate",
                                         "Number of Appearance", "Dominant Number",
                                         "Personal Current Year Number"};
    for (int i = 0; i < 6; ++i)
        p.drawText(controlRect(kLabelFirst + i), left, QString::fromLatin1(labels[i]));
    const QFontMetrics metrics(font());
    const QRect nameRect = controlRect(kDisplayName);
    p.drawText(nameRect, Qt::AlignLeft | Qt::AlignTop,
               metrics.elidedText(m_texts.value(kDisplayName), Qt::ElideRight, nameRect.width()));
    p.drawText(controlRect(kDateOfBirth), Qt::AlignLeft | Qt::AlignTop, m_texts.value(kDateOfBirth));
    const QRect ignoredRect = controlRect(kIgnoredLetters);
    p.drawText(ignoredRect, Qt::AlignLeft | Qt::AlignTop,
               metrics.elidedText(m_texts.value(kIgnoredLetters), Qt::ElideRight, ignoredRect.width()));
    p.drawText(controlRect(kNotes), left, m_texts.value(kNotes));
    if (!m_core && document().hasPerson()) {
        p.drawText(dlu(196, 60, 150, 24), left, NoReadingNotice());
    }

    p.setFont(PagePixelFont(12, QFont::Bold));
    for (int id = kValueFirst; id <= kNextYearValue; ++id)
        p.drawText(controlRect(id), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, m_texts.value(id));

    // Line labels.
    p.setFont(font());
    for (int id = kLabel456; id <= kLabel159; ++id)
        p.drawText(controlRect(id), lineLabelFlags(id), m_texts.value(id));

    // Cells: the digits that occur in black, the absent ones in white.
    if (m_core) {
        p.setFont(PagePixelFont(12, QFont::Normal));
        for (int digit = 1; digit <= 9; ++digit) {
            const QString cell = QString::fromStdString(m_grid.m_strCell[digit]);
            p.setPen(cell.isEmpty() ? Qt::white : Qt::black);
            p.drawText(controlRect(kCellFirst + digit - 1), centred,
                       cell.isEmpty() ? QString::number(digit) : cell);
        }
    }
}

void CChart::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const std::pair<const char *, int> entries[] = {
        {"&New\tCtrl+N", kCmdNew}, {"O&pen...\tCtrl+O", kCmdOpen}, {"&Edit File ...\tCtrl+D", kCmdEditFile}};
    for (const auto &[text, id] : entries) {
        QAction *action = menu.addAction(QString::fromLatin1(text));
        const int command = id;
        connect(action, &QAction::triggered, this, [this, command] { emit commandRequested(command); });
    }
    menu.actions().at(2)->setEnabled(document().hasPerson());
    menu.exec(event->globalPos() + QPoint(2, 0));
}

} // namespace quadrivium
