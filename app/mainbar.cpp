#include "mainbar.h"

#include "personlistmodel.h"

#include "output/stringtable.h"

#include <QComboBox>
#include <QListView>

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
    , m_model(new CPersonListModel(this))
{
    setObjectName(QStringLiteral("mainBar"));
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_list->setObjectName(QStringLiteral("personList"));
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_list->setMinimumContentsLength(24);
    m_list->setMaxVisibleItems(20);
    // The rows are read from the file as they are shown; a list whose rows
    // all have one height never asks for rows it does not show.
    auto *view = new QListView(m_list);
    view->setUniformItemSizes(true);
    m_list->setView(view);
    m_list->setModel(m_model);
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
    const Status filled = m_model->reload(store);
    m_list->setCurrentIndex(-1);
    m_remembered = 0;
    return filled;
}

void CMainBar::ClearPersonList()
{
    m_model->clear();
    m_list->setCurrentIndex(-1);
    m_remembered = 0;
}

void CMainBar::SelectPerson(int id, const QString &displayName)
{
    int index = id != 0 ? m_list->findData(id) : -1;
    if (index >= 0 && PersonNameOfLabel(m_list->itemText(index)) != displayName)
        index = -1;
    if (index < 0)
        index = m_model->rowOfName(displayName);
    const QSignalBlocker block(m_list);
    m_list->setCurrentIndex(index);
    m_remembered = index >= 0 ? m_list->itemData(index).toInt() : 0;
}

int CMainBar::selectedPersonId() const
{
    return m_list->currentIndex() < 0 ? 0 : m_list->currentData().toInt();
}

} // namespace quadrivium
