#include "readingpages.h"

#include "knowhowpage.h"
#include "quadriviumdoc.h"
#include "readingkind.h"
#include "readingpage.h"

// The page icons live in this library's resources.
static void initPageResources()
{
    Q_INIT_RESOURCE(pages);
}

namespace quadrivium {

std::vector<CReadingPage *> CreateReadingPages(CQuadriviumDoc &document, QWidget *parent)
{
    initPageResources();
    std::vector<CReadingPage *> pages;
    for (const ReadingKind &kind : ReadingKinds())
        pages.push_back(kind.makePage(document, parent));
    pages.push_back(new CKnowHow(document, parent));
    for (std::size_t i = 0; i < pages.size(); ++i)
        pages[i]->setSheetIndex(int(i) + 1);
    return pages;
}

std::vector<std::pair<QString, int>> PicturePages()
{
    std::vector<std::pair<QString, int>> pages;
    for (const ReadingKind &kind : ReadingKinds())
        pages.emplace_back(kind.name, kind.command);
    pages.emplace_back(QStringLiteral("walkthrough"), kWalkthroughPage);
    return pages;
}

} // namespace quadrivium
