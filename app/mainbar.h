#pragma once

#include "flattoolbar.h"

#include "store/personstore.h"
#include "store/result.h"

#include <QString>

#include <vector>

class QComboBox;

namespace quadrivium {

/// The label of a person in the person list: the display name, followed,
/// when the person stands in a group, by " [", the group's name and " ]".
QString PersonListLabel(const PersonRow &person, const QString &groupName);
/// The display name a person list label starts with (the text before its
/// last " [").
QString PersonNameOfLabel(const QString &label);

class CPersonListModel;

/// The main toolbar with the person list (control 22818). Each entry of the
/// list carries its person's ID, so that two persons of the same name stay
/// apart. The list reads its rows from the persons file as it shows them.
class CMainBar : public CFlatToolBar {
    Q_OBJECT
public:
    static constexpr int kPersonListId = 22818;

    explicit CMainBar(QWidget *parent = nullptr);

    QComboBox *personList() const { return m_list; }
    /// Lists every person of the store, by last and first name. On failure
    /// the list is left empty and the error returned.
    Status FillPersonList(const PersonStore &store);
    /// Empties the list.
    void ClearPersonList();
    /// Selects the entry of person `id`; when there is none, the first
    /// entry whose name is `displayName`. Nothing is selected when neither
    /// is found. Emits nothing.
    void SelectPerson(int id, const QString &displayName);
    /// ID of the person whose entry is selected; 0 when none.
    int selectedPersonId() const;

signals:
    /// The user chose an entry that differs from the one chosen before.
    void personChosen(int id);

private:
    QComboBox *m_list;
    CPersonListModel *m_model;
    int m_remembered = 0; ///< person ID of the entry chosen last
};

} // namespace quadrivium
