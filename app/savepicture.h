#pragma once

#include <QString>

class QWidget;

namespace quadrivium {

/// The user's documents folder, where files of readings are offered to be
/// saved; the home folder when there is none.
QString DocumentsFolder();

/// "Save Picture...": asks for a PNG or SVG file, suggesting `suggestedName`
/// (without extension) in the documents folder, and writes a picture of `page` at its current size,
/// PNG at the screen's pixel ratio. A failure is shown with the file's name.
void SavePicture(QWidget *parent, QWidget &page, const QString &suggestedName);

/// The writing step of SavePicture for a chosen file; true when written.
bool SavePictureAs(QWidget *parent, QWidget &page, const QString &path);

} // namespace quadrivium
