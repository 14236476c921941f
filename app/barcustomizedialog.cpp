#include "barcustomizedialog.h"

#include "barbuttons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quadrivium {

namespace {

QListWidgetItem *makeItem(const BarButton &b)
{
    auto *item = new QListWidgetItem(b.icon, b.text);
    item->setData(Qt::UserRole, b.id);
    return item;
}

} // namespace

CBarCustomizeDialog::CBarCustomizeDialog(BarButtons &buttons, const QString &barTitle, QWidget *parent)
    : QDialog(parent), m_buttons(buttons)
{
    setWindowTitle(tr("Customize Toolbar - %1").arg(barTitle));
    m_available = new QListWidget(this);
    m_current = new QListWidget(this);
    for (QListWidget *list : {m_available, m_current})
        list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_add = new QPushButton(tr("&Add ->"), this);
    m_remove = new QPushButton(tr("<- &Remove"), this);
    m_up = new QPushButton(tr("Move &Up"), this);
    m_down = new QPushButton(tr("Move &Down"), this);
    auto *reset = new QPushButton(tr("R&eset"), this);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                     this);

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch();
    auto *side = new QVBoxLayout;
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addWidget(reset);
    side->addStretch();

    auto *grid = new QGridLayout(this);
    auto *availableLabel = new QLabel(tr("A&vailable buttons:"), this);
    availableLabel->setBuddy(m_available);
    auto *currentLabel = new QLabel(tr("&Current buttons:"), this);
    currentLabel->setBuddy(m_current);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_current, 1, 2);
    grid->addLayout(side, 1, 3);
    grid->addWidget(box, 2, 0, 1, 4);

    connect(m_add, &QPushButton::clicked, this, &CBarCustomizeDialog::addSelected);
    connect(m_remove, &QPushButton::clicked, this, &CBarCustomizeDialog::removeSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(reset, &QPushButton::clicked, this, &CBarCustomizeDialog::resetToDefault);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &CBarCustomizeDialog::addSelected);
    connect(m_current, &QListWidget::itemDoubleClicked, this, &CBarCustomizeDialog::removeSelected);
    for (QListWidget *list : {m_available, m_current})
        connect(list, &QListWidget::currentRowChanged, this, &CBarCustomizeDialog::updateButtons);

    fill(m_buttons.shown());
}

QList<int> CBarCustomizeDialog::chosen() const
{
    QList<int> ids;
    for (int row = 0; row < m_current->count(); ++row)
        ids.append(m_current->item(row)->data(Qt::UserRole).toInt());
    return ids;
}

void CBarCustomizeDialog::fill(const QList<int> &shown)
{
    m_available->clear();
    m_current->clear();
    for (int id : shown) {
        if (const BarButton *b = m_buttons.button(id))
            m_current->addItem(makeItem(*b));
    }
    for (const BarButton &b : m_buttons.offered()) {
        if (!shown.contains(b.id))
            m_available->addItem(makeItem(b));
    }
    m_available->setCurrentRow(0);
    m_current->setCurrentRow(0);
    updateButtons();
}

void CBarCustomizeDialog::addSelected()
{
    const int row = m_available->currentRow();
    if (row < 0)
        return;
    // The new button goes after the one selected among the current ones.
    const int at = m_current->currentRow() + 1;
    m_current->insertItem(at, m_available->takeItem(row));
    m_current->setCurrentRow(at);
    updateButtons();
}

void CBarCustomizeDialog::removeSelected()
{
    const int row = m_current->currentRow();
    if (row < 0)
        return;
    const int id = m_current->item(row)->data(Qt::UserRole).toInt();
    delete m_current->takeItem(row);
    // Back into the available list at its place in the default order.
    int at = 0;
    for (const BarButton &b : m_buttons.offered()) {
        if (b.id == id)
            break;
        if (at < m_available->count() && m_available->item(at)->data(Qt::UserRole).toInt() == b.id)
            ++at;
    }
    m_available->insertItem(at, makeItem(*m_buttons.button(id)));
    m_available->setCurrentRow(at);
    updateButtons();
}

void CBarCustomizeDialog::moveSelected(int step)
{
    const int row = m_current->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_current->count())
        return;
    m_current->insertItem(to, m_current->takeItem(row));
    m_current->setCurrentRow(to);
    updateButtons();
}

void CBarCustomizeDialog::resetToDefault()
{
    QList<int> all;
    for (const BarButton &b : m_buttons.offered())
        all.append(b.id);
    fill(all);
}

void CBarCustomizeDialog::accept()
{
    m_buttons.setShown(chosen());
    QDialog::accept();
}

void CBarCustomizeDialog::updateButtons()
{
    const int row = m_current->currentRow();
    m_add->setEnabled(m_available->currentRow() >= 0);
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_current->count());
}

} // namespace quadrivium
