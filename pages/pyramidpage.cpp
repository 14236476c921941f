#include "pyramidpage.h"

#include "pagelook.h"
#include "quadriviumdoc.h"
#include "windowcommands.h"

#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/datetext.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>

namespace quadrivium {

namespace {

// Control ids of the page.
enum : int {
    kTopStone = 3001,                       // climax 4
    kAgeYearFirst = 3002,                   // 3002..3005: "age (year)" of climax 1..4
    kTitleBand = 3006,
    kRulingLabel = 3007,
    kThirdStone = 3008,                     // climax 3
    kMonthStone = 3009, kYearStone = 3011, kDayStone = 3012,
    kFirstStone = 3010, kSecondStone = 3014,
    kAge3 = 3013, kAge1 = 3015, kAge2 = 3016, kAge4 = 3017,
    kYear4 = 3018, kYear1 = 3019, kYear3 = 3020, kYear2 = 3021,
    kBox1 = 3022, kBox3 = 3023, kBox2 = 3024, kBox4 = 3025,
    kRulingValue = 6023,
    kDateOfBirth = 10000, kDisplayName = 10001,
    kLeftEnd = 1024, kRightEnd = 1023,
};

constexpr int kTableIntro = 0, kTablePyramide = 2, kTableRuling = 4;

enum Style { Left = 0, Centred = 1, Bold = 2 };

struct Control {
    int id, x, y, w, h, style;
};

// Where everything stands, in dialog units of the design.
const Control kControls[] = {
    {kDisplayName, 252, 40, 110, 10, Bold},
    {kDateOfBirth, 252, 51, 53, 8, Left},
    {kRulingLabel, 199, 70, 87, 8, Bold},
    {kRulingValue, 295, 70, 8, 8, Bold},
    {3002, 295, 90, 39, 8, Left}, {3003, 295, 100, 39, 8, Left},
    {3004, 295, 110, 39, 8, Left}, {3005, 295, 120, 39, 8, Left},
    {kBox1, 341, 90, 8, 8, Centred | Bold}, {kBox2, 341, 100, 8, 8, Centred | Bold},
    {kBox3, 341, 110, 8, 8, Centred | Bold}, {kBox4, 341, 120, 8, 8, Centred | Bold},
    {kMonthStone, 27, 145, 8, 8, Centred}, {kDayStone, 74, 145, 8, 8, Centred},
    {kYearStone, 121, 145, 8, 8, Centred},
    {kFirstStone, 51, 114, 8, 8, Centred | Bold}, {kSecondStone, 97, 114, 8, 8, Centred | Bold},
    {kThirdStone, 74, 75, 8, 8, Centred | Bold}, {kTopStone, 74, 48, 8, 8, Centred | Bold},
    {kAge1, 47, 98, 8, 8, Centred}, {kAge2, 101, 98, 8, 8, Centred},
    {kAge3, 74, 60, 8, 8, Centred}, {kAge4, 74, 33, 8, 8, Centred},
    {kYear1, 24, 81, 20, 8, Left}, {kYear2, 125, 88, 23, 8, Left},
    {kYear3, 101, 55, 21, 8, Left}, {kYear4, 50, 33, 19, 8, Left},
    {kLeftEnd, 3, 145, 8, 8, Left}, {kRightEnd, 144, 145, 8, 8, Left},
};

// The fixed labels of the panel.
struct Label {
    int x, y, w, h;
    const char *text;
};
const Label kLabels[] = {
    {198, 40, 45, 8, "Pyramid for"},
    {198, 51, 45, 8, "Born on"},
    {325, 69, 40, 15, "Number"}, // wide enough for the word in any font
    {199, 90, 86, 8, "Age at First Climax"},
    {199, 100, 86, 8, "Age at Second Climax"},
    {199, 110, 86, 8, "Age at Third Climax"},
    {199, 120, 86, 8, "Age at Fourth Climax"},
};

// The page's commands with their menu texts and the stone each one marks.
struct PageCommandEntry {
    int command;
    const char *text;
    int state;
    int climax; // index into PyramidNumbers::climax; -1 for the whole pyramid
};
const PageCommandEntry kPageCommands[] = {
    {CPyramide::kWholePyramid, "Pyramid", CPyramide::kWholePyramid, -1},
    {CPyramide::kFirstClimax, "First Climax", kFirstStone, 0},
    {CPyramide::kSecondClimax, "Second Climax", kSecondStone, 1},
    {CPyramide::kThirdClimax, "Third Climax", kThirdStone, 2},
    {CPyramide::kFourthClimax, "Fourth Climax", kTopStone, 3},
};

constexpr int kDesignWidth = 369, kDesignHeight = 186;

int rightOf(const QRect &r)
{
    return r.left() + r.width();
}

int bottomOf(const QRect &r)
{
    return r.top() + r.height();
}

int centreOf(const QRect &r)
{
    return (r.left() + rightOf(r)) / 2;
}

} // namespace

CPyramide::CPyramide(CQuadriviumDoc &document, QWidget *parent)
    : CDesignedPage(document, kDesignWidth, kDesignHeight, parent)
{
    spots().setActiveTest([this](int id) {
        // Without numbers only the title and the Ruling Number label explain anything.
        return m_numbers.has_value() || id == kTitleBand || id == kRulingLabel;
    });
    // The keyboard passes over the ages, years and sums, which show nothing.
    spots().setRouteTest([this](int id) { return textOf(id).first >= 0; });
    layoutSpots();
}

int CPyramide::command() const
{
    return kPyramidPage;
}

QString CPyramide::tabText() const
{
    return LoadString(kStrPyramid);
}

QString CPyramide::menuText() const
{
    return QStringLiteral("&Pyramid");
}

QString CPyramide::iconName() const
{
    return QStringLiteral(":/pages/icons/pyramid.svg");
}

int CPyramide::preferredHeight() const
{
    // Down to the bottom of the content frame.
    return units().y(7 + 172);
}

QRect CPyramide::controlRect(int id) const
{
    if (id == kTitleBand)
        return QRect(origin(), QSize(designSize().width(), designSize().height() / 8));
    for (const Control &c : kControls) {
        if (c.id == id)
            return dlu(c.x, c.y, c.w, c.h);
    }
    return {};
}

std::vector<std::pair<int, QRect>> CPyramide::spotRects() const
{
    // Tried in id order; the Ruling Number value comes last.
    std::vector<std::pair<int, QRect>> spots;
    for (int id = kTopStone; id <= kBox4; ++id)
        spots.emplace_back(id, controlRect(id));
    spots.emplace_back(kRulingValue, controlRect(kRulingValue));
    return spots;
}

void CPyramide::refill()
{
    m_texts.clear();
    spots().resetShown();
    const CQuadriviumDoc &doc = document();
    m_numbers = CalcPyramid(doc.birthDate());
    m_texts.insert(kDisplayName, doc.personName());
    if (m_numbers) {
        const PyramidNumbers &n = *m_numbers;
        auto number = [this](int id, int value) { m_texts.insert(id, QString::number(value)); };
        m_texts.insert(kDateOfBirth, FormatDateValue(doc.birthDate()));
        number(kRulingValue, n.rulingNumber);
        number(kMonthStone, n.monthSum);
        number(kDayStone, n.daySum);
        number(kYearStone, n.yearSum);
        const int stones[4] = {kFirstStone, kSecondStone, kThirdStone, kTopStone};
        const int boxes[4] = {kBox1, kBox2, kBox3, kBox4};
        const int ages[4] = {kAge1, kAge2, kAge3, kAge4};
        const int years[4] = {kYear1, kYear2, kYear3, kYear4};
        for (int i = 0; i < 4; ++i) {
            number(stones[i], n.climax[i]);
            number(boxes[i], n.climax[i]);
            number(ages[i], n.age[i]);
            number(years[i], n.year[i]);
            m_texts.insert(kAgeYearFirst + i, QString::fromStdString(n.ageYearText(i)));
        }
    }
    update();
}

QString CPyramide::controlText(int id) const
{
    return m_texts.value(id);
}

std::pair<int, int> CPyramide::textOf(int id) const
{
    switch (id) {
    case kTitleBand: return {kTableIntro, 3};
    case kRulingLabel: return {kTableIntro, 5};
    default: break;
    }
    if (!m_numbers)
        return {-1, 0};
    const PyramidNumbers &n = *m_numbers;
    switch (id) {
    case kFirstStone: case kBox1: return {kTablePyramide, n.climax[0]};
    case kSecondStone: case kBox2: return {kTablePyramide, n.climax[1]};
    case kThirdStone: case kBox3: return {kTablePyramide, n.climax[2]};
    case kTopStone: case kBox4: return {kTablePyramide, n.climax[3]};
    case kRulingValue: return {kTableRuling, n.rulingNumber};
    default: return {-1, 0};
    }
}

void CPyramide::showSpot(int id)
{
    const auto [table, numberId] = textOf(id);
    if (table >= 0)
        emit textRequested(table, numberId);
}

void CPyramide::showIntroduction()
{
    emit textRequested(kTableIntro, 3);
}

void CPyramide::runCommand(int command)
{
    for (const PageCommandEntry &e : kPageCommands) {
        if (e.command != command)
            continue;
        if (e.climax < 0)
            emit textRequested(kTableIntro, 3);
        else if (m_numbers)
            emit textRequested(kTablePyramide, m_numbers->climax[e.climax]);
        else
            return;
        m_state = e.state;
        // The pane no longer shows the text of the stone clicked last, so
        // clicking that stone again must show it.
        spots().resetShown();
        return;
    }
}

CPyramide::Chevron CPyramide::chevron(int index) const
{
    const QRect leftEnd = controlRect(kLeftEnd), rightEnd = controlRect(kRightEnd);
    switch (index) {
    case 0: {
        const QRect apex = controlRect(kAge4);
        return {QPoint(rightOf(leftEnd), leftEnd.top()), QPoint(centreOf(apex), bottomOf(apex)),
                QPoint(rightEnd.left(), rightEnd.top()),
                QLine(rightOf(leftEnd) - 1, leftEnd.top(), centreOf(apex) - 2, bottomOf(apex))};
    }
    case 1: {
        const QRect from = controlRect(kMonthStone), apex = controlRect(kAge3), to = controlRect(kYearStone);
        return {QPoint(centreOf(from), from.top()), QPoint(centreOf(apex), bottomOf(apex)),
                QPoint(centreOf(to), to.top()),
                QLine(centreOf(from) - 2, from.top(), centreOf(apex) - 2, bottomOf(apex))};
    }
    default: {
        const QRect from = controlRect(kAge1), apex = controlRect(kDayStone), to = controlRect(kAge2);
        return {QPoint(rightOf(from), bottomOf(from)), QPoint(centreOf(apex), apex.top()),
                QPoint(to.left(), bottomOf(to)),
                QLine(centreOf(apex) - 2, apex.top(), to.left() - 2, bottomOf(to))};
    }
    }
}

void CPyramide::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    DrawPageTitle(p, *this, controlRect(kTitleBand), LoadString(kStrPyramid));

