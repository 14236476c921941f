#include "compatibilitypage.h"

#include "compatibilityprintjob.h"
#include "pagelook.h"
#include "quadriviumdoc.h"

#include "store/datetext.h"
#include "store/letterrulessetting.h"
#include "store/location.h"
#include "store/personname.h"
#include "store/personstore.h"
#include "store/textstore.h"

#include <QComboBox>
#include <QPainter>
#include <QSettings>

namespace quadrivium {

namespace {

// Where everything stands, in dialog units of the design.
constexpr int kTableLeft = 8, kTableTop = 58, kRowHeight = 10;
constexpr int kGridLeft = 214, kGridTop = 30, kCellWidth = 44, kCellHeight = 27;
constexpr int kLinesTop = 128;

/// The colours that tell A's digits from B's, on the page and in print.
const QColor kColourA(0, 0, 150);
const QColor kColourB(170, 0, 0);

QString settingsKey(int personId)
{
    return QStringLiteral("Compatibility/Partner%1").arg(personId);
}

std::optional<PersonRow> storedPerson(int id)
{
    const QString path = PersonsDatabasePath();
    if (path.isEmpty() || id == 0)
        return std::nullopt;
    const auto row = PersonStore(path).find(id);
    if (!row || !row->has_value() || (*row)->folder)
        return std::nullopt;
    return **row;
}

} // namespace

CCompatibilityPage::CCompatibilityPage(CQuadriviumDoc &document, QWidget *parent)
    : CDesignedPage(document, 354, 186, parent)
    , m_partnerChoice(new QComboBox(this))
{
    m_partnerChoice->setAccessibleName(tr("Compare with"));
    m_partnerChoice->setToolTip(tr("The second person of the reading"));
    connect(m_partnerChoice, &QComboBox::activated, this, &CCompatibilityPage::partnerChosen);
    connect(&document, &CQuadriviumDoc::partnerChanged, this, &CCompatibilityPage::refill);
    connect(&document, &CQuadriviumDoc::letterRulesChanged, this, &CCompatibilityPage::refill);
    // A second person already given (the command line's) stays.
    if (document.hasPartner())
        m_partnerFor = document.personName();
    spots().setActiveTest([this](int id) { return textOf(id).first >= 0; });
    layoutSpots();
}

int CCompatibilityPage::command() const
{
    return kCompatibilityPage;
}

QString CCompatibilityPage::tabText() const
{
    return tr("Compatibility");
}

QString CCompatibilityPage::menuText() const
{
    return tr("C&ompatibility");
}

QString CCompatibilityPage::iconName() const
{
    return QStringLiteral(":/pages/icons/compatibility.svg");
}

void CCompatibilityPage::restorePartner()
{
    CQuadriviumDoc &doc = document();
    if (!doc.hasPerson() || m_partnerFor == doc.personName())
        return;
    m_partnerFor = doc.personName();
    const int personId = doc.settings().value(DocumentSettings::LastID);
    const auto partner = storedPerson(QSettings().value(settingsKey(personId)).toInt());
    QSignalBlocker quiet(doc);
    if (partner)
        doc.setPartner(partner->displayName(), partner->born, partner->time);
    else
        doc.setPartner(QString(), DateTimeValue::null(), DateTimeValue::null());
}

void CCompatibilityPage::fillPartnerChoice()
{
    m_partnerChoice->clear();
    m_partnerChoice->addItem(tr("Choose a person to compare with..."), 0);
    const QString path = PersonsDatabasePath();
    if (path.isEmpty())
        return;
    const auto persons = PersonStore(path).listPersons();
    if (!persons)
        return; // the window's own person list reports a failing file
    const CQuadriviumDoc &doc = document();
    for (const PersonRow &row : *persons) {
        m_partnerChoice->addItem(QStringLiteral("%1 (%2)").arg(row.displayName(), FormatDateValue(row.born)), row.id);
        if (row.displayName() == doc.partnerName() && row.born.days() == doc.partnerBirthDate().days())
            m_partnerChoice->setCurrentIndex(m_partnerChoice->count() - 1);
    }
}

void CCompatibilityPage::partnerChosen(int index)
{
    const int id = m_partnerChoice->itemData(index).toInt();
    const auto partner = storedPerson(id);
    CQuadriviumDoc &doc = document();
    QSettings().setValue(settingsKey(doc.settings().value(DocumentSettings::LastID)), partner ? id : 0);
    m_partnerFor = doc.personName();
    if (partner)
        doc.setPartner(partner->displayName(), partner->born, partner->time);
    else
        doc.setPartner(QString(), DateTimeValue::null(), DateTimeValue::null());
}

void CCompatibilityPage::showEvent(QShowEvent *event)
{
    CDesignedPage::showEvent(event);
    fillPartnerChoice();
}

void CCompatibilityPage::resizeEvent(QResizeEvent *event)
{
    CDesignedPage::resizeEvent(event);
    m_partnerChoice->setGeometry(dlu(22, 34, 170, 12));
}

void CCompatibilityPage::refill()
{
    restorePartner();
    m_compatibility.reset();
    spots().resetShown();
    m_notes.clear();
    const CQuadriviumDoc &doc = document();
    // Both persons are counted as the report counts them.
    if (const auto subject = ReportSubjectOf(doc, clock()))
        m_compatibility = CompatibilityOf(*subject);
    if (m_compatibility) {
        const LetterRules &rules = doc.letterRules();
        for (const QString &name : {doc.personName(), doc.partnerName()}) {
            if (const QString ignored = IgnoredLettersNote(name, rules.accents); !ignored.isEmpty())
                m_notes << QStringLiteral("%1: %2").arg(name, ignored);
        }
        if (!rules.isDefault())
            m_notes << LetterRulesLine(rules);
    }
    if (isVisible()) {
        fillPartnerChoice();
    } else {
        // Unseen (a picture of the page): the choice shows the partner alone.
        m_partnerChoice->clear();
        if (doc.hasPartner())
            m_partnerChoice->addItem(
                QStringLiteral("%1 (%2)").arg(doc.partnerName(), FormatDateValue(doc.partnerBirthDate())));
    }
    layoutSpots();
    update();
}

void CCompatibilityPage::showIntroduction()
{
    emit textRequested(kPartnershipTable, 1);
}

QRect CCompatibilityPage::spotRect(int id) const
{
    if (id == kTitleSpot)
        return dlu(95, 0, 163, 16);
    if (id == kChartSpot)
        return dlu(kGridLeft, 18, 3 * kCellWidth, 10);
    if (id >= kRelationSpot && id < kRelationSpot + int(kCompareRoles.size()))
        return dlu(kTableLeft + 146, kTableTop + kRowHeight * (id - kRelationSpot + 1), 52, kRowHeight);
    if (id >= kLineSpot && id < kLineSpot + 8)
        return dlu(kTableLeft + ((id - kLineSpot) % 2) * 100, kLinesTop + 10 + 10 * ((id - kLineSpot) / 2), 98, 9);
    return {};
}

std::vector<std::pair<int, QRect>> CCompatibilityPage::spotRects() const
{
    std::vector<std::pair<int, QRect>> spots{{kTitleSpot, spotRect(kTitleSpot)}, {kChartSpot, spotRect(kChartSpot)}};
    for (int i = 0; i < int(kCompareRoles.size()); ++i)
        spots.emplace_back(kRelationSpot + i, spotRect(kRelationSpot + i));
    for (int i = 0; i < 8; ++i)
        spots.emplace_back(kLineSpot + i, spotRect(kLineSpot + i));
    return spots;
}

std::pair<int, int> CCompatibilityPage::textOf(int id) const
{
    if (id == kTitleSpot)
        return {kPartnershipTable, 1};
    if (id == kChartSpot)
        return {kPartnershipTable, 2};
    if (!m_compatibility)
        return {-1, 0};
    if (id >= kRelationSpot && id < kRelationSpot + int(kCompareRoles.size())) {
        const ComparedPair &pair = m_compatibility->pairs[std::size_t(id - kRelationSpot)];
        if (pair.relation)
            return {kPartnershipTable, RelationNumberID(pair.role, *pair.relation)};
    }
    const auto &together = m_compatibility->chart.linesTogether;
    if (id >= kLineSpot && id < kLineSpot + int(together.size()))
        return {kPartnershipTable, LineTogetherNumberID(together[std::size_t(id - kLineSpot)])};
    return {-1, 0};
}

void CCompatibilityPage::showSpot(int id)
{
    const auto [table, numberId] = textOf(id);
    if (table >= 0)
        emit textRequested(table, numberId);
}

void CCompatibilityPage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const CQuadriviumDoc &doc = document();
    DrawPageTitle(p, *this, spotRect(kTitleSpot), tabText());

