#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <cstdint>

class QCheckBox;
class QPushButton;
class QSettings;

namespace quadrivium {

/// One check box of an options dialog: the bit of the options word it shows,
/// its text and its control id (also the box's object name).
struct OptionBox {
    std::uint32_t bit = 0;
    QString text;
    int id = 0;
};

/// What an options dialog shows and where it keeps its word: the window
/// title, the boxes in their order, the bits that "All" stands for and the
/// settings value name.
struct OptionsDialogForm {
    QString title;
    QList<OptionBox> boxes;
    std::uint32_t mask = 0;
    QString valueName;
};

/// The stored options word of `valueName`; a missing or unreadable value
/// reads as `mask` (every section chosen).
std::uint32_t LoadOptions(QSettings &settings, const QString &valueName, std::uint32_t mask);
void SaveOptions(QSettings &settings, const QString &valueName, std::uint32_t word);

/// A modal dialog of check boxes, one per section, with "All" (id 1094)
/// ticked when every bit of the mask is set; clicking it clears the mask
/// when it is full and fills it otherwise. OK (enabled only while some box
/// of the mask is ticked) stores the word; Cancel stores nothing. Bits of
/// the stored word outside the mask are kept as they are.
class COptionsDialog : public QDialog {
    Q_OBJECT
public:
    COptionsDialog(QSettings &settings, OptionsDialogForm form, QWidget *parent = nullptr);

    /// The word as the boxes show it now.
    std::uint32_t options() const { return m_word; }
    const OptionsDialogForm &form() const { return m_spec; }

    void accept() override;

private:
    void toggle(std::uint32_t bits);
    void showWord();

    QSettings &m_settings;
    OptionsDialogForm m_spec;
    std::uint32_t m_word = 0;
    QCheckBox *m_all = nullptr;
    QList<QCheckBox *> m_boxes;
    QPushButton *m_ok = nullptr;
};

/// Ids of the "All" box and of the section boxes.
constexpr int kAllBoxId = 1094;

/// The print options dialogs of the three reading reports.
OptionsDialogForm ChartPrintOptions();
OptionsDialogForm PyramidPrintOptions();
OptionsDialogForm BiorhythmPrintOptions();

} // namespace quadrivium
