#include "sheetwithtab.h"

#include "output/stringids.h"
#include "output/stringtable.h"

namespace quadrivium {

CsheetWithTab::CsheetWithTab(QWidget *parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("sheet"));
    setAccessibleName(LoadString(kStrReadings));
    setDocumentMode(true);
}

bool CsheetWithTab::setPage(int position, QWidget *page, const QString &text, const QIcon &icon)
{
    if (position < 0 || !page || this->page(position))
        return false;
    if (std::size_t(position) >= m_pages.size())
        m_pages.resize(std::size_t(position) + 1, nullptr);
    int index = 0;
    for (int p = 0; p < position; ++p) {
        if (m_pages[std::size_t(p)])
            ++index;
    }
    m_pages[std::size_t(position)] = page;
    insertTab(index, page, icon, text);
    return true;
}

QWidget *CsheetWithTab::page(int position) const
{
    return position >= 0 && std::size_t(position) < m_pages.size() ? m_pages[std::size_t(position)] : nullptr;
}

bool CsheetWithTab::setActivePage(int position)
{
    QWidget *p = page(position);
    if (!p)
        return false;
    setUpdatesEnabled(false);
    setCurrentWidget(p);
    setUpdatesEnabled(true);
    update();
    return true;
}

int CsheetWithTab::activePosition() const
{
    QWidget *current = currentWidget();
    for (std::size_t p = 0; p < m_pages.size(); ++p) {
        if (current && m_pages[p] == current)
            return int(p);
    }
    return -1;
}

} // namespace quadrivium
