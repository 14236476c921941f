#include "personselectdialog.h"

#include "groupdialog.h"
#include "persondialog.h"
#include "personlevelmodel.h"
#include "personlistview.h"

#include "output/errorfunnel.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "pages/quadriviumdoc.h"
#include "store/datetext.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quadrivium {

namespace {

QSize dialogUnits(const QWidget *w, int x, int y)
{
    const QFontMetrics metrics(w->font());
    const int baseX = (metrics.horizontalAdvance(
                           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) + 26) / 52;
    const int baseY = metrics.height();
    return QSize((x * baseX + 2) / 4, (y * baseY + 4) / 8);
}

/// A notice with a question icon and only an OK button, as the delete
/// messages are shown.
void tell(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

CPersonSelectDialog::CPersonSelectDialog(CQuadriviumDoc &doc, const QString &personsDbPath, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_store(personsDbPath)
{
    m_list = new CPersonListView(this);
    m_list->setObjectName(QStringLiteral("personList"));
    m_model = new CPersonLevelModel({LoadString(kStrColumnName), LoadString(kStrColumnBirthday), LoadString(kStrColumnTime)}, this);
    m_list->setModel(m_model);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMinimumSize(dialogUnits(this, 262, 157));
    m_list->viewport()->installEventFilter(this);

    const auto button = [this](const char *text, const char *name, int widthUnits) {
        auto *b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(dialogUnits(this, widthUnits, 0).width());
        return b;
    };
    m_new = button("&New", "newButton", 40);
    m_newGroup = button("New &Group", "newGroupButton", 50);
    m_edit = button("&Edit", "editButton", 40);
    m_delete = button("&Delete", "deleteButton", 40);
    m_ok = button("OK", "okButton", 40);
    m_ok->setDefault(true);
    m_cancel = button("Cancel", "cancelButton", 40);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_new, m_newGroup, m_edit, m_delete})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_new, &QPushButton::clicked, this, &CPersonSelectDialog::onNew);
    connect(m_newGroup, &QPushButton::clicked, this, &CPersonSelectDialog::onNewGroup);
    connect(m_edit, &QPushButton::clicked, this, &CPersonSelectDialog::onEdit);
    connect(m_delete, &QPushButton::clicked, this, &CPersonSelectDialog::onDelete);
    connect(m_ok, &QPushButton::clicked, this, &CPersonSelectDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CPersonSelectDialog::reject);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CPersonSelectDialog::onSelectionChanged);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { activate(CPersonListView::tagOf(index)); });
    connect(m_list, &CPersonListView::deleteRequested, this, &CPersonSelectDialog::onDelete);
    connect(m_list, &CPersonListView::itemDropped, this, &CPersonSelectDialog::onDropped);

    fill();
    updateButtons();
    m_list->setFocus();
}

bool CPersonSelectDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        sizeColumns();
    return QDialog::eventFilter(watched, event);
}

void CPersonSelectDialog::sizeColumns()
{
    const int w = m_list->viewport()->width();
    m_list->setColumnWidth(0, w * 2 / 4);
    m_list->setColumnWidth(1, w / 4);
    m_list->setColumnWidth(2, (w - 20) / 4);
}

void CPersonSelectDialog::fill()
{
    const bool top = m_depth == 0;
    setWindowTitle(top ? LoadString(kStrOpenTitle) : LoadString(kStrOpenInTitle) + m_levelName);
    m_newGroup->setEnabled(top);
    // The rows are read from the file as the list shows them.
    Succeeded(this, m_model->setLevel(m_store.path(), m_levelKey, !top));
}

