#include "quadriviumview.h"

#include "sheetwithtab.h"

#include "pages/intropage.h"

#include <QVBoxLayout>

namespace quadrivium {

CQuadriviumView::CQuadriviumView(CQuadriviumDoc &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_sheet(new CsheetWithTab(this))
    , m_intro(new CIntro(m_sheet))
{
    setObjectName(QStringLiteral("view"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sheet);
    m_sheet->setPage(CsheetWithTab::Introduction, m_intro, tr("Introduction"));
    m_sheet->setActivePage(CsheetWithTab::Introduction);
}

bool CQuadriviumView::ShowPage(int position)
{
    return m_sheet->setActivePage(position);
}

} // namespace quadrivium
