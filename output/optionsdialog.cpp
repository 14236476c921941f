#include "optionsdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace quadrivium {

std::uint32_t LoadOptions(QSettings &settings, const QString &valueName, std::uint32_t mask)
{
    const QVariant stored = settings.value(valueName);
    bool ok = false;
    const qulonglong word = stored.toULongLong(&ok);
    if (!stored.isValid() || !ok || word > 0xFFFFFFFFull)
        return mask;
    return static_cast<std::uint32_t>(word);
}

void SaveOptions(QSettings &settings, const QString &valueName, std::uint32_t word)
{
    settings.setValue(valueName, static_cast<uint>(word));
    settings.sync();
}

COptionsDialog::COptionsDialog(QSettings &settings, OptionsDialogForm form, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_spec(std::move(form))
{
    setWindowTitle(m_spec.title);
    m_word = LoadOptions(m_settings, m_spec.valueName, m_spec.mask);

    m_all = new QCheckBox(QStringLiteral("All"), this);
    m_all->setObjectName(QString::number(kAllBoxId));
    connect(m_all, &QCheckBox::clicked, this, [this] { toggle(m_spec.mask); });

    // Long lists go into two columns so that the dialog stays low.
    auto *grid = new QGridLayout;
    grid->addWidget(m_all, 0, 0);
    const qsizetype rows = m_spec.boxes.size() > 6 ? (m_spec.boxes.size() + 1) / 2 : m_spec.boxes.size();
    for (qsizetype i = 0; i < m_spec.boxes.size(); ++i) {
        const OptionBox &box = m_spec.boxes.at(i);
        auto *check = new QCheckBox(box.text, this);
        check->setObjectName(QString::number(box.id));
        connect(check, &QCheckBox::clicked, this, [this, bit = box.bit] { toggle(bit); });
        grid->addWidget(check, 1 + int(i % rows), int(i / rows));
        m_boxes.append(check);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    showWord();
}

void COptionsDialog::toggle(std::uint32_t bits)
{
    if (bits == m_spec.mask)
        m_word = (m_word & m_spec.mask) == m_spec.mask ? m_word & ~m_spec.mask : m_word | m_spec.mask;
    else
        m_word ^= bits;
    showWord();
}

void COptionsDialog::showWord()
{
    m_all->setChecked(m_spec.mask != 0 && (m_word & m_spec.mask) == m_spec.mask);
    for (qsizetype i = 0; i < m_boxes.size(); ++i)
        m_boxes.at(i)->setChecked((m_word & m_spec.boxes.at(i).bit) != 0);
    // Bits outside the mask have no box: they cannot make a report that the
    // user sees as empty printable.
    m_ok->setEnabled((m_word & m_spec.mask) != 0);
}

void COptionsDialog::accept()
{
    if ((m_word & m_spec.mask) == 0)
        return;
    SaveOptions(m_settings, m_spec.valueName, m_word);
    QDialog::accept();
}

namespace {

OptionBox box(std::uint32_t bit, const char *text, int id)
{
    return OptionBox{bit, QString::fromLatin1(text), id};
}

} // namespace

OptionsDialogForm ChartPrintOptions()
{
    return {QStringLiteral("Print"),
            {box(0x1, "Graphic", 1089), box(0x2, "Introduction", 1091), box(0x4, "The Numbers", 1092),
             box(0x8, "Lines", 1093), box(0x10, "Ruling Number", 1095), box(0x20, "Day Number", 1096),
             box(0x40, "Number of Fate", 1097), box(0x80, "Number of Appearance", 1098),
             box(0x100, "Dominant Name Number", 1099), box(0x200, "Personal Current Year Number", 1100)},
            0x3FF,
            QStringLiteral("PrintChartDialogOptions")};
}

OptionsDialogForm PyramidPrintOptions()
{
    return {QStringLiteral("Print"),
            {box(0x1, "Graphic", 1089), box(0x2, "Introduction", 1091), box(0x2000, "Numbers", 1104)},
            0x2003,
            QStringLiteral("PrintPyramideDialogOptions")};
}

OptionsDialogForm BiorhythmPrintOptions()
{
    return {QStringLiteral("Print"),
            {box(0x1, "Graphic", 1089), box(0x2, "Introduction", 1091), box(0x400, "The Physical Curve", 1101),
             box(0x800, "The Spiritual Curve", 1102), box(0x1000, "The Intellectual Curve", 1103)},
            0x1C03,
            QStringLiteral("PrintBiorytmusDialogOptions")};
}

} // namespace quadrivium
