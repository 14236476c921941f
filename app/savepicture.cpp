#include "savepicture.h"

#include "writtennotice.h"

#include "output/errorfunnel.h"
#include "pages/pagepicture.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QWidget>

namespace quadrivium {

namespace {

const QString kPngFilter = QStringLiteral("PNG image (*.png)");
const QString kSvgFilter = QStringLiteral("SVG drawing (*.svg)");

} // namespace

QString DocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() || !QDir(folder).exists() ? QDir::homePath() : folder;
}

void SavePicture(QWidget *parent, QWidget &page, const QString &suggestedName)
{
    const QString folder = DocumentsFolder();
    QFileDialog dialog(parent, QStringLiteral("Save Picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPngFilter, kSvgFilter});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.setDirectory(folder);
    dialog.selectFile(suggestedName + QStringLiteral(".png"));
    // A name typed without extension takes the one of the chosen kind.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter == kSvgFilter ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SavePictureAs(parent, page, dialog.selectedFiles().constFirst());
}

bool SavePictureAs(QWidget *parent, QWidget &page, const QString &path)
{
    if (!Succeeded(parent, WritePagePicture(page, path, page.devicePixelRatioF())))
        return false;
    ShowWritten(parent, WrittenTo(QObject::tr("Picture"), path));
    return true;
}

} // namespace quadrivium
