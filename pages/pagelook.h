#pragma once

#include <QFont>

class QPainter;
class QRect;
class QString;
class QWidget;

namespace quadrivium {

/// Gives a reading page its look: the dialog font and the light grey face
/// on which the white and coloured drawings stand out.
void ApplyPageLook(QWidget &page);

/// The sans serif of the pages at a pixel size.
QFont PagePixelFont(int pixels, QFont::Weight weight);
/// The font of page titles: 20/120 of an inch high.
QFont PageTitleFont(const QWidget &page, QFont::Weight weight = QFont::ExtraBold);

/// Draws a page title centred in `area`: white, then dark red two pixels
/// right and one down, in the title font.
void DrawPageTitle(QPainter &painter, const QWidget &page, const QRect &area, const QString &title);

/// The line a reading page shows for a person whose date of birth is not valid.
QString NoReadingNotice();

} // namespace quadrivium
