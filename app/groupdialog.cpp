#include "groupdialog.h"

#include "output/errorfunnel.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/personstore.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quadrivium {

CGroupDialog::CGroupDialog(const QString &personsDbPath, Mode mode, int groupId, QWidget *parent)
    : QDialog(parent), m_path(personsDbPath), m_mode(mode), m_groupId(mode == RenameGroup ? groupId : -1)
{
    setWindowTitle(LoadString(mode == NewGroup ? kStrNewGroup : kStrRenameGroup));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("groupName"));
    m_name->setMaxLength(kMaxNameLength);
    auto *label = new QLabel(QStringLiteral("&Group Name"), this);
    label->setBuddy(m_name);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGroupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGroupDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addWidget(buttons);

    // About 209 dialog units wide.
    const QFontMetrics metrics(font());
    setMinimumWidth(209 * metrics.averageCharWidth() / 4);

    if (mode == RenameGroup) {
        const auto row = PersonStore(m_path).find(groupId);
        if (Succeeded(parent, row) && row.value() && row.value()->folder)
            m_name->setText(row.value()->name);
    }
    const auto updateOk = [this] { m_ok->setEnabled(!m_name->text().trimmed().isEmpty()); };
    connect(m_name, &QLineEdit::textChanged, this, updateOk);
    updateOk();
}

QString CGroupDialog::groupName() const
{
    return m_name->text();
}

void CGroupDialog::accept()
{
    const PersonStore store(m_path);
    if (m_mode == NewGroup) {
        const auto added = store.addGroup(m_name->text());
        if (!Succeeded(this, added))
            return;
        m_groupId = added->id;
    } else if (!Succeeded(this, store.renameGroup(m_groupId, m_name->text()))) {
        return;
    }
    QDialog::accept();
}

} // namespace quadrivium