    const QFont plain = font();
    QFont bold = plain;
    bold.setBold(true);
    const QFontMetrics metrics(plain);
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    auto swatch = [&](const QRect &r, const QColor &colour) {
        const int side = r.height() * 2 / 3;
        p.fillRect(QRect(r.left(), r.center().y() - side / 2, side, side), colour);
    };

    // The two persons.
    p.setPen(Qt::black);
    p.setFont(bold);
    p.drawText(dlu(kTableLeft, 22, 12, 10), left, QStringLiteral("A"));
    p.drawText(dlu(kTableLeft, 35, 12, 10), left, QStringLiteral("B"));
    p.setFont(plain);
    const QRect nameA = dlu(22, 22, 170, 10);
    const QString born = doc.birthDate().isValid() ? FormatDateValue(doc.birthDate()) : QString();
    p.drawText(nameA, left, metrics.elidedText(born.isEmpty() ? doc.personName()
                                                              : QStringLiteral("%1, %2").arg(doc.personName(), born),
                                               Qt::ElideRight, nameA.width()));

    if (!m_compatibility) {
        const QString why = !doc.hasPartner() ? tr("Choose the person to compare with in the list above.")
                                              : NoReadingNotice();
        p.drawText(dlu(kTableLeft, kTableTop, 190, 30), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, why);
        return;
    }
    const Compatibility &c = *m_compatibility;

