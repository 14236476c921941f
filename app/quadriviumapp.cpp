#include "quadriviumapp.h"

#include "barlayout.h"
#include "mainframe.h"
#include "personsfilegone.h"
#include "splash.h"
#include "tipofday.h"

#include "output/errorfunnel.h"
#include "output/stringids.h"
#include "output/stringtable.h"
#include "pages/quadriviumdoc.h"
#include "store/connection.h"
#include "store/location.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QSettings>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>

// Outside any namespace: the resource's init function is a global one.
static void initAppResources()
{
    Q_INIT_RESOURCE(app);
}

namespace quadrivium {

void InitProgramResources()
{
    static const bool done = (initAppResources(), true);
    Q_UNUSED(done);
}

CQuadriviumApp::CQuadriviumApp(const StartOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{
    InitProgramResources();
}

CQuadriviumApp::~CQuadriviumApp()
{
    m_frame.reset();
}

bool CQuadriviumApp::ParseCommandLine(const QStringList &arguments, StartOptions &options, QString *error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quadrivium, a numerology program"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Start without the start-up picture."));
    const QCommandLineOption noTips(QStringLiteral("no-tips"), QStringLiteral("Do not show the tip of the day at start-up."));
    const QCommandLineOption textDb(QStringLiteral("text-db"), QStringLiteral("Text database file to use."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window as it first shows to a PNG file and quit."),
                                        QStringLiteral("FILE"));
    parser.addOptions({noSplash, noTips, textDb, screenshot});
    if (!parser.parse(arguments)) {
        if (error)
            *error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
        if (error)
            *error = parser.isSet(QStringLiteral("help")) ? parser.helpText()
                                                          : QCoreApplication::applicationVersion();
        return false;
    }
    options.splash = !parser.isSet(noSplash);
    options.tips = !parser.isSet(noTips);
    options.textDatabase = parser.value(textDb);
    options.screenshot = parser.value(screenshot);
    if (!parser.positionalArguments().isEmpty()) {
        if (error)
            *error = QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
        return false;
    }
    return true;
}

bool CQuadriviumApp::InitInstance()
{
    RemoveStalePartFiles();
    if (!ConfirmGonePersonsFile())
        return false;
    // The persons database; a failure is reported by the start-up action.
    const Result<QString> persons = EnsurePersonsDatabase();
    if (!m_options.textDatabase.isEmpty())
        SetTextDatabasePath(m_options.textDatabase);
    // The keys of both files are derived, the user's copy of the texts is
    // made or brought up and the fonts are found on other threads while the
    // window is built; the first reads and the first text find them ready.
    // TextDatabasePath() waits for that copy until it is settled.
    if (persons)
        PrepareKeyOf(*persons);
    m_background.push_back(std::async(std::launch::async, [] { PrepareKeyOf(TextDatabasePath()); }));
    m_background.push_back(std::async(std::launch::async, [] { QFontDatabase::families(); }));
    const QString personsNotice = PersonsFileNotice();
    QTextStream(stderr) << "quadrivium: " << personsNotice << Qt::endl;

    if (QCoreApplication::organizationName().isEmpty())
        QCoreApplication::setOrganizationName(LoadString(kStrCompany));
    if (QCoreApplication::applicationName().isEmpty())
        QCoreApplication::setApplicationName(QStringLiteral("Orbisaneng"));
    m_settings = std::make_unique<QSettings>(LoadString(kStrCompany), QStringLiteral("Orbisaneng"));
    CheckBarState(*m_settings);

    m_document = std::make_unique<CQuadriviumDoc>();
    m_frame = std::make_unique<CMainFrame>(*m_document, *m_settings, persons);
    m_frame->statusBar()->showMessage(personsNotice);
    m_frame->RestoreWindow();
    if (m_frame->hadStoredPlacement() && m_options.splash)
        (new CSplash(m_frame.get()))->ShowOver(m_frame.get());

    if (!m_options.screenshot.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            m_frame->ShowIntroductionText();
            const bool saved = m_frame->grab().save(m_options.screenshot, "PNG");
            if (!saved)
                QTextStream(stderr) << "quadrivium: cannot write " << m_options.screenshot << '\n';
            QCoreApplication::exit(saved ? 0 : 1);
        });
        return m_frame->isVisible();
    }
    if (const QString warning = TextDatabaseWarning(); !warning.isEmpty())
        QTimer::singleShot(0, this, [this, warning] { ShowError(m_frame.get(), warning); });
    if (m_options.startupAction) {
        QTimer::singleShot(0, this, [this] {
            m_frame->RunStartupAction();
            emit startupActionDone();
            if (m_options.tips && CTipOfDay::ShowAtStartup(*m_settings)) {
                CTipDialog tip(*m_settings, CTipOfDay::DefaultPath(), m_frame.get());
                tip.exec();
            }
        });
    }
    return m_frame->isVisible();
}

} // namespace quadrivium
