#include "readingpages.h"

#include "biorhythmpage.h"
#include "chartpage.h"
#include "knowhowpage.h"
#include "pyramidpage.h"

// The page icons live in this library's resources.
static void initPageResources()
{
    Q_INIT_RESOURCE(pages);
}

namespace quadrivium {

std::vector<CReadingPage *> CreateReadingPages(CQuadriviumDoc &document, QWidget *parent)
{
    initPageResources();
    return {new CChart(document, parent), new CPyramide(document, parent), new CBiorythmus(document, parent),
            new CKnowHow(document, parent)};
}

} // namespace quadrivium