    // The numbers in pairs.
    p.setFont(bold);
    const int columns[4][2] = {{kTableLeft, 96}, {kTableLeft + 98, 22}, {kTableLeft + 122, 22}, {kTableLeft + 146, 52}};
    const QString headings[4] = {tr("Number"), QStringLiteral("A"), QStringLiteral("B"), tr("Relation")};
    for (int i = 0; i < 4; ++i)
        p.drawText(dlu(columns[i][0], kTableTop, columns[i][1], kRowHeight), left, headings[i]);
    p.setFont(plain);
    for (std::size_t i = 0; i < c.pairs.size(); ++i) {
        const ComparedPair &pair = c.pairs[i];
        const int y = kTableTop + kRowHeight * (int(i) + 1);
        p.setPen(Qt::black);
        p.drawText(dlu(columns[0][0], y, columns[0][1], kRowHeight), left, tr(CompareRoleTitle(pair.role)));
        p.setPen(kColourA);
        p.drawText(dlu(columns[1][0], y, columns[1][1], kRowHeight), left, QString::fromStdString(ComparedNumberText(pair.a)));
        p.setPen(kColourB);
        p.drawText(dlu(columns[2][0], y, columns[2][1], kRowHeight), left, QString::fromStdString(ComparedNumberText(pair.b)));
        p.setPen(Qt::black);
        p.drawText(spotRect(kRelationSpot + int(i)), left,
                   pair.relation ? tr(RelationKey(*pair.relation)) : QStringLiteral("-"));
    }

