#include "sheetwithtab.h"

#include "output/stringtable.h"

namespace quadrivium {

CsheetWithTab::CsheetWithTab(QWidget *parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("sheet"));
    setAccessibleName(LoadString(129));
    setDocumentMode(true);
}

bool CsheetWithTab::setPage(int position, QWidget *page, const QString &text, const QIcon &icon)
{
    if (position < 0 || position >= Count || !page || m_pages[position])
        return false;
    int index = 0;
    for (int p = 0; p < position; ++p) {
        if (m_pages[p])
            ++index;
    }
    m_pages[position] = page;
    insertTab(index, page, icon, text);
    return true;
}

QWidget *CsheetWithTab::page(int position) const
{
    return position >= 0 && position < Count ? m_pages[position] : nullptr;
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
    for (int p = 0; p < Count; ++p) {
        if (current && m_pages[p] == current)
            return p;
    }
    return -1;
}

} // namespace quadrivium
