#pragma once

#include "store/result.h"

#include <QString>

#include <optional>

class QWidget;

namespace quadrivium {

/// The kinds of file a page picture can be written as.
enum class PictureFormat { Png, Svg };

/// The kind that the extension of `path` names (".png" or ".svg", in any
/// case); nothing for any other name.
std::optional<PictureFormat> PictureFormatOf(const QString &path);

/// Writes a picture of `page` as it shows at its current size: a PNG with
/// `pixelRatio` device pixels per pixel, or an SVG in which the texts stay
/// text. `path` is an output target as OutputTarget() allows; the file is
/// replaced only once the picture is complete; a failure (unknown
/// extension, unwritable file) names the file.
Status WritePagePicture(QWidget &page, const QString &path, qreal pixelRatio = 1.0);

} // namespace quadrivium
