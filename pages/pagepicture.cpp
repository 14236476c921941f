#include "pagepicture.h"

#include "store/outputfile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace quadrivium {

namespace {

Status failure(const QString &path, const QString &why)
{
    return Status::failure(QStringLiteral("The picture could not be written to %1: %2")
                               .arg(QDir::toNativeSeparators(path), why));
}

} // namespace

std::optional<PictureFormat> PictureFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    return std::nullopt;
}

Status WritePagePicture(QWidget &page, const QString &path, qreal pixelRatio)
{
    const auto format = PictureFormatOf(path);
    if (!format)
        return failure(path, QStringLiteral("the name must end in .png or .svg."));
    auto opened = OpenOutputFile(path);
    if (!opened)
        return Status::failure(opened.error());
    QSaveFile &file = **opened;
    const QSize size = page.size();
    bool drawn = true;
    if (*format == PictureFormat::Png) {
        const qreal ratio = pixelRatio > 0 ? pixelRatio : 1.0;
        QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        page.render(&image);
        drawn = image.save(&file, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        // At the page's resolution fonts given in points keep their size.
        svg.setResolution(page.logicalDpiX());
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(page.windowTitle());
        QPainter painter;
        drawn = painter.begin(&svg);
        if (drawn) {
            page.render(&painter);
            drawn = painter.end();
        }
    }
    if (!drawn || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                                   : QStringLiteral("the picture could not be drawn.");
        file.cancelWriting();
        return failure(path, why);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return Done{};
}

} // namespace quadrivium