    // Both charts in one grid: A's digits, then B's, each in its colour.
    p.setFont(bold);
    p.drawText(spotRect(kChartSpot), Qt::AlignCenter, tr("Both birth charts in one"));
    auto cellRect = [&](int digit) {
        return dlu(kGridLeft + kCellWidth * GridColumn(digit), kGridTop + kCellHeight * GridRow(digit), kCellWidth,
                   kCellHeight);
    };
    p.setPen(palette().color(QPalette::Dark));
    for (int digit = 1; digit <= 9; ++digit)
        p.drawRect(cellRect(digit).adjusted(0, 0, -1, -1));
    // The lines the two form only together, through the cell centres.
    QPen linePen(QColor(0, 120, 0), 3, Qt::DashLine, Qt::FlatCap);
    p.setPen(linePen);
    for (int index : c.chart.linesTogether) {
        const ChartLine &line = ChartLines()[std::size_t(index)];
        p.drawLine(cellRect(line.digits[0]).center(), cellRect(line.digits[2]).center());
    }
    p.setFont(PagePixelFont(12, QFont::Bold));
    const QFontMetrics digitMetrics(p.font());
    for (int digit = 1; digit <= 9; ++digit) {
        const QRect r = cellRect(digit);
        const QString a(c.chart.countA[std::size_t(digit)], QChar(u'0' + digit));
        const QString b(c.chart.countB[std::size_t(digit)], QChar(u'0' + digit));
        if (a.isEmpty() && b.isEmpty()) {
            p.setPen(Qt::white);
            p.drawText(r, Qt::AlignCenter, QString::number(digit));
            continue;
        }
        const int width = digitMetrics.horizontalAdvance(a + b);
        QRect text(r.center().x() - width / 2, r.top(), width, r.height());
        // A light face behind the digits keeps them legible over a line.
        p.fillRect(text.adjusted(-2, r.height() / 4, 2, -r.height() / 4), palette().color(QPalette::Window));
        p.setPen(kColourA);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, a);
        p.setPen(kColourB);
        p.drawText(text.adjusted(digitMetrics.horizontalAdvance(a), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, b);
    }
    // Whose digits are whose.
    p.setFont(plain);
    p.setPen(Qt::black);
    const int legendTop = kGridTop + 3 * kCellHeight + 4;
    const QString names[2] = {doc.personName(), doc.partnerName()};
    const QColor colours[2] = {kColourA, kColourB};
    for (int i = 0; i < 2; ++i) {
        const QRect r = dlu(kGridLeft, legendTop + 10 * i, 3 * kCellWidth, 9);
        swatch(r, colours[i]);
        p.drawText(r.adjusted(r.height(), 0, 0, 0), left,
                   metrics.elidedText(QStringLiteral("%1  %2").arg(i == 0 ? "A" : "B", names[i]), Qt::ElideRight,
                                      r.width() - r.height()));
    }
    const int notesTop = legendTop + 24;
    p.drawText(dlu(kGridLeft, notesTop, 3 * kCellWidth, designSize().height() - notesTop),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_notes.join(QLatin1Char('\n')));

    // The lines completed together.
    p.setFont(bold);
    p.drawText(dlu(kTableLeft, kLinesTop, 198, 9), left, tr("Lines the two form only together"));
    p.setFont(plain);
    if (c.chart.linesTogether.empty())
        p.drawText(spotRect(kLineSpot), left, tr("none"));
    for (std::size_t i = 0; i < c.chart.linesTogether.size() && i < 8; ++i) {
        const ChartLine &line = ChartLines()[std::size_t(c.chart.linesTogether[i])];
        const QRect r = spotRect(kLineSpot + int(i));
        p.drawText(r, left, metrics.elidedText(QStringLiteral("%1  %2").arg(QLatin1String(line.digitText),
                                                                             QLatin1String(line.label)),
                                               Qt::ElideRight, r.width()));
    }
}

} // namespace quadrivium
