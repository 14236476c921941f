// quadrivium-cli: the readings and the stores without the window.

#include "biorhythmcommand.h"
#include "comparecommand.h"
#include "exportcommand.h"
#include "kindcommand.h"
#include "personscommand.h"
#include "picturecommand.h"
#include "readingcommand.h"
#include "reportcommand.h"
#include "textscommand.h"
#include "rtfcommand.h"

#include "pages/readingkind.h"
#include "store/location.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <array>
#include <memory>

namespace {

/// What a command needs of Qt. Each step up costs a script's every call:
/// the GUI module connects to the platform and, at the first text, reads
/// the font configuration; widgets add their style and its palettes.
enum class Needs {
    Core,    ///< numbers, stores and plain text only
    Gui,     ///< fonts, rich text documents and painting
    Widgets, ///< pages drawn as the window shows them
};

struct Command {
    const char *name;
    const char *summary;
    int (*run)(const QStringList &arguments);
    Needs needs;
};

const std::array kCommands{
    Command{"reading", "all numbers of one person", quadrivium::cli::runReading, Needs::Core},
    Command{"biorhythm", "curve values, classes and critical days of one month", quadrivium::cli::runBiorhythm,
            Needs::Core},
    Command{"compare", "the compatibility of two persons", quadrivium::cli::runCompare, Needs::Core},
    Command{"report", "a printed report as a PDF file", quadrivium::cli::runReport, Needs::Gui},
    Command{"rtf", "plain text or normalized RTF of an RTF file", quadrivium::cli::runRtf, Needs::Gui},
    Command{"persons", "list, add, delete, export and import persons", quadrivium::cli::runPersons, Needs::Core},
    Command{"texts", "export and import the interpretation texts", quadrivium::cli::runTexts, Needs::Core},
    Command{"export", "one reading with its texts as an RTF or text file", quadrivium::cli::runExport, Needs::Gui},
    Command{"picture", "a PNG or SVG picture of a reading page", quadrivium::cli::runPicture, Needs::Widgets},
};

QtMessageHandler qtHandler = nullptr;

/// Passes Qt's messages on, except its note that the session has no runtime
/// folder: scripts run from cron or `su` have none, and the command line
/// never uses that folder.
void filterQtMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
}

void printUsage(QTextStream &out)
{
    out << "Usage: quadrivium-cli <command> [options]\n\nCommands:\n";
    for (const Command &c : kCommands)
        out << "  " << QString::fromLatin1(c.name).leftJustified(10) << c.summary << '\n';
    for (const quadrivium::ReadingKind &kind : quadrivium::ReadingKinds()) {
        if (kind.json)
            out << "  " << kind.name.leftJustified(10) << kind.commandSummary << '\n';
    }
    out << "\nquadrivium-cli <command> --help describes the options of a command;\n"
           "quadrivium-cli --version prints the version.\n";
}

/// What the call in `argv` needs: the core for the version, the usage and
/// the commands that only count and read; the widget application, as
/// always before, for a first argument that names no command (it may be
/// one of Qt's own options, which only that application takes away).
Needs neededBy(int argc, char *argv[])
{
    if (argc < 2)
        return Needs::Core;
    const QLatin1StringView first(argv[1]);
    if (first == "--help" || first == "-h" || first == "--version" || first == "-v")
        return Needs::Core;
    for (const Command &c : kCommands) {
        if (first == c.name)
            return c.needs;
    }
    for (const quadrivium::ReadingKind &kind : quadrivium::ReadingKinds()) {
        if (kind.json && first == kind.name)
            return Needs::Core;
    }
    return Needs::Widgets;
}

std::unique_ptr<QCoreApplication> makeApplication(Needs needs, int &argc, char *argv[])
{
    switch (needs) {
    case Needs::Core:
        return std::make_unique<QCoreApplication>(argc, argv);
    case Needs::Gui:
        return std::make_unique<QGuiApplication>(argc, argv);
    case Needs::Widgets:
        break;
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts and pages need the GUI module; without a display it runs
    // offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(filterQtMessages);
    const auto app = makeApplication(neededBy(argc, argv), argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quadrivium-cli"));
    const QStringList arguments = QCoreApplication::arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (arguments.size() < 2) {
        printUsage(err); // a bare call is a usage error
        return 2;
    }
    if (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h")) {
        printUsage(out);
        return 0;
    }
    if (arguments[1] == QLatin1String("--version") || arguments[1] == QLatin1String("-v")) {
        out << "quadrivium-cli " << QUADRIVIUM_VERSION << '\n';
        return 0;
    }
    for (const Command &c : kCommands) {
        if (arguments[1] == QLatin1String(c.name)) {
            const int status = c.run(arguments.mid(1));
            if (const QString warning = quadrivium::TextDatabaseWarning(); !warning.isEmpty())
                QTextStream(stderr) << "quadrivium-cli: " << warning << '\n';
            return status;
        }
    }
    for (const quadrivium::ReadingKind &kind : quadrivium::ReadingKinds()) {
        if (kind.json && arguments[1] == kind.name) {
            const int status = quadrivium::cli::runReadingKind(kind, arguments.mid(1));
            if (const QString warning = quadrivium::TextDatabaseWarning(); !warning.isEmpty())
                QTextStream(stderr) << "quadrivium-cli: " << warning << '\n';
            return status;
        }
    }
    err << "quadrivium-cli: unknown command \"" << arguments[1] << "\"\n";
    printUsage(err);
    return 2;
}
