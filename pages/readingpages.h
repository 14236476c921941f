#pragma once

#include <QString>

#include <utility>
#include <vector>

class QWidget;

namespace quadrivium {

class CQuadriviumDoc;
class CReadingPage;

/// Makes every page of the sheet after the introduction, in sheet order,
/// as children of `parent`: the page of each reading (ReadingKinds()),
/// then the calculation walkthrough. Each knows its sheet position. The
/// main window puts them into its sheet and offers their page commands.
std::vector<CReadingPage *> CreateReadingPages(CQuadriviumDoc &document, QWidget *parent);

/// The pages a picture can be made of, by name with their page command:
/// every reading, then "walkthrough".
std::vector<std::pair<QString, int>> PicturePages();

} // namespace quadrivium
