#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quadrivium {

/// "Create/Rename": names a new group, or renames one. OK stores the name
/// (a new group at the top level); after a refusal or a database error the
/// dialog stays open with the name.
class CGroupDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { NewGroup = 1, RenameGroup = 2 };

    /// `groupId` is the ID of the group to rename (mode RenameGroup) and is
    /// not used for a new group.
    CGroupDialog(const QString &personsDbPath, Mode mode, int groupId = -1, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    /// The name as entered.
    QString groupName() const;
    /// The ID of the group added or renamed; -1 before OK.
    int groupId() const { return m_groupId; }

    void accept() override;

private:
    QString m_path;
    Mode m_mode;
    int m_groupId;
    QLineEdit *m_name = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace quadrivium
