#include "personsfilegone.h"

#include "store/location.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>

namespace quadrivium {

bool ConfirmGonePersonsFile(QWidget *parent)
{
    const QString gone = PersonsFileGoneMessage();
    if (gone.isEmpty())
        return true;
    const QString instead = LastPersonsFileChoice().path;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Persons File"), gone,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setInformativeText(
        (instead.isEmpty() ? QStringLiteral("Start with a new, empty persons file?")
                           : QStringLiteral("Go on with the persons file %1?").arg(QDir::toNativeSeparators(instead)))
        + QStringLiteral("\n\nChoose Quit to bring the file back first: the program looks for it again at the "
                         "next start."));
    box.button(QMessageBox::Yes)->setText(instead.isEmpty() ? QStringLiteral("New Persons File")
                                                            : QStringLiteral("Use This File"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Quit"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return false;
    ReplaceGonePersonsFile(); // a failure shows when the start-up makes sure of the file
    return true;
}

} // namespace quadrivium
