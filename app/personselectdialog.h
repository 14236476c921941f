#pragma once

#include "store/personstore.h"

#include <QDialog>

#include <optional>

class QPushButton;

namespace quadrivium {

class CPersonLevelModel;
class CPersonListView;
class CQuadriviumDoc;

/// "Open File": browses the persons and groups of the persons database and
/// picks one person. The top level lists the groups, then the persons filed
/// there; a group is opened by a double click (or OK) and left through the
/// row "..". New, New Group, Edit and Delete work on the file directly, and
/// a person dragged onto a group row or ".." is filed there.
/// Accepted: the chosen person is the document's current person and
/// "LastID" holds its ID.
class CPersonSelectDialog : public QDialog {
    Q_OBJECT
public:
    CPersonSelectDialog(CQuadriviumDoc &doc, const QString &personsDbPath, QWidget *parent = nullptr);

    /// Tag of the row "..", which leads up to the top level; every other
    /// row's tag is its ID.
    static constexpr int kUpRowTag = -1;

    /// The key of the level listed (-1: the top level).
    int levelKey() const { return m_levelKey; }
    CPersonListView *list() const { return m_list; }

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    /// Fills the list again and selects the row with `tag` if it is there.
    void refill(int tag);
    int selectedTag() const;
    bool hasSelection() const;
    /// The row of the level with this tag; nothing for ".." or none.
    std::optional<PersonRow> rowOf(int tag) const;
    void updateButtons();
    void onSelectionChanged();
    /// Double click or OK on a row: "..", a group or a person.
    void activate(int tag);
    void goUp();
    void openGroup(const PersonRow &group);
    void choosePerson(int id);
    void onNew();
    void onNewGroup();
    void onEdit();
    void onDelete();
    void onDropped(int sourceTag, int targetTag);
    void sizeColumns();

    CQuadriviumDoc &m_doc;
    PersonStore m_store;
    int m_levelKey = kTopLevelKey;
    int m_levelParent = 0;
    QString m_levelName;
    int m_depth = 0;

    CPersonListView *m_list = nullptr;
    CPersonLevelModel *m_model = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_newGroup = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace quadrivium
