#include "persondialog.h"

#include "dateedit.h"
#include "personlistview.h"

#include "output/errorfunnel.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "pages/quadriviumdoc.h"
#include "store/datetext.h"
#include "store/entryrules.h"
#include "store/personname.h"
#include "store/personstore.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

namespace quadrivium {

namespace {

QString &defaultGroup()
{
    static QString name;
    return name;
}

/// Horizontal dialog units of the dialog's font in pixels.
int unitsX(const QWidget *w, int units)
{
    const QFontMetrics metrics(w->font());
    const int base = (metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) + 26) / 52;
    return (units * base + 2) / 4;
}

/// Width of a line edit that shows `sample` in full, at least `units` wide.
int fieldWidth(const QLineEdit *edit, int units, const QString &sample)
{
    const int text = QFontMetrics(edit->font()).horizontalAdvance(sample);
    // Frame and the edit's inner margins.
    return std::max(unitsX(edit, units), text + 14);
}

void refuseInput(QWidget *parent, QWidget *field)
{
    QMessageBox::critical(parent, QStringLiteral("Error"), QStringLiteral("False Input"));
    field->setFocus();
}

} // namespace

QString CPersonDialog::defaultGroupName()
{
    return defaultGroup();
}

void CPersonDialog::setDefaultGroupName(const QString &name)
{
    defaultGroup() = name;
}

CPersonDialog::CPersonDialog(CQuadriviumDoc &doc, const QString &personsDbPath, int personId, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_path(personsDbPath), m_personId(personId),
      m_twelveHourClock(IsTwelveHourClock())
{
    setWindowTitle(personId == 0 ? QStringLiteral("New") : LoadString(kStrEditFile));
    createFields();
    createLayout();

    m_designator->setVisible(m_twelveHourClock);
    if (m_twelveHourClock)
        m_designator->setText(QStringLiteral("AM"));
    fillGroups();
    m_group->setText(defaultGroupName());
    if (isEditMode())
        loadPerson();

    connectFields();
    updateOk();
    m_lastName->setFocus();
}

void CPersonDialog::createFields()
{
    m_groups = new QListWidget(this);
    m_groups->setObjectName(QStringLiteral("groupList"));
    m_groups->setViewMode(QListView::ListMode);
    m_groups->setIconSize(QSize(15, 15));
    m_groups->setSelectionMode(QAbstractItemView::SingleSelection);
    m_groups->setMinimumWidth(unitsX(this, 94));

    const auto makeEdit = [this](const char *name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(kMaxNameLength);
        edit->setMinimumWidth(unitsX(this, 118));
        return edit;
    };
    m_lastName = makeEdit("lastName");
    m_firstName = makeEdit("firstName");
    m_group = makeEdit("group");
    m_date = new CDateEdit(this);
    m_date->setObjectName(QStringLiteral("dateOfBirth"));
    m_date->setFixedWidth(fieldWidth(m_date, 44, QStringLiteral("00/00/0000")));
    m_time = new CTimeEdit(this);
    m_time->setObjectName(QStringLiteral("time"));
    m_time->setFixedWidth(fieldWidth(m_time, 25, IsTwelveHourEntry() ? QStringLiteral("00:00 AM")
                                                                      : QStringLiteral("00:00")));
    m_designator = new QLineEdit(this);
    m_designator->setObjectName(QStringLiteral("designator"));
    m_designator->setAlignment(Qt::AlignCenter);
    m_designator->setMaxLength(2);
    m_designator->setFixedWidth(fieldWidth(m_designator, 18, QStringLiteral("PM")));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
}

void CPersonDialog::createLayout()
{
    // Left: the groups to pick from.
    auto *groupBox = new QGroupBox(QStringLiteral("Groups"), this);
    auto *groupLayout = new QVBoxLayout(groupBox);
    groupLayout->addWidget(m_groups);

    // Right: names, group, date and time.
    const auto label = [this](const char *text, QWidget *buddy) {
        auto *l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    auto *right = new QVBoxLayout;
    right->addWidget(label("&Last Name:", m_lastName));
    right->addWidget(m_lastName);
    right->addWidget(label("&First Name:", m_firstName));
    right->addWidget(m_firstName);
    right->addWidget(label("G&roup:", m_group));
    right->addWidget(m_group);
    auto *when = new QGridLayout;
    when->addWidget(label("&Date of Birth:", m_date), 0, 0);
    when->setColumnStretch(1, 1);
    when->addWidget(m_date, 0, 2, 1, 2, Qt::AlignRight);
    when->addWidget(label("&Time:", m_time), 1, 0);
    when->addWidget(m_time, 1, 2, Qt::AlignRight);
    when->addWidget(m_designator, 1, 3);
    right->addLayout(when);
    right->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    right->addLayout(buttons);

    auto *main = new QHBoxLayout(this);
    main->addWidget(groupBox, 0);
    main->addLayout(right, 1);

    setTabOrder(m_lastName, m_firstName);
    setTabOrder(m_firstName, m_group);
    setTabOrder(m_group, m_date);
    setTabOrder(m_date, m_time);
    setTabOrder(m_time, m_designator);
    setTabOrder(m_designator, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_groups);
}

void CPersonDialog::fillGroups()
{
    const auto groups = PersonStore(m_path).listGroups();
    if (Succeeded(parentWidget(), groups)) {
        for (const PersonRow &row : groups.value())
            new QListWidgetItem(GroupIcon(), row.name, m_groups);
    }
}

void CPersonDialog::connectFields()
{
    connect(m_ok, &QPushButton::clicked, this, &CPersonDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CPersonDialog::reject);
    connect(m_groups, &QListWidget::itemSelectionChanged, this, [this] {
        const auto selected = m_groups->selectedItems();
        if (!selected.isEmpty())
            m_group->setText(selected.front()->text());
    });
    // A designator typed on in the time field is shown in its own field.
    connect(m_time, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_twelveHourClock && text.size() > 6)
            m_designator->setText(text.at(6).toUpper() + QStringLiteral("M"));
    });
    for (QLineEdit *edit : {m_lastName, m_firstName, m_group, static_cast<QLineEdit *>(m_date),
                            static_cast<QLineEdit *>(m_time)})
        connect(edit, &QLineEdit::textChanged, this, &CPersonDialog::updateOk);
}

