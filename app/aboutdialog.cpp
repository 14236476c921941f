#include "aboutdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace quadrivium {

CAboutDialog::CAboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About Quadrivium..."));

    auto *picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/quadrivium.svg")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    QString version = QCoreApplication::applicationVersion();
    auto *name = new QLabel(tr("<b>Quadrivium</b> Version %1").arg(version.toHtmlEscaped()), this);
    auto *text = new QLabel(tr("Numerology: birth chart, pyramid and biorhythm readings."), this);
    auto *copyright = new QLabel(tr("Copyright \u00a9 Velmora"), this);
    text->setWordWrap(true);

    auto *column = new QVBoxLayout;
    column->addWidget(name);
    column->addWidget(text);
    column->addWidget(copyright);
    column->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addWidget(picture);
    row->addSpacing(12);
    row->addLayout(column, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

} // namespace quadrivium
