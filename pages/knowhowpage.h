#pragma once

#include "dialogunits.h"
#include "hotspots.h"
#include "readingpage.h"

#include <QHash>

class QLabel;

namespace quadrivium {

/// The calculation walkthrough: how the Ruling Number, the Day Number and
/// the three name numbers of the current person are reached, one line each.
/// The five labels are hot spots showing the introduction of their number.
class CKnowHow : public CReadingPage {
    Q_OBJECT
public:
    explicit CKnowHow(CQuadriviumDoc &document, QWidget *parent = nullptr);

    int command() const override;
    QString tabText() const override;
    QString menuText() const override;
    QString iconName() const override;
    void refill() override;
    void showIntroduction() override;

    /// The text of a line: 1046 date, 1045 Ruling Number, 6024 Day Number,
    /// 1095 Fate, 6012 Appearance, 1097 Dominant.
    QString lineText(int id) const;
    /// The notes below the lines, one a line: the letters not counted, why
    /// there is no Number of Fate, the rules when not the usual ones.
    QString noticeText() const;
    /// Rectangle of label 9000..9004 in page coordinates.
    QRect labelRect(int id) const;
    /// The block of title and lines, centred in the page, in page coordinates.
    QRect blockRect() const;
    /// "Intro" NumberID shown by label 9000..9004.
    static int introNumberOf(int label);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void updateSpots();

    DialogUnits m_units;
    HotSpots m_spots;
    QHash<int, QLabel *> m_labels; // label id -> label
    QHash<int, QLabel *> m_lines;  // line id -> label
    QLabel *m_notice = nullptr;
    QWidget *m_block = nullptr; // title area and lines, centred in the page
    QString m_subtitle;
};

} // namespace quadrivium