void CPersonSelectDialog::refill(int tag)
{
    fill();
    if (const int row = tag != 0 ? m_model->rowOfTag(tag) : -1; row >= 0) {
        const QModelIndex index = m_model->index(row, 0);
        m_list->setCurrentIndex(index);
        m_list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    updateButtons();
}

int CPersonSelectDialog::selectedTag() const
{
    const auto selected = m_list->selectionModel()->selectedRows();
    return selected.isEmpty() ? 0 : CPersonListView::tagOf(selected.front());
}

bool CPersonSelectDialog::hasSelection() const
{
    return m_list->selectionModel()->hasSelection();
}

std::optional<PersonRow> CPersonSelectDialog::rowOf(int tag) const
{
    return m_model->rowWithTag(tag);
}

void CPersonSelectDialog::updateButtons()
{
    const bool selected = hasSelection();
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_ok->setEnabled(selected);
}

void CPersonSelectDialog::onSelectionChanged()
{
    updateButtons();
    if (const auto row = rowOf(selectedTag()); row && row->folder)
        CPersonDialog::setDefaultGroupName(row->name);
}

void CPersonSelectDialog::accept()
{
    if (!hasSelection())
        return;
    activate(selectedTag());
}

void CPersonSelectDialog::activate(int tag)
{
    if (tag == kUpRowTag) {
        goUp();
        return;
    }
    const auto row = rowOf(tag);
    if (!row)
        return;
    if (row->folder)
        openGroup(*row);
    else
        choosePerson(row->id);
}

void CPersonSelectDialog::goUp()
{
    // Groups stand only at the top level, so up always leads there.
    m_levelKey = kTopLevelKey;
    m_levelName.clear();
    m_levelParent = 0;
    m_depth = 0;
    fill();
    updateButtons();
}

void CPersonSelectDialog::openGroup(const PersonRow &group)
{
    const PersonRow g = group;
    m_levelKey = g.child;
    m_levelName = g.name;
    m_levelParent = g.parent;
    m_depth = -1;
    fill();
    updateButtons();
}

void CPersonSelectDialog::choosePerson(int id)
{
    // Read again: another program may have changed the shared file.
    const auto found = m_store.find(id);
    if (!Succeeded(this, found))
        return;
    if (!found.value() || found.value()->folder) {
        refill(0);
        return;
    }
    const PersonRow &row = *found.value();
    m_doc.setCurrentPerson(row.displayName(), row.born, row.time);
    m_doc.settings().set(DocumentSettings::LastID, row.id);
    QDialog::accept();
}

void CPersonSelectDialog::onNew()
{
    CPersonDialog dialog(m_doc, m_store.path(), 0, this);
    dialog.exec();
    refill(selectedTag());
}

void CPersonSelectDialog::onNewGroup()
{
    CGroupDialog dialog(m_store.path(), CGroupDialog::NewGroup, -1, this);
    dialog.exec();
    refill(selectedTag());
}

void CPersonSelectDialog::onEdit()
{
    const int tag = selectedTag();
    const auto row = rowOf(tag);
    if (!row)
        return;
    if (row->folder) {
        CGroupDialog dialog(m_store.path(), CGroupDialog::RenameGroup, row->id, this);
        dialog.exec();
    } else {
        CPersonDialog dialog(m_doc, m_store.path(), row->id, this);
        dialog.exec();
    }
    refill(tag);
}

void CPersonSelectDialog::onDelete()
{
    const QString caption = LoadString(kStrDeleteName);
    if (!hasSelection()) {
        tell(this, caption, LoadString(kStrSelectToDelete));
        return;
    }
    const int tag = selectedTag();
    const auto row = rowOf(tag);
    if (tag == kUpRowTag || !row)
        return;
    const auto tellNotEmpty = [&] { tell(this, caption, LoadString(kStrGroupNotEmpty)); };
    if (row->folder) {
        const auto members = PersonListing::level(m_store.path(), row->child).count();
        if (!Succeeded(this, members))
            return;
        if (members.value() != 0) {
            tellNotEmpty();
            refill(tag);
            return;
        }
    }
    const int id = row->id;
    if (QMessageBox::question(this, caption, LoadString(kStrAreYouSure).arg(row->displayName()), QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const auto deleted = m_store.deleteRow(id);
    if (!Succeeded(this, deleted))
        return;
    if (deleted.value() == DeleteOutcome::GroupNotEmpty)
        tellNotEmpty();
    refill(tag);
}

void CPersonSelectDialog::onDropped(int sourceTag, int targetTag)
{
    const auto source = rowOf(sourceTag);
    if (!source || source->folder || sourceTag == targetTag)
        return;
    const int personId = source->id;
    if (targetTag == kUpRowTag) {
        if (!Succeeded(this, m_store.movePersonToLevel(personId, m_levelParent)))
            return;
    } else {
        const auto target = rowOf(targetTag);
        if (!target || !target->folder)
            return;
        if (!Succeeded(this, m_store.movePerson(personId, target->id)))
            return;
    }
    refill(0);
}

} // namespace quadrivium
