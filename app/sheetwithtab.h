#pragma once

#include <QTabWidget>

#include <array>

namespace quadrivium {

/// The tabbed sheet of the upper pane. It has five positions: 0 the
/// introduction, 1 birth chart, 2 pyramid, 3 biorhythm, 4 calculation
/// walkthrough; a page that the program does not have simply has no tab,
/// and the tabs keep the order of the positions.
class CsheetWithTab : public QTabWidget {
    Q_OBJECT
public:
    enum Position { Introduction = 0, BirthChart = 1, Pyramid = 2, Biorhythm = 3, Walkthrough = 4, Count = 5 };

    explicit CsheetWithTab(QWidget *parent = nullptr);

    /// Puts `page` at `position` with the tab text; replaces nothing: a
    /// position already taken is left as it is (returns false).
    bool setPage(int position, QWidget *page, const QString &text, const QIcon &icon = QIcon());
    QWidget *page(int position) const;
    /// Makes the page at `position` the active one; false when there is none.
    bool setActivePage(int position);
    /// Position of the active page; -1 when the sheet is empty.
    int activePosition() const;

private:
    std::array<QWidget *, Count> m_pages{};
};

} // namespace quadrivium
