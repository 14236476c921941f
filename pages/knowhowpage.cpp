#include "knowhowpage.h"

#include "pagelook.h"
#include "quadriviumdoc.h"

#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/letterrulessetting.h"
#include "store/personname.h"

#include "engine/walkthrough.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace quadrivium {

namespace {

constexpr int kTableIntro = 0;

struct Row {
    int label;
    const char *text;
    int line;
    int introNumber;
};

const Row kRows[] = {
    {9000, "Ruling Number:", 1045, 5},
    {9001, "Day Number:", 6024, 9},
    {9002, "Number of Fate:", 1095, 6},
    {9003, "Number of Appearance:", 6012, 7},
    {9004, "Dominant Name Number:", 1097, 8},
};

QLabel *makeLabel(QWidget *parent, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setAlignment(alignment);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

CKnowHow::CKnowHow(CQuadriviumDoc &document, QWidget *parent)
    : CReadingPage(document, parent)
    , m_units(DialogFont())
    , m_spots(*this, [this](int id) { emit textRequested(kTableIntro, introNumberOf(id)); })
{
    ApplyPageLook(*this);
    connect(&document, &CQuadriviumDoc::letterRulesChanged, this, &CKnowHow::refill);

    // The block of the title and the lines keeps its designed width and
    // stands in the middle of the page; long names wrap, making it taller.
    m_block = new QWidget(this);
    m_block->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_block->setFixedWidth(m_units.x(347));
    m_block->setMinimumHeight(m_units.y(170));
    auto *centre = new QGridLayout(this);
    centre->setContentsMargins(0, 0, 0, 0);
    centre->addWidget(m_block, 1, 1);
    centre->setRowStretch(0, 1);
    centre->setRowStretch(2, 1);
    centre->setColumnStretch(0, 1);
    centre->setColumnStretch(2, 1);

    // The lines stand in a grid below the title area.
    auto *grid = new QGridLayout(m_block);
    grid->setContentsMargins(m_units.x(7), m_units.y(45), m_units.x(7), m_units.y(7));
    grid->setHorizontalSpacing(m_units.x(5));
    grid->setVerticalSpacing(m_units.y(4));
    grid->setColumnMinimumWidth(0, m_units.x(88));
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (const Row &r : kRows) {
        QLabel *label = makeLabel(m_block, Qt::AlignRight | Qt::AlignTop);
        label->setText(QString::fromLatin1(r.text));
        m_labels.insert(r.label, label);
        grid->addWidget(label, row, 0);
        QLabel *line = makeLabel(m_block, Qt::AlignLeft | Qt::AlignTop);
        line->setWordWrap(true);
        line->setTextInteractionFlags(Qt::NoTextInteraction);
        m_lines.insert(r.line, line);
        grid->addWidget(line, row, 1);
        ++row;
    }
    m_notice = makeLabel(m_block, Qt::AlignLeft | Qt::AlignTop);
    m_notice->setWordWrap(true);
    m_notice->hide();
    grid->addWidget(m_notice, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
}

int CKnowHow::command() const
{
    return kWalkthroughPage;
}

QString CKnowHow::tabText() const
{
    return QStringLiteral("Calculation");
}

QString CKnowHow::menuText() const
{
    return QStringLiteral("Ca&lculation");
}

QString CKnowHow::iconName() const
{
    return QStringLiteral(":/pages/icons/calculation.svg");
}

int CKnowHow::introNumberOf(int label)
{
    for (const Row &r : kRows) {
        if (r.label == label)
            return r.introNumber;
    }
    return 0;
}

void CKnowHow::refill()
{
    m_spots.resetShown();
    const CQuadriviumDoc &doc = document();
    const LetterRules &rules = doc.letterRules();
    const auto walk = BuildWalkthrough(EngineName(doc.personName(), rules.accents), doc.birthDate(), rules);
    for (QLabel *line : std::as_const(m_lines))
        line->clear();
    m_subtitle.clear();
    if (!walk) {
        m_notice->setText(doc.hasPerson()
                              ? QStringLiteral("The date of birth of %1 is not a valid date: "
                                               "no calculation can be shown.").arg(doc.personName())
                              : QString());
        m_notice->setVisible(doc.hasPerson());
        update();
        return;
    }
    // Letters the table does not count are named, not passed over silently;
    // so are a missing Number of Fate and rules other than the usual ones.
    QStringList notes{IgnoredLettersNote(doc.personName(), rules.accents)};
    if (walk->fate == "-")
        notes << NoFateNote(rules);
    notes << LetterRulesNotice(rules);
    notes.removeAll(QString());
    m_notice->setText(notes.join(QLatin1Char('\n')));
    m_notice->setVisible(!m_notice->text().isEmpty());
    auto text = [](const std::string &s) {
        return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    };
    m_lines[1045]->setText(text(walk->date) + QStringLiteral("   =   ") + text(walk->ruling));
    m_lines[6024]->setText(text(walk->day));
    m_lines[1095]->setText(text(walk->fate));
    m_lines[6012]->setText(text(walk->appearance));
    m_lines[1097]->setText(text(walk->dominant));
    m_lines[1045]->setProperty("date", text(walk->date));
    m_lines[1045]->setProperty("ruling", text(walk->ruling));
    m_subtitle = QStringLiteral("%1  %2").arg(doc.personName(), text(walk->date));
    update();
}

QString CKnowHow::noticeText() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

QString CKnowHow::lineText(int id) const
{
    if (id == 1046 || id == 1045)
        return m_lines.value(1045)->property(id == 1046 ? "date" : "ruling").toString();
    const QLabel *line = m_lines.value(id);
    return line ? line->text() : QString();
}

QRect CKnowHow::labelRect(int id) const
{
    const QLabel *label = m_labels.value(id);
    return label ? label->geometry().translated(m_block->pos()) : QRect();
}

QRect CKnowHow::blockRect() const
{
    return m_block->geometry();
}

void CKnowHow::showIntroduction()
{
    emit textRequested(kTableIntro, 1);
}

void CKnowHow::updateSpots()
{
    std::vector<std::pair<int, QRect>> spots;
    for (const Row &r : kRows) {
        if (m_labels.contains(r.label))
            spots.emplace_back(r.label, labelRect(r.label).adjusted(-1, -1, 1, 1));
    }
    m_spots.setSpots(std::move(spots));
}

bool CKnowHow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::ToolTip:
    case QEvent::KeyPress:
    case QEvent::FocusIn:
        updateSpots();
        break;
    default:
        break;
    }
    if (m_spots.handle(event))
        return true;
    return CReadingPage::event(event);
}

void CKnowHow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect title(m_block->x(), m_block->y(), m_block->width(), m_units.y(22));
    DrawPageTitle(p, *this, title, LoadString(kStrWalkthroughTitle));
    p.setFont(PageTitleFont(*this, QFont::Normal));
    p.setPen(Qt::black);
    p.drawText(title.translated(0, 30), Qt::AlignCenter | Qt::TextWordWrap, m_subtitle);
}

} // namespace quadrivium
