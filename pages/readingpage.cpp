#include "readingpage.h"

namespace quadrivium {

CReadingPage::CReadingPage(CQuadriviumDoc &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
{
}

} // namespace quadrivium
