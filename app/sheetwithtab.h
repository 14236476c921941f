#pragma once

#include <QTabWidget>

#include <vector>

namespace quadrivium {

/// The tabbed sheet of the upper pane. Position 0 is the introduction; the
/// reading pages follow at the positions they were made for (see
/// CreateReadingPages). A position without a page simply has no tab, and
/// the tabs keep the order of the positions.
class CsheetWithTab : public QTabWidget {
    Q_OBJECT
public:
    enum Position { Introduction = 0 };

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
    std::vector<QWidget *> m_pages; ///< by position; null where none is
};

} // namespace quadrivium
