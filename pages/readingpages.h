#pragma once

#include <vector>

class QWidget;

namespace quadrivium {

class CQuadriviumDoc;
class CReadingPage;

/// Makes every reading page the program has, in sheet order, as children
/// of `parent`. The main window puts them into its sheet and offers their
/// page commands.
std::vector<CReadingPage *> CreateReadingPages(CQuadriviumDoc &document, QWidget *parent);

} // namespace quadrivium
