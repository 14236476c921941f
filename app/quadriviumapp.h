#pragma once

#include "store/result.h"

#include <QObject>
#include <QStringList>

#include <future>
#include <memory>
#include <vector>

class QSettings;

namespace quadrivium {

class CMainFrame;
class CQuadriviumDoc;

/// What the command line chose.
struct StartOptions {
    bool splash = true;         ///< --no-splash turns the start-up picture off
    bool tips = true;           ///< --no-tips keeps the tip of the day from showing at start-up
    bool startupAction = true;  ///< run the start-up action once the window shows
    QString textDatabase;       ///< --text-db: the text database to use instead of the user's copy
    QString screenshot;         ///< --screenshot: save the window as it first shows to this PNG and quit
};

/// Makes the program's bundled pictures available (the app library is
/// static, so its resources are registered by hand).
void InitProgramResources();

/// The program: finds or makes the persons database, checks the stored bar
/// layout, creates the document and the main window, restores the window
/// and runs the start-up action.
class CQuadriviumApp : public QObject {
    Q_OBJECT
public:
    explicit CQuadriviumApp(const StartOptions &options = {}, QObject *parent = nullptr);
    ~CQuadriviumApp() override;

    /// Reads the program's switches; unknown ones are reported and false.
    static bool ParseCommandLine(const QStringList &arguments, StartOptions &options, QString *error = nullptr);

    /// Start-up in the program's order. True when the main window shows.
    bool InitInstance();

    CQuadriviumDoc &document() const { return *m_document; }
    CMainFrame *mainFrame() const { return m_frame.get(); }
    QSettings &settings() const { return *m_settings; }

signals:
    /// The start-up action has run.
    void startupActionDone();

private:
    StartOptions m_options;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<CQuadriviumDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
    std::vector<std::future<void>> m_background; ///< start-up work; waited for on destruction
};

} // namespace quadrivium
