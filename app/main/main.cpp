// The Quadrivium desktop program.

#include "app/quadriviumapp.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Orbisaneng"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quadrivium"));
    QApplication::setApplicationVersion(QStringLiteral(QUADRIVIUM_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("quadrivium"));

    quadrivium::StartOptions options;
    QString message;
    if (!quadrivium::CQuadriviumApp::ParseCommandLine(application.arguments(), options, &message)) {
        const bool asked = message.startsWith(QStringLiteral("Usage")) || message == QApplication::applicationVersion();
        QTextStream(asked ? stdout : stderr) << message << '\n';
        return asked ? 0 : 2;
    }
    quadrivium::CQuadriviumApp program(options);
    if (!program.InitInstance())
        return 1;
    return application.exec();
}
