#pragma once

#include <QDialog>

namespace quadrivium {

/// The about box ("About Quadrivium..."): the program's picture, name,
/// version and copyright.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget *parent = nullptr);
};

} // namespace quadrivium
