#pragma once

#include <QDialog>
#include <QList>

class QListWidget;
class QPushButton;

namespace quadrivium {

class BarButtons;

/// Lets the user choose the buttons of a customisable bar: add the
/// available ones, remove shown ones and move them up or down. OK takes the
/// new list into the BarButtons; Cancel leaves them as they were.
class CBarCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    CBarCustomizeDialog(BarButtons &buttons, const QString &barTitle, QWidget *parent = nullptr);

    /// The ids in the "Current buttons" list, in their order.
    QList<int> chosen() const;

    void addSelected();
    void removeSelected();
    void moveSelected(int step);
    void resetToDefault();

    void accept() override;

private:
    void fill(const QList<int> &shown);
    void updateButtons();

    BarButtons &m_buttons;
    QListWidget *m_available = nullptr;
    QListWidget *m_current = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
};

} // namespace quadrivium
