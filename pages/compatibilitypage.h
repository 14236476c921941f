#pragma once

#include "designedpage.h"

#include "engine/compatibility.h"

#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;

namespace quadrivium {

/// Page command of the compatibility reading.
constexpr int kCompatibilityPage = 22871;

/// The compatibility reading: the current person beside a second one chosen
/// on the page, their core numbers in pairs with the relation of each pair,
/// and both birth charts in one grid with the lines the two form only
/// together. Relations, lines and titles are hot spots. The second person
/// is remembered for each current person.
class CCompatibilityPage : public CDesignedPage {
    Q_OBJECT
public:
    explicit CCompatibilityPage(CQuadriviumDoc &document, QWidget *parent = nullptr);

    int command() const override;
    QString tabText() const override;
    QString menuText() const override;
    QString iconName() const override;
    void refill() override;
    void showIntroduction() override;

    /// The reading of the two persons; nothing while either is missing or
    /// has no valid date of birth.
    const std::optional<Compatibility> &compatibility() const { return m_compatibility; }
    /// The lines under the legend: the letters of each name not counted,
    /// and the counting rules when they are not the usual ones.
    const QStringList &notes() const { return m_notes; }
    /// The (table, NumberID) a hot spot shows; table -1 when it shows nothing.
    std::pair<int, int> textOf(int hotSpot) const;
    /// Rectangle of a hot spot in page coordinates.
    QRect spotRect(int hotSpot) const;
    /// Hot spot ids: the title, the combined chart's heading, the relation
    /// of role i (kRelationSpot + i) and the i-th line completed together.
    static constexpr int kTitleSpot = 1, kChartSpot = 2, kRelationSpot = 10, kLineSpot = 20;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    std::vector<std::pair<int, QRect>> spotRects() const override;
    void showSpot(int id) override;

private:
    void fillPartnerChoice();
    void partnerChosen(int index);
    /// Makes the remembered second person of the current person the
    /// document's, when the current person changed since the last call.
    void restorePartner();

    QComboBox *m_partnerChoice = nullptr;
    QString m_partnerFor; ///< the current person whose second person is in the document
    std::optional<Compatibility> m_compatibility;
    QStringList m_notes; ///< made by refill()
};

} // namespace quadrivium
