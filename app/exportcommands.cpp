#include "exportcommands.h"

#include "commandregistry.h"
#include "richview.h"
#include "savepicture.h"
#include "texteditor.h"
#include "writtennotice.h"

#include "output/errorfunnel.h"
#include "output/optionsdialog.h"
#include "output/printsettings.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "store/personname.h"
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
    registry.setEnableRule(kCmdExport, [this] { return readingShowing() != nullptr; });
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

const ReadingKind *CExportCommands::readingShowing() const
{
    return ReadingKindOf(m_document.currentCommand());
}

void CExportCommands::exportReading()
{
    const ReadingKind *reading = readingShowing();
    if (!reading || !m_document.hasPerson())
        return;
    if (!SettleExport() || (m_paneGuard && !m_paneGuard()))
        return;
    COptionsDialog dialog(m_settings, reading->exportOptions(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto subject = ReportSubjectOf(m_document, m_clock);
    if (!subject) {
        ShowError(m_window, tr("%1 has no valid date of birth.").arg(m_document.personName()));
        return;
    }
    const ExportPerson person{subject->name, subject->birth, subject->time, reading->exportNotes(*subject)};
    const Status assembled = AssembleExport(*m_pane.document(), TextStore(), person,
                                            reading->exportRecords(*subject, dialog.options() & reading->allSections()));
    m_pane.moveCursor(QTextCursor::Start);
    m_pane.document()->setModified(true);
    m_document.textChanged = true;
    m_registry.updateStates();
    if (Succeeded(m_window, assembled))
        m_unsavedExport = m_pane.document()->toPlainText();
}

bool CExportCommands::saveAs()
{
    const ReadingKind *reading = readingShowing();
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
        dialog.selectFile(name.isEmpty() ? reading->exportFileName : name + QStringLiteral(".rtf"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const StreamFormat format = dialog.selectedNameFilter() == kTextFilter ? StreamFormat::PlainText
                                                                           : StreamFormat::Rtf;
    const QString path = ExportFilePath(dialog.selectedFiles().constFirst(), format);
    if (QFileInfo::exists(path)
        && QMessageBox::question(m_window, tr("Save As"),
                                 tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            != QMessageBox::Yes)
        return false;
    const QPageSize paper = m_paper ? m_paper() : QPageSize(QPageSize::A4);
    const RtfPageSetup page = ExportPageSetup(paper.size(QPageSize::Millimeter),
                                              LoadPrintSettings(m_settings).margins);
    if (!Succeeded(m_window, WriteExport(*m_pane.document(), format, path, page)))
        return false;
    m_unsavedExport.clear();
    ShowWritten(m_window, WrittenTo(tr("Text"), path));
    return true;
}

bool CExportCommands::SettleExport()
{
    // Only while the assembled export is what the pane shows.
    if (m_unsavedExport.isNull() || m_pane.document()->toPlainText() != m_unsavedExport) {
        m_unsavedExport.clear();
        return true;
    }
    return SettleUnsaved(m_window, tr("Save the exported reading of %1?").arg(m_document.personName()),
                         [this] { return saveAs(); }, [this] { m_unsavedExport.clear(); });
}

} // namespace quadrivium