    // The outline: three chevrons in black, each with a white highlight.
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen highlight(Qt::white);
    highlight.setWidth(1);
    for (int i = 0; i < 3; ++i) {
        const Chevron c = chevron(i);
        p.setPen(QPen(Qt::black, 1));
        const QPoint legs[3] = {c.left, c.apex, c.right};
        p.drawPolyline(legs, 3);
        p.setPen(highlight);
        p.drawLine(c.highlight);
    }

    const QFont normal = font();
    const QFont bold = PagePixelFont(12, QFont::Bold);
    p.setPen(Qt::black);
    p.setFont(normal);
    const int left = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    for (const Label &l : kLabels)
        p.drawText(dlu(l.x, l.y, l.w, l.h), left, QString::fromLatin1(l.text));

    for (const Control &c : kControls) {
        QString text = c.id == kRulingLabel ? QStringLiteral("Ruling Number") : m_texts.value(c.id);
        if (text.isEmpty())
            continue;
        const QRect r = dlu(c.x, c.y, c.w, c.h);
        p.setFont(c.style & Bold ? bold : normal);
        if (c.id == kDisplayName)
            text = QFontMetrics(bold).elidedText(text, Qt::ElideRight, r.width());
        const int align = c.style & Centred ? Qt::AlignHCenter : Qt::AlignLeft;
        p.drawText(r, align | Qt::AlignTop | Qt::TextDontClip, text);
    }