void CPersonDialog::loadPerson()
{
    const auto found = PersonStore(m_path).find(m_personId);
    if (!Succeeded(parentWidget(), found))
        return;
    if (!found.value() || found.value()->folder) {
        ShowError(parentWidget(), QStringLiteral("There is no person with the ID %1.").arg(m_personId));
        return;
    }
    const PersonRow &row = *found.value();
    m_lastName->setText(row.name);
    m_firstName->setText(row.first);
    m_date->setText(CDateText(row.born).GetDateText());
    const DateTimeValue time = row.time.isValid() ? row.time : DateTimeValue();
    m_time->setText(CDateText(time).GetTimeText());
    if (m_twelveHourClock)
        m_designator->setText(time.hour() >= 12 ? QStringLiteral("PM") : QStringLiteral("AM"));
    const auto group = PersonStore(m_path).groupNameOfPerson(row.parent);
    if (Succeeded(parentWidget(), group))
        m_group->setText(group.value());
}

void CPersonDialog::updateOk()
{
    const bool named = !m_lastName->text().trimmed().isEmpty() || !m_firstName->text().trimmed().isEmpty();
    m_ok->setEnabled(named && m_date->IsComplete());
}

QString CPersonDialog::timeTextToParse() const
{
    const QString typed = m_time->text().trimmed();
    if (typed.isEmpty())
        return {};
    // On a 12-hour clock the field may hold its own designator after the
    // minute; the designator field shows the same then.
    const QString hourMinute = m_twelveHourClock ? typed.left(5) : typed;
    const QString designator = m_twelveHourClock ? m_designator->text().trimmed() : QString();
    return QStringLiteral("%1:00 %2").arg(hourMinute, designator);
}

void CPersonDialog::accept()
{
    if (!m_ok->isEnabled())
        return;
    const DateTimeValue born = ParseDateTime(m_date->text());
    if (!born.isValid()) {
        refuseInput(this, m_date);
        return;
    }
    DateTimeValue time; // 0: no time of birth
    const QString timeText = timeTextToParse();
    if (!timeText.isEmpty()) {
        time = ParseDateTime(timeText);
        if (!time.isValid()) {
            refuseInput(this, m_time);
            return;
        }
    }

    for (const auto &[field, what] : {std::pair{m_lastName, "last name"}, std::pair{m_firstName, "first name"},
                                      std::pair{m_group, "group name"}}) {
        if (const auto problem = NameProblem(NormalizedName(field->text()), QString::fromLatin1(what))) {
            QMessageBox::critical(this, QStringLiteral("Error"), *problem);
            field->setFocus();
            return;
        }
    }

    const PersonStore store(m_path);
    const PersonEntry entry{NormalizedName(m_lastName->text()), NormalizedName(m_firstName->text()), born, time,
                            NormalizedName(m_group->text())};
    int id = m_personId;
    PersonRow saved;
    if (!isEditMode()) {
        // Checked and added in one step, so that no other program adds the
        // same person in between; adding again needs the user's yes.
        const auto outcome = store.addPersonUnlessDuplicate(entry);
        if (!Succeeded(this, outcome))
            return;
        if (outcome->duplicateGroup) {
            const QString question = LoadString(kStrNameExistsInGroup).arg(entry.first, entry.last, *outcome->duplicateGroup);
            if (QMessageBox::question(this, LoadString(kStrNameExists), question, QMessageBox::Yes | QMessageBox::No,
                                      QMessageBox::Yes)
                != QMessageBox::Yes)
                return;
            const auto added = store.addPerson(entry);
            if (!Succeeded(this, added))
                return;
            saved = added.value();
        } else {
            saved = *outcome->added;
        }
        id = saved.id;
    } else {
        const auto updated = store.updatePerson(m_personId, entry);
        if (!Succeeded(this, updated))
            return;
        saved = updated.value();
    }
    m_doc.setCurrentPerson(saved.displayName(), saved.born, saved.time);
    m_doc.settings().set(DocumentSettings::LastID, id);
    QDialog::accept();
}

} // namespace quadrivium
