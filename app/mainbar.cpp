#include "mainbar.h"

#include "output/stringtable.h"

#include <QComboBox>
#include <QHash>
#include <QStandardItemModel>

namespace quadrivium {

QString PersonListLabel(const PersonRow &person, const QString &groupName)
{
    if (groupName.isEmpty())
        return person.displayName();
    return person.displayName() + QStringLiteral(" [") + groupName + QStringLiteral(" ]");
}

QString PersonNameOfLabel(const QString &label)
{
    const int cut = label.lastIndexOf(QStringLiteral(" ["));
    return cut < 0 ? label : label.left(cut);
}

CMainBar::CMainBar(QWidget *parent)
    : CFlatToolBar(QStringLiteral("Main"), parent)
    , m_list(new QComboBox(this))
{
    setObjectName(QStringLiteral("mainBar"));
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_list->setObjectName(QStringLiteral("personList"));
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_list->setMinimumContentsLength(24);
    m_list->setMaxVisibleItems(20);
    m_list->setToolTip(LoadString(kPersonListId));
    m_list->setAccessibleName(LoadString(kPersonListId));
    connect(m_list, &QComboBox::activated, this, [this](int index) {
        // Entries are told apart by their person's ID: two persons may
        // carry the same label.
        const int id = m_list->itemData(index).toInt();
        if (id == m_remembered)
            return;
        m_remembered = id;
        emit personChosen(id);
    });
}

Status CMainBar::FillPersonList(const PersonStore &store)
{
    m_list->clear();
    const auto groups = store.listGroups();
    if (!groups.ok())
        return Status::failure(groups.error());
    const auto persons = store.listPersons();
    if (!persons.ok())
        return Status::failure(persons.error());
    QHash<int, QString> groupNames;
    for (const PersonRow &g : groups.value())
        groupNames.insert(g.child, g.displayName());
    // The rows go into the list's model in one insertion; a thousand single
    // additions would each update the list.
    QList<QStandardItem *> rows;
    rows.reserve(qsizetype(persons.value().size()));
    for (const PersonRow &p : persons.value()) {
        auto *row = new QStandardItem(PersonListLabel(p, p.parent == kTopLevelKey ? QString() : groupNames.value(p.parent)));
        row->setData(p.id, Qt::UserRole);
        rows.append(row);
    }
    static_cast<QStandardItemModel *>(m_list->model())->invisibleRootItem()->appendRows(rows);
    m_list->setCurrentIndex(-1);
    m_remembered = 0;
    return Done{};
}

void CMainBar::SelectPerson(int id, const QString &displayName)
{
    int index = id != 0 ? m_list->findData(id) : -1;
    if (index >= 0 && PersonNameOfLabel(m_list->itemText(index)) != displayName)
        index = -1;
    for (int i = 0; index < 0 && i < m_list->count(); ++i) {
        if (PersonNameOfLabel(m_list->itemText(i)) == displayName)
            index = i;
    }
    const QSignalBlocker block(m_list);
    m_list->setCurrentIndex(index);
    m_remembered = index >= 0 ? m_list->itemData(index).toInt() : 0;
}

int CMainBar::selectedPersonId() const
{
    return m_list->currentIndex() < 0 ? 0 : m_list->currentData().toInt();
}

} // namespace quadrivium
