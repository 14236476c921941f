#include "helpwindow.h"

#include "commandregistry.h"

#include "store/location.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace quadrivium {

namespace {
constexpr int kContentsContext = 131200;
const char *const kIndex = "index.html";
} // namespace

CHelpWindow::CHelpWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_browser(new QTextBrowser(this))
    , m_folder(HelpFolder())
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Quadrivium Help"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    if (!m_folder.isEmpty())
        m_browser->setSearchPaths({m_folder});
    setCentralWidget(m_browser);

    auto *bar = addToolBar(tr("Navigation"));
    bar->setObjectName(QStringLiteral("helpBar"));
    bar->setMovable(false);
    QAction *back = bar->addAction(ProgramIcon(QStringLiteral("go-previous")), tr("&Back"));
    QAction *forward = bar->addAction(ProgramIcon(QStringLiteral("go-next")), tr("&Forward"));
    QAction *contents = bar->addAction(ProgramIcon(QStringLiteral("go-home")), tr("&Contents"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(contents, &QAction::triggered, this, &CHelpWindow::ShowContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    // Esc and Ctrl+W close the help, as in other help viewers.
    auto *closing = new QAction(tr("&Close"), this);
    closing->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    closing->setShortcutContext(Qt::WindowShortcut);
    addAction(closing);
    connect(closing, &QAction::triggered, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Quadrivium Help") : title);
    });
    resize(760, 620);
}

QString CHelpWindow::HelpFolder()
{
    for (const QString &folder : InstalledDataFolders()) {
        const QString candidate = QDir(folder).filePath(QStringLiteral("help"));
        if (QFileInfo::exists(QDir(candidate).filePath(QLatin1String(kIndex))))
            return candidate;
    }
    return {};
}

bool CHelpWindow::ShowContents()
{
    return ShowContext(0);
}

bool CHelpWindow::ShowContext(int context, const QString &page)
{
    if (m_folder.isEmpty())
        return false;
    const QString name = (context == 0 || context == kContentsContext || page.isEmpty())
                             ? QString::fromLatin1(kIndex)
                             : page;
    const QString path = QDir(m_folder).filePath(name);
    if (!QFileInfo::exists(path))
        return false;
    m_browser->setSource(QUrl::fromLocalFile(path));
    return true;
}

} // namespace quadrivium