    if (!m_numbers && document().hasPerson()) {
        p.setFont(normal);
        p.drawText(dlu(198, 136, 164, 16), left, NoReadingNotice());
    }
}

void CPyramide::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    for (const PageCommandEntry &e : kPageCommands) {
        QAction *action = menu.addAction(QString::fromLatin1(e.text));
        action->setCheckable(true);
        action->setChecked(m_state == e.state);
        action->setEnabled(e.climax < 0 || m_numbers.has_value());
        const int command = e.command;
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    }
    // The main window's commands, each enabled while the window can run it.
    const std::pair<const char *, int> windowCommands[] = {
        {nullptr, 0}, {"&Open...", kCmdOpen}, {"&New", kCmdNew}, {"Edit File...", kCmdEditFile},
        {nullptr, 0}, {"Birth Chart", kBirthChartPage}, {"Biorhythm", kBiorhythmPage},
        {nullptr, 0}, {"&Settings", kCmdSettings}};
    for (const auto &[text, id] : windowCommands) {
        if (!text) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(QString::fromLatin1(text));
        action->setEnabled(canRun(id));
        const int command = id;
        connect(action, &QAction::triggered, this, [this, command] { emit commandRequested(command); });
    }
    menu.exec(event->globalPos() + QPoint(2, 0));
}

} // namespace quadrivium
