#include "quickview.h"

#include "pages/quadriviumdoc.h"
#include "store/datetext.h"
#include "store/personname.h"

#include "engine/reading.h"

#include <QLabel>

namespace quadrivium {

CQuickView::CQuickView(const CQuadriviumDoc &document, QWidget *parent)
    : QDockWidget(QStringLiteral("Quick View"), parent)
    , m_document(document)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("quickView"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                | QDockWidget::DockWidgetFloatable);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMargin(6);
    m_text->setMinimumWidth(180);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setWidget(m_text);
    connect(&document, &CQuadriviumDoc::personChanged, this, &CQuickView::Refresh);
    connect(&document, &CQuadriviumDoc::letterRulesChanged, this, &CQuickView::Refresh);
    connect(&document, &CQuadriviumDoc::chosenDayChanged, this, &CQuickView::Refresh);
    Refresh();
}

QString CQuickView::summary() const
{
    return m_text->text();
}

void CQuickView::Refresh()
{
    if (!m_document.hasPerson()) {
        m_text->setText(QStringLiteral("No person chosen."));
        return;
    }
    // A long name is cut with an ellipsis instead of widening the pane.
    const int room = qMax(m_text->minimumWidth(), m_text->width()) - 2 * m_text->margin();
    const QString name = m_text->fontMetrics().elidedText(m_document.personName(), Qt::ElideRight, room);
    m_text->setToolTip(name == m_document.personName() ? QString() : m_document.personName());
    QStringList lines{name,
                      QStringLiteral("Born on %1").arg(FormatDateValue(m_document.birthDate()))};
    const DateTimeValue day = m_document.chosenDay().datePart();
    const LetterRules &rules = m_document.letterRules();
    const auto reading = ComputeReading(EngineName(m_document.personName(), rules.accents), m_document.birthDate(),
                                        SystemToday, day, rules);
    if (!reading) {
        m_text->setText(lines.join(QLatin1Char('\n')));
        return;
    }
    lines << QString()
          << QStringLiteral("Ruling Number: %1").arg(reading->numbers.rulingNumber)
          << QStringLiteral("Day Number: %1").arg(reading->numbers.dayNumber)
          << QStringLiteral("Number of Fate: %1")
                 .arg(reading->numbers.core.m_bNoFate ? QStringLiteral("-")
                                                      : QString::number(reading->numbers.core.m_nFate));
    const bool shown[3] = {m_document.showPhysical, m_document.showEmotional, m_document.showIntellectual};
    // With every curve hidden the biorhythm part is left out altogether.
    if (day.isValid() && day.days() != 0.0 && (shown[0] || shown[1] || shown[2])) {
        lines << QString() << QStringLiteral("Biorhythm on %1:").arg(FormatDateValue(day));
        static const char *const names[3] = {"Physical", "Spiritual", "Intellectual"};
        static const char *const states[4] = {"", "high", "middle", "low"};
        for (std::size_t i = 0; i < 3; ++i) {
            if (shown[i])
                lines << QStringLiteral("  %1: %2").arg(QLatin1String(names[i]),
                                                         QLatin1String(states[reading->curveClass[i]]));
        }
    }
    m_text->setText(lines.join(QLatin1Char('\n')));
}

} // namespace quadrivium
