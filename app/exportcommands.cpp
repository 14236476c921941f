#include "exportcommands.h"

#include "commandregistry.h"
#include "richview.h"
#include "savepicture.h"
#include "texteditor.h"

#include "engine/reading.h"
#include "output/errorfunnel.h"
#include "output/optionsdialog.h"
#include "output/printsettings.h"
#include "pages/quadriviumdoc.h"
#include "pages/reports.h"
#include "store/textstore.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTextCursor>
#include <QTextDocument>

namespace quadrivium {

namespace {

const QString kRtfFilter = QStringLiteral("RTF Format (*.rtf)");
const QString kTextFilter = QStringLiteral("Text File (*.txt)");

} // namespace

OptionsDialogForm ExportOptions(ExportReading reading)
{
    OptionsDialogForm form;
    form.title = QObject::tr("Export");
    QList<std::pair<QString, int>> boxes;
    switch (reading) {
    case ExportReading::Chart:
        form.valueName = QStringLiteral("ExportChartDialogOptions");
        boxes = {{QObject::tr("Introduction"), 1091},
                 {QObject::tr("The Numbers"), 1092},
                 {QObject::tr("Lines"), 1093},
                 {QObject::tr("Ruling Number"), 1095},
                 {QObject::tr("Day Number"), 1096},
                 {QObject::tr("Number of Fate"), 1097},
                 {QObject::tr("Number of Appearance"), 1098},
                 {QObject::tr("Dominant Name Number"), 1099},
                 {QObject::tr("Personal Current Year Number"), 1100}};
        break;
    case ExportReading::Pyramid:
        form.valueName = QStringLiteral("ExportPyramideDialogOptions");
        boxes = {{QObject::tr("Introduction"), 1091}, {QObject::tr("Numbers"), 1104}};
        break;
    case ExportReading::Biorhythm:
        form.valueName = QStringLiteral("ExportBiorytmusDialogOptions");
        boxes = {{QObject::tr("Introduction"), 1091},
                 {QObject::tr("The Physical Curve"), 1101},
                 {QObject::tr("The Spiritual Curve"), 1102},
                 {QObject::tr("The Intellectual Curve"), 1103}};
        break;
    }
    // Bit i of the word is section i of the export, in the order above.
    for (int i = 0; i < boxes.size(); ++i)
        form.boxes.append(OptionBox{1U << i, boxes[i].first, boxes[i].second});
    form.mask = ExportAllSections(reading);
    return form;
}

CExportCommands::CExportCommands(CQuadriviumDoc &document, CCommandRegistry &registry, CRichView &pane,
                                 QSettings &settings, QWidget *window)
    : QObject(window)
    , m_document(document)
    , m_registry(registry)
    , m_pane(pane)
    , m_settings(settings)
    , m_window(window)
    , m_clock(SystemToday)
{
    registry.add(kCmdSaveAs, tr("Save &as..."), CCommandRegistry::NoFlags, QKeySequence::SaveAs,
                 ProgramIcon(QStringLiteral("document-save-as")));
    registry.setEnableRule(kCmdSaveAs, [this] { return !m_pane.document()->isEmpty(); });
    registry.add(kCmdExport, tr("&Export"), CCommandRegistry::NeedsPerson, QKeySequence(Qt::CTRL | Qt::Key_E));
    registry.setEnableRule(kCmdExport, [this] { return readingShowing().has_value(); });
    connect(&registry, &CCommandRegistry::commandTriggered, this, [this](int id) {
        if (id == kCmdExport)
            RunGuarded(m_window, [this] { exportReading(); });
        else if (id == kCmdSaveAs)
            RunGuarded(m_window, [this] { saveAs(); });
    });
    connect(m_pane.document(), &QTextDocument::contentsChanged, this, [this] {
        if (QAction *a = m_registry.action(kCmdSaveAs))
            a->setEnabled(!m_pane.document()->isEmpty());
    });
}

void CExportCommands::AddMenus(QMenu &file)
{
    // Right after Save.
    const QList<QAction *> actions = file.actions();
    const qsizetype save = actions.indexOf(m_registry.action(kCmdSave));
    QAction *before = save < 0 ? nullptr : actions.value(save + 1);
    file.insertAction(before, m_registry.action(kCmdSaveAs));
    file.insertAction(before, m_registry.action(kCmdExport));
}

std::optional<ExportReading> CExportCommands::readingShowing() const
{
    switch (m_document.currentCommand()) {
    case kBirthChartPage: return ExportReading::Chart;
    case kPyramidPage: return ExportReading::Pyramid;
    case kBiorhythmPage: return ExportReading::Biorhythm;
    default: return std::nullopt;
    }
}

void CExportCommands::exportReading()
{
    const auto reading = readingShowing();
    if (!reading || !m_document.hasPerson())
        return;
    COptionsDialog dialog(m_settings, ExportOptions(*reading), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    DateTimeValue day = m_document.chosenDay().datePart();
    if (!day.isValid() || day.days() == 0.0) {
        const CivilDate today = m_clock();
        day = DateTimeValue::fromFields(today.year, today.month, today.day);
    }
    auto values = ComputeReading(m_document.personName().toLatin1().toStdString(), m_document.birthDate(),
                                 m_clock, day);
    if (!values) {
        ShowError(m_window, tr("%1 has no valid date of birth.").arg(m_document.personName()));
        return;
    }
    // Curves switched off have no text.
    const bool shown[] = {m_document.showRed, m_document.showGreen, m_document.showBlue};
    for (std::size_t curve = 0; curve < 3; ++curve) {
        if (!shown[curve])
            values->curveClass[curve] = 0;
    }
    const ExportPerson person{m_document.personName(), m_document.birthDate(), m_document.birthTime()};
    const Status assembled = AssembleExport(*m_pane.document(), TextStore(), person, *reading, *values,
                                            dialog.options() & ExportAllSections(*reading));
    m_pane.moveCursor(QTextCursor::Start);
    m_pane.document()->setModified(true);
    m_document.textChanged = true;
    m_registry.updateStates();
    Succeeded(m_window, assembled);
}

void CExportCommands::saveAs()
{
    const auto reading = readingShowing();
    QFileDialog dialog(m_window, tr("Save As"));
    dialog.setObjectName(QStringLiteral("exportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({kRtfFilter, kTextFilter});
    // The name may still get its extension: the question about replacing
    // a file is asked below, for the name actually written.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(DocumentsFolder());
    if (reading) {
        const QString name = ReadingFileName(m_document.currentCommand(), m_document, m_clock);
        dialog.selectFile(name.isEmpty() ? ExportDefaultFileName(*reading) : name + QStringLiteral(".rtf"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const StreamFormat format = dialog.selectedNameFilter() == kTextFilter ? StreamFormat::PlainText
                                                                           : StreamFormat::Rtf;
    const QString path = ExportFilePath(dialog.selectedFiles().constFirst(), format);
    if (QFileInfo::exists(path)
        && QMessageBox::question(m_window, tr("Save As"),
                                 tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
        return;
    const QPageSize paper = m_paper ? m_paper() : QPageSize(QPageSize::A4);
    const RtfPageSetup page = ExportPageSetup(paper.size(QPageSize::Millimeter),
                                              LoadPrintSettings(m_settings).margins);
    Succeeded(m_window, WriteExport(*m_pane.document(), format, path, page));
}

} // namespace quadrivium
