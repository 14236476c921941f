#include "readingpages.h"

#include "readingpage.h"

namespace quadrivium {

std::vector<CReadingPage *> CreateReadingPages(CQuadriviumDoc &document, QWidget *parent)
{
    std::vector<CReadingPage *> pages;
    Q_UNUSED(document);
    Q_UNUSED(parent);
    return pages;
}

} // namespace quadrivium
