#include "mainframe.h"

#include "aboutdialog.h"
#include "advancedsplitter.h"
#include "barlayout.h"
#include "calendarbar.h"
#include "chartlinebar.h"
#include "commandregistry.h"
#include "daybarsettings.h"
#include "exportcommands.h"
#include "helpwindow.h"
#include "mainbar.h"
#include "quadriviumapp.h"
#include "persondialog.h"
#include "personselectdialog.h"
#include "personsfilewatch.h"
#include "printcommands.h"
#include "quadriviumview.h"
#include "richview.h"
#include "settingscommand.h"
#include "savepicture.h"
#include "screenfit.h"

#include <QPrinter>
#include "pages/reports.h"
#include "sheetwithtab.h"
#include "statusbar.h"
#include "texteditor.h"
#include "tipofday.h"
#include "windowplacement.h"

#include "output/errorfunnel.h"
#include "output/stringtable.h"
#include "output/textpane.h"
#include "pages/biorhythmpage.h"
#include "pages/intropage.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "pages/readingpage.h"
#include "pages/readingpages.h"
#include "store/datetext.h"
#include "store/personstore.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTabBar>

namespace quadrivium {

namespace {

QRect screenArea()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

CMainFrame::CMainFrame(CQuadriviumDoc &document, QSettings &settings, const Result<QString> &personsDatabase,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_settings(settings)
    , m_personsPath(personsDatabase.ok() ? personsDatabase.value() : QString())
    , m_personsError(personsDatabase.error())
{
    InitProgramResources();
    CScreenFit::Install();
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quadrivium.svg")));
    m_hadPlacement = HasStoredPlacement(m_settings);
    m_document.LoadSettings(m_settings);

    m_registry = new CCommandRegistry(m_document, this);
    createCommands();
    m_print = new CPrintCommands(this, m_document, m_settings, *m_registry);
    createBars();
    createPanes();
    addReadingPages();
    m_editor = new CTextEditor(m_document, *m_registry, *m_textPane, *m_view, this);
    connect(m_editor, &CTextEditor::pageWanted, this, &CMainFrame::returnFromEditor);
    m_print->setEditedText([this] { return m_editor->paneText(); });
    m_settingsCommand = new CSettingsCommand(*this);
    if (auto *bio = qobject_cast<CBiorythmus *>(page(kBiorhythmPage)))
        connect(bio, &CBiorythmus::calendarRequested, m_calendarBar, &QWidget::show);
    m_export = new CExportCommands(m_document, *m_registry, *m_textPane, m_settings, this);
    m_export->setPaneGuard([this] { return m_editor->ReleaseForPage(); });
    m_export->setPaper([this] { return m_print->printer().pageLayout().pageSize(); });
    createMenus();

    connect(m_registry, &CCommandRegistry::commandTriggered, this, &CMainFrame::RunCommand);
    connect(&m_document, &CQuadriviumDoc::personChanged, this, &CMainFrame::updateTitle);
    connect(&m_document, &CQuadriviumDoc::currentCommandChanged, this, [this] {
        m_registry->updateStates();
    });

    refillPersonList();
    updateTitle();
    m_registry->updateStates();

    // Persons changed by another instance of the program show up here too.
    m_personsWatch = new CPersonsFileWatch(m_personsPath, this);
    connect(m_personsWatch, &CPersonsFileWatch::changed, this, [this] {
        RunGuarded(this, [this] {
            refillPersonList();
            selectCurrentPerson();
            dropCurrentPersonIfGone();
        });
    });
}

CMainFrame::~CMainFrame() = default;

CReadingPage *CMainFrame::page(int command) const
{
    const auto it = m_pages.find(command);
    return it == m_pages.end() ? nullptr : it->second;
}

void CMainFrame::createCommands()
{
    using F = CCommandRegistry;
    CCommandRegistry &r = *m_registry;
    r.add(kCmdNew, tr("&New"), F::NoFlags, QKeySequence(Qt::CTRL | Qt::Key_N),
          ProgramIcon(QStringLiteral("document-new")));
    r.add(kCmdOpen, tr("O&pen..."), F::NoFlags, QKeySequence(Qt::CTRL | Qt::Key_O),
          ProgramIcon(QStringLiteral("document-open")));
    r.add(kCmdEditFile, tr("&Edit File ..."), F::NeedsPerson, QKeySequence(Qt::CTRL | Qt::Key_D),
          ProgramIcon(QStringLiteral("document-properties")));
    r.add(kCmdSavePicture, tr("Save &Picture..."));
    r.setEnableRule(kCmdSavePicture, [this] { return page(m_document.currentCommand()) != nullptr; });
    r.add(kCmdExit, tr("&Exit"), F::NoFlags, QKeySequence(), ProgramIcon(QStringLiteral("application-exit")));
    r.add(kCmdCopy, tr("&Copy"), F::NoFlags, QKeySequence::Copy, ProgramIcon(QStringLiteral("edit-copy")));
    r.add(kCmdMainBar, tr("&Main"), F::Checkable);
    r.add(kCmdCalendarBar, tr("&Calendar"), F::Checkable);
    r.add(kCmdStatusBar, tr("Status &Bar"), F::Checkable);
    r.add(kCmdHelpTopics, tr("&Help Topics"), F::NoFlags, QKeySequence::HelpContents,
          ProgramIcon(QStringLiteral("help-contents")));
    r.add(kCmdTipOfDay, tr("Ti&p of the Day ..."), F::NoFlags, QKeySequence(),
          ProgramIcon(QStringLiteral(":/icons/tip.svg")));
    r.add(kCmdAbout, tr("About Quadrivium..."), F::NoFlags, QKeySequence(), ProgramIcon(QStringLiteral("help-about")));
    // The calendar bar is shown only while the biorhythm reading is current.
    r.setEnableRule(kCmdCalendarBar, [this] { return m_document.currentCommand() == kBiorhythmPage; });
}

void CMainFrame::createBars()
{
    m_mainBar = new CMainBar(this);
    m_mainBar->setFlat(m_document.settings().value(DocumentSettings::Toolbars) != 0);
    addToolBar(Qt::TopToolBarArea, m_mainBar);
    connect(m_mainBar, &CMainBar::personChosen, this, [this](int id) {
        RunGuarded(this, [this, id] { personListChosen(id); });
        m_document.SaveSettings(m_settings);
    });
    connect(m_mainBar, &QToolBar::visibilityChanged, m_registry->action(kCmdMainBar), &QAction::setChecked);

    m_statusBar = new CStatusBar(this);
    setStatusBar(m_statusBar);
    connect(m_registry->action(kCmdStatusBar), &QAction::toggled, m_statusBar, &QWidget::setVisible);
    m_registry->action(kCmdStatusBar)->setChecked(true);

    // Docked above the pages, where the biorhythm graph stands; the user
    // may float it, and the bar layout keeps where it was.
    m_calendarBar = new CCalendarBar(m_document, *m_registry, this);
    addDockWidget(Qt::TopDockWidgetArea, m_calendarBar);
    m_calendarBar->hide();
    connect(m_calendarBar, &QDockWidget::visibilityChanged, this, [this] {
        m_registry->action(kCmdCalendarBar)->setChecked(m_calendarBar->isVisible());
    });
    m_dayBar = new CDayBarSettings(*m_calendarBar, m_settings, this);

    m_chartLineBar = new CChartLineBar(*m_registry, m_settings, this);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_chartLineBar);
    m_chartLineBar->hide();
}

void CMainFrame::createPanes()
{
    m_splitter = new CAdvancedSplitterWnd(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_view = new CQuadriviumView(m_document, m_splitter);
    m_textPane = new CRichView(m_splitter);
    m_splitter->addWidget(ScrollingPane(m_view));
    m_splitter->addWidget(m_textPane);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    connect(m_view->introPage(), &CIntro::openRequested, this, [this] { RunCommand(kCmdIntroOpen); });
    connect(m_textPane, &QTextEdit::copyAvailable, m_registry, &CCommandRegistry::updateStates);
    m_registry->setEnableRule(kCmdCopy, [this] { return m_textPane->textCursor().hasSelection(); });
    connect(m_view->sheet(), &QTabWidget::currentChanged, this, [this] {
        // A tab chosen with the mouse or keyboard runs its page command, so
        // that the current command always names the page in front.
        const int position = m_view->sheet()->activePosition();
        if (position == CsheetWithTab::Introduction) {
            m_document.setCurrentCommand(kNoPage);
            arrangeSplitter(nullptr);
            showTextOf(0, 1);
            return;
        }
        for (const auto &[command, p] : m_pages) {
            if (p->sheetIndex() == position && m_document.currentCommand() != command)
                RunCommand(command);
        }
    });
    connect(&m_document, &CQuadriviumDoc::personChanged, this, [this] {
        for (const auto &[command, p] : m_pages) {
            const int index = m_view->sheet()->indexOf(p);
            if (index >= 0)
                m_view->sheet()->setTabEnabled(index, !p->needsPerson() || m_document.hasPerson());
        }
    });
}

void CMainFrame::addReadingPages()
{
    CsheetWithTab *sheet = m_view->sheet();
    for (CReadingPage *p : CreateReadingPages(m_document, sheet)) {
        const int command = p->command();
        const QIcon icon = ProgramIcon(p->iconName());
        if (!sheet->setPage(p->sheetIndex(), p, p->tabText(), icon) || m_pages.count(command)) {
            delete p;
            continue;
        }
        sheet->setTabEnabled(sheet->indexOf(p), !p->needsPerson() || m_document.hasPerson());
        m_pages[command] = p;
        m_pageOrder.push_back(p);
        CCommandRegistry::Flags flags = CCommandRegistry::MarkedWhileCurrent;
        if (p->needsPerson())
            flags |= CCommandRegistry::NeedsPerson;
        m_registry->add(command, p->menuText(), flags, QKeySequence(), icon);
        p->setCommandProbe([this](int id) { const QAction *a = m_registry->action(id); return a && a->isEnabled(); });
        connect(p, &CReadingPage::textRequested, this, &CMainFrame::showTextOf);
        connect(p, &CReadingPage::tripleRequested, this, &CMainFrame::showTriple);
        connect(p, &CReadingPage::commandRequested, this, [this](int id) {
            if (QAction *a = m_registry->action(id))
                a->trigger();
        });
    }
}

void CMainFrame::createMenus()
{
    auto add = [this](QMenu *menu, int id) {
        if (QAction *a = m_registry->action(id))
            menu->addAction(a);
    };
    QMenu *file = menuBar()->addMenu(tr("&File"));
    add(file, kCmdNew);
    add(file, kCmdOpen);
    add(file, kCmdEditFile);
    file->addSeparator();
    add(file, kCmdSavePicture);
    file->addSeparator();
    m_print->addToMenu(*file);
    file->addSeparator();
    add(file, kCmdExit);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    add(edit, kCmdCopy);

    m_viewMenu = menuBar()->addMenu(tr("&View"));
    for (const CReadingPage *p : m_pageOrder)
        add(m_viewMenu, p->command());
    if (!m_pages.empty())
        m_viewMenu->addSeparator();
    m_barsMenu = m_viewMenu->addMenu(tr("&Toolbars"));
    add(m_barsMenu, kCmdMainBar);
    m_barsMenu->addAction(m_chartLineBar->toggleViewAction());
    if (page(kBiorhythmPage))
        add(m_barsMenu, kCmdCalendarBar);
    add(m_viewMenu, kCmdStatusBar);
    m_editor->AddMenus(*file, *edit, *m_viewMenu);
    m_viewMenu->addSeparator();
    add(m_viewMenu, kCmdSettings);
    m_export->AddMenus(*file);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    add(help, kCmdHelpTopics);
    add(help, kCmdTipOfDay);
    help->addSeparator();
    add(help, kCmdAbout);

    // The main bar in the order of its buttons; commands the program does
    // not offer are left out, and so are separators they would leave twice.
    std::vector<int> buttons{kCmdNew, kCmdOpen, kCmdPrint, kCmdPrintPreview, 0};
    for (const CReadingPage *p : m_pageOrder)
        buttons.push_back(p->command());
    buttons.insert(buttons.end(), {0, kCmdAbout, kCmdHelpTopics});
    bool separatorDue = false;
    for (int id : buttons) {
        if (id == 0) {
            separatorDue = !m_mainBar->actions().isEmpty();
            continue;
        }
        if (QAction *a = m_registry->action(id)) {
            if (separatorDue)
                m_mainBar->addSeparator();
            separatorDue = false;
            m_mainBar->addAction(a);
        }
    }
    m_mainBar->addSeparator();
    m_mainBar->addWidget(m_mainBar->personList());
    m_editor->AddButtons(*m_mainBar);
    m_registry->action(kCmdMainBar)->setChecked(true);
}

void CMainFrame::RestoreWindow()
{
    RestoreBarLayout(m_settings, *this);
    const auto placement = ReadStoredPlacement(m_settings);
    if (placement) {
        ApplyPlacement(*this, *placement);
    } else {
        if (!m_hadPlacement)
            setGeometry(screenArea());
        showNormal();
    }
    KeepOnScreen(*this);
    m_mainBar->show();
    applySplit();
}

void CMainFrame::arrangeSplitter(const CReadingPage *p)
{
    m_splitter->setLocked(!p || !p->splitterMovable());
    const int wanted = p ? p->preferredHeight() : -1;
    const int h = m_splitter->height();
    if (wanted < 0 || h <= 0) {
        applySplit();
        return;
    }
    // The page stands below the sheet's tab bar: the upper pane takes that
    // as well, and the text pane keeps at least a few lines.
    const int above = m_view->sheet()->tabBar()->sizeHint().height();
    const int minimumText = m_textPane->fontMetrics().height() * 4;
    const int upper = qBound(0, wanted + above, qMax(0, h - minimumText));
    m_splitter->setSizes({upper, h - upper});
}

void CMainFrame::applySplit()
{
    const int h = m_splitter->height();
    if (h <= 0)
        return;
    m_splitter->setSizes({2 * (h / 3) + 25, h / 3 - 25});
}

void CMainFrame::RunCommand(int id)
{
    RunGuarded(this, [this, id] { dispatch(id); });
    // What a command changed is kept at once, so that a crash loses nothing.
    m_document.SaveSettings(m_settings);
}

void CMainFrame::dispatch(int id)
{
    if (m_pages.count(id)) {
        if (m_document.hasPerson() || !page(id)->needsPerson())
            runPageCommand(id);
        return;
    }
    if (CPrintCommands::handles(id)) {
        m_print->run(id);
        return;
    }
    if (const int line = CChartLineBar::ChartNumberOf(id)) {
        showTextOf(1, line); // the line's "Chart" text
        return;
    }
    if (id >= kCmdFirstDay && id <= kCmdLastDay) {
        m_calendarBar->SelectDay(id - kCmdFirstDay + 1);
        return;
    }
    switch (id) {
    case kCmdNew:
        newPerson();
        break;
    case kCmdOpen:
        openPerson();
        break;
    case kCmdIntroOpen:
        openPerson();
        break;
    case kCmdEditFile:
        editPerson();
        break;
    case kCmdSavePicture:
        if (CReadingPage *p = page(m_document.currentCommand())) {
            const QString name = ReadingFileName(m_document.currentCommand(), m_document, SystemToday);
            SavePicture(this, *p, name.isEmpty() ? p->tabText() : name);
        }
        break;
    case kCmdExit:
        close();
        break;
    case kCmdCopy:
        m_textPane->copy();
        break;
    case kCmdMainBar:
        m_mainBar->setVisible(!m_mainBar->isVisible());
        break;
    case kCmdStatusBar:
        break; // the action's toggle shows or hides the bar
    case kCmdCalendarBar:
        m_calendarBar->setVisible(!m_calendarBar->isVisible());
        break;
    case kCmdBack:
        m_calendarBar->Back();
        break;
    case kCmdForward:
        m_calendarBar->Forward();
        break;
    case kCmdHelpTopics:
        showHelp();
        break;
    case kCmdTipOfDay:
        showTip();
        break;
    case kCmdAbout:
        CAboutDialog(this).exec();
        break;
    default:
        m_settingsCommand->Run(id); // weekday headers and the like: nothing
        break;
    }
}

void CMainFrame::runPageCommand(int id)
{
    CReadingPage *p = page(id);
    if (!p || m_document.currentCommand() == id || !m_editor->ReleaseForPage() || !m_export->SettleExport())
        return;
    m_document.setCurrentCommand(id);
    // The calendar chooses the biorhythm's day; other readings close it.
    if (id != kBiorhythmPage && ReadingKindOf(id))
        m_calendarBar->hide();
    p->refill();
    m_view->ShowPage(p->sheetIndex());
    arrangeSplitter(p);
    if (id == kWalkthroughPage)
        return; // it only becomes the page in front
    p->showIntroduction();
    refillPersonList();
    selectCurrentPerson();
    m_document.textChanged = false;
}

void CMainFrame::rebuildPage()
{
    const int command = m_document.currentCommand();
    if (!page(command))
        return;
    m_document.setCurrentCommand(kRebuildPage);
    runPageCommand(command);
}

void CMainFrame::afterPersonChosen()
{
    refillPersonList();
    selectCurrentPerson();
    updateTitle();
    if (!m_document.hasPerson() || m_editor->isActive())
        return; // the text manager stays; its page is rebuilt on leaving
    if (page(m_document.currentCommand()))
        rebuildPage();
    else if (page(kBirthChartPage))
        runPageCommand(kBirthChartPage);
}

void CMainFrame::openPerson()
{
    if (m_personsPath.isEmpty()) {
        ShowError(this, m_personsError);
        return;
    }
    CPersonSelectDialog dialog(m_document, m_personsPath, this);
    runPersonDialog(dialog);
}

void CMainFrame::runPersonDialog(QDialog &dialog)
{
    // A person saved from within the dialog becomes the current one even
    // when the dialog itself is cancelled afterwards.
    bool changed = false;
    const auto watch = connect(&m_document, &CQuadriviumDoc::personChanged, this,
                               [&changed] { changed = true; });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    disconnect(watch);
    if (accepted || changed) {
        afterPersonChosen();
    } else {
        // Persons and groups made in the dialog join the list all the same.
        refillPersonList();
        selectCurrentPerson();
    }
    dropCurrentPersonIfGone();
}

void CMainFrame::newPerson()
{
    if (m_personsPath.isEmpty()) {
        ShowError(this, m_personsError);
        return;
    }
    CPersonDialog dialog(m_document, m_personsPath, 0, this);
    runPersonDialog(dialog);
}

void CMainFrame::editPerson()
{
    if (m_personsPath.isEmpty() || !m_document.hasPerson())
        return;
    const PersonStore store(m_personsPath);
    // The person shown last, when the name still fits; otherwise the first
    // person of that name.
    int id = 0;
    const int last = m_document.settings().value(DocumentSettings::LastID);
    const auto lastRow = store.find(last);
    if (!Succeeded(this, lastRow))
        return;
    if (lastRow.value() && lastRow.value()->displayName() == m_document.personName()) {
        id = last;
    } else {
        const auto persons = store.listPersons();
        if (!Succeeded(this, persons))
            return;
        for (const PersonRow &row : persons.value()) {
            if (row.displayName() == m_document.personName()) {
                id = row.id;
                break;
            }
        }
    }
    if (id == 0) {
        ShowError(this, tr("%1 is no longer in the persons file.").arg(m_document.personName()));
        refillPersonList();
        selectCurrentPerson();
        return;
    }
    m_document.settings().set(DocumentSettings::LastID, id);
    CPersonDialog dialog(m_document, m_personsPath, id, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    refillPersonList();
    selectCurrentPerson();
    updateTitle();
    rebuildPage();
}

void CMainFrame::personListChosen(int id)
{
    const int command = m_document.currentCommand();
    if ((ReadingKindOf(command) || command == kNoPage || command == kWalkthroughPage)
        && !m_personsPath.isEmpty()) {
        const auto row = PersonStore(m_personsPath).find(id);
        if (!Succeeded(this, row))
            return;
        if (row.value() && !row.value()->folder) {
            const PersonRow &p = *row.value();
            m_document.settings().set(DocumentSettings::LastID, p.id);
            m_document.setCurrentPerson(p.displayName(), p.born, p.time);
            // From the introduction the birth chart opens, as its Open does.
            if (command == kNoPage)
                runPageCommand(kBirthChartPage);
            else
                rebuildPage();
        } else {
            // Deleted meanwhile, by another instance of the program.
            ShowError(this, tr("That person is no longer in the persons file."));
            refillPersonList();
            selectCurrentPerson();
            dropCurrentPersonIfGone();
        }
    } else {
        selectCurrentPerson();
    }
    updateTitle();
}

void CMainFrame::dropCurrentPersonIfGone()
{
    if (m_personsPath.isEmpty())
        return;
    const auto present = CurrentPersonInFile(m_document, m_personsPath);
    if (!Succeeded(this, present) || present.value())
        return;
    m_document.setCurrentPerson(QString(), DateTimeValue::null(), DateTimeValue::null());
    m_calendarBar->hide();
    if (!m_view->ShowPage(CsheetWithTab::Introduction) || m_document.currentCommand() != kNoPage) {
        m_document.setCurrentCommand(kNoPage);
        arrangeSplitter(nullptr);
        showTextOf(0, 1);
    }
    selectCurrentPerson();
}

void CMainFrame::refillPersonList()
{
    if (m_personsPath.isEmpty()) {
        m_mainBar->ClearPersonList();
        return;
    }
    const Status filled = m_mainBar->FillPersonList(PersonStore(m_personsPath));
    if (!filled.ok() && m_personsError.isEmpty())
        m_personsError = filled.error();
}

void CMainFrame::selectCurrentPerson()
{
    m_mainBar->SelectPerson(m_document.settings().value(DocumentSettings::LastID), m_document.personName());
}

QString CMainFrame::documentTitle() const
{
    if (!m_document.hasPerson())
        return {};
    return QStringLiteral("%1 %2").arg(m_document.personName(), FormatDateValue(m_document.birthDate()));
}

void CMainFrame::updateTitle()
{
    const QString title = documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Quadrivium") : title + QStringLiteral(" - Quadrivium"));
}

void CMainFrame::ShowIntroductionText()
{
    if (m_view->sheet()->activePosition() == CsheetWithTab::Introduction)
        showTextOf(0, 1);
}

void CMainFrame::RunStartupAction()
{
    // The introduction text shows first, unless the last person's chart
    // takes its place at once (the list was filled when the window was made).
    const int last = m_document.settings().value(DocumentSettings::LastID);
    const bool autoload = m_document.settings().value(DocumentSettings::Autoload) != 0;
    const auto row = autoload && !m_personsPath.isEmpty() ? PersonStore(m_personsPath).find(last)
                                                          : Result<std::optional<PersonRow>>(std::nullopt);
    const bool chart = row.ok() && row.value() && !row.value()->folder && page(kBirthChartPage);
    if (!chart)
        ShowIntroductionText();
    if (!autoload)
        return;
    if (m_personsPath.isEmpty()) {
        ShowError(this, m_personsError);
        return;
    }
    if (!Succeeded(this, row))
        return; // reported once; the program goes on without a person
    if (row.value() && !row.value()->folder) {
        const PersonRow &p = *row.value();
        m_document.setCurrentPerson(p.displayName(), p.born, p.time);
        selectCurrentPerson();
        rebuildPage();
        updateTitle();
        if (page(kBirthChartPage))
            runPageCommand(kBirthChartPage);
        return;
    }
    RunGuarded(this, [this] {
        CPersonSelectDialog dialog(m_document, m_personsPath, this);
        runPersonDialog(dialog);
    });
}

void CMainFrame::showHelp()
{
    if (!m_help)
        m_help = new CHelpWindow(this);
    m_help->setWindowFlag(Qt::Window);
    if (!m_help->ShowContents()) {
        ShowError(this, tr("The help pages are missing: help/index.html was not found beside the program."));
        return;
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void CMainFrame::showTip()
{
    CTipDialog dialog(m_settings, CTipOfDay::DefaultPath(), this);
    dialog.exec();
}

void CMainFrame::showTextOf(int table, int numberId)
{
    if (!m_editor->SettleInPlace() || !m_export->SettleExport())
        return;
    m_document.editTable = table;
    m_document.editNumberId = numberId;
    const auto shown = ShowStoredText(*m_textPane, table, numberId);
    // A spot whose text is missing says so instead of doing nothing.
    const bool found = Succeeded(this, shown) && shown.value();
    if (!found)
        m_textPane->setPlainText(tr("No text is stored for this number."));
    // A text of the birth chart or the pyramid may be edited where it shows.
    const int command = m_document.currentCommand();
    m_editor->EditInPlace(found && (command == kBirthChartPage || command == kPyramidPage));
}

void CMainFrame::showTriple(int table, int a, int b, int c)
{
    if (!m_editor->SettleInPlace() || !m_export->SettleExport())
        return;
    m_editor->EditInPlace(false);
    Succeeded(this, ShowTextTriple(*m_textPane, table, a, b, c));
}

void CMainFrame::returnFromEditor(int command)
{
    CReadingPage *p = page(command);
    if (p && (m_document.hasPerson() || !p->needsPerson())) {
        RunCommand(command);
        return;
    }
    m_document.setCurrentCommand(kNoPage);
    m_view->ShowPage(CsheetWithTab::Introduction);
    arrangeSplitter(nullptr);
    showTextOf(0, 1);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!m_closed && (!m_editor->MayClose() || !m_export->SettleExport())) {
        event->ignore();
        return;
    }
    if (!m_closed) {
        m_closed = true;
        DocumentSettings &s = m_document.settings();
        s.set(DocumentSettings::LastCommand, m_document.currentCommand());
        m_document.SaveSettings(m_settings);
        m_calendarBar->hide();
        SaveBarLayout(m_settings, *this);
        WriteStoredPlacement(m_settings, PlacementOf(*this));
        m_settings.sync();
    }
    if (m_help)
        m_help->close();
    event->accept();
}

} // namespace quadrivium
