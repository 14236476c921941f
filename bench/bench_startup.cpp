// Start-up and reading-switch benchmarks of the program, offscreen, with a
// persons file of 1,000 persons:
// - BM_StartToChart: from launching the program to the first paint of the
//   birth chart of the last person (aim: within 50 ms of BM_MinimalWindow,
//   a bare Qt window shown and painted the same way);
// - BM_SwitchReading: choosing another person in the main bar until the
//   chart and the text pane are painted again (aim: under 16 ms).
// The launches run this program again in a child mode, so that each one
// pays for everything a real start pays for (libraries, fonts, keys). The
// child prints the monotonic clock at the paint that ends the measurement,
// so that tearing the process down afterwards is not counted.

#include "app/mainbar.h"
#include "app/mainframe.h"
#include "app/quadriviumapp.h"
#include "app/richview.h"
#include "pages/chartpage.h"
#include "store/store.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

#include <unistd.h>

using namespace quadrivium;

namespace {

constexpr int kPersons = 1000;

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

/// Prints the time of the paint at which `done` first holds and ends the
/// process right after it.
class ExitAtPaint : public QObject {
public:
    explicit ExitAtPaint(std::function<bool(QObject *)> done) : m_done(std::move(done)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted && m_done(watched)) {
            m_painted = true;
            QTimer::singleShot(0, [] { // once this paint is complete
                std::printf("%lld\n", static_cast<long long>(monotonicNanoseconds()));
                std::fflush(stdout);
                ::_exit(0);
            });
        }
        return false;
    }

private:
    std::function<bool(QObject *)> m_done;
    bool m_painted = false;
};

int runMinimalWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    ExitAtPaint exit([&](QObject *o) { return o == &window; });
    app.installEventFilter(&exit);
    window.resize(710, 500);
    window.show();
    return app.exec();
}

int runProgram(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Orbisaneng"));
    StartOptions options;
    options.splash = false;
    options.tips = false;
    CQuadriviumApp program(options);
    ExitAtPaint exit([](QObject *o) {
        const auto *chart = qobject_cast<CChart *>(o);
        return chart && chart->hasReading();
    });
    app.installEventFilter(&exit);
    program.InitInstance();
    return app.exec();
}

/// The data and settings of the launched program: the shared persons file
/// with kPersons persons, the user's text database, the last person chosen
/// and a stored window placement.
struct Setup {
    QTemporaryDir dir;
    QString persons;
    int lastId = 0;

    Setup()
    {
        const QString data = dir.filePath(QStringLiteral("data"));
        persons = data + QStringLiteral("/Velmora Shared/persons.mdb");
        QDir().mkpath(QFileInfo(persons).absolutePath());
        CreatePersonsDatabase(persons);
        std::vector<PersonEntry> entries;
        for (int i = 0; i < kPersons; ++i) {
            PersonEntry e;
            e.last = QStringLiteral("Person%1").arg(i, 4, 10, QLatin1Char('0'));
            e.first = QStringLiteral("Anna");
            e.born = DateTimeValue::fromFields(1940 + i % 60, 1 + i % 12, 1 + i % 28);
            if (i % 10 == 0)
                e.group = QStringLiteral("Group %1").arg(i % 7);
            entries.push_back(e);
        }
        PersonStore(persons).importPersons(entries);
        lastId = PersonStore(persons).listPersons()->at(kPersons / 2).id;
        const QString texts = data + QStringLiteral("/Quadrivium/Quadrivium.mdb");
        QDir().mkpath(QFileInfo(texts).absolutePath());
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Quadrivium.mdb"), texts);
        const QString config = dir.filePath(QStringLiteral("config/Velmora/Orbisaneng.conf"));
        QDir().mkpath(QFileInfo(config).absolutePath());
        QFile file(config);
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral("[General]\nAutoload=1\nLastID=%1\nLastCommand=22774\nPersonsFile=%2\n"
                                  "[Settings]\nWindowPos=\"0,1,-1,-1,-1,-1,10,10,1010,730\"\n")
                       .arg(lastId)
                       .arg(persons)
                       .toUtf8());
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
};

Setup &setup()
{
    static Setup instance;
    return instance;
}

void launch(benchmark::State &state, const QString &mode)
{
    const QProcessEnvironment env = setup().environment();
    for (auto _ : state) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(setup().dir.path());
        const qint64 launched = monotonicNanoseconds();
        child.start(QCoreApplication::applicationFilePath(), {mode});
        bool ok = false;
        const qint64 painted = child.waitForFinished(30000) && child.exitCode() == 0
                                   ? child.readAllStandardOutput().trimmed().toLongLong(&ok)
                                   : 0;
        if (!ok) {
            state.SkipWithError(child.readAllStandardError().constData());
            break;
        }
        state.SetIterationTime(double(painted - launched) / 1e9);
    }
}

void BM_MinimalWindow(benchmark::State &state)
{
    launch(state, QStringLiteral("--child-minimal"));
}
BENCHMARK(BM_MinimalWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void BM_StartToChart(benchmark::State &state)
{
    launch(state, QStringLiteral("--child-program"));
}
BENCHMARK(BM_StartToChart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

/// Counts paints of the chart page and of the text pane.
class PaintCounter : public QObject {
public:
    QObject *chart = nullptr;
    QObject *text = nullptr;
    int chartPaints = 0;
    int textPaints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            chartPaints += watched == chart;
            textPaints += watched == text;
        }
        return false;
    }
};

void BM_SwitchReading(benchmark::State &state)
{
    qputenv("XDG_DATA_HOME", setup().dir.filePath(QStringLiteral("data")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, setup().dir.filePath(QStringLiteral("config")));
    SetPersonsDatabasePath(setup().persons);
    SetTextDatabasePath(setup().dir.filePath(QStringLiteral("data/Quadrivium/Quadrivium.mdb")));
    StartOptions options;
    options.splash = false;
    options.tips = false;
    CQuadriviumApp program(options);
    program.InitInstance();
    CMainFrame *frame = program.mainFrame();
    auto *chart = frame->findChild<CChart *>();
    auto *list = frame->findChild<CMainBar *>()->findChild<QComboBox *>();
    PaintCounter counter;
    counter.chart = chart;
    counter.text = frame->textPane()->viewport();
    qApp->installEventFilter(&counter);
    QElapsedTimer started;
    started.start();
    while (!(chart->isVisible() && chart->hasReading()) && started.elapsed() < 10000)
        QCoreApplication::processEvents();
    if (!chart->hasReading()) {
        state.SkipWithError("no chart at start");
        return;
    }
    int index = list->currentIndex();
    int textMissed = 0;
    for (auto _ : state) {
        index = (index + 37) % list->count();
        counter.chartPaints = counter.textPaints = 0;
        QElapsedTimer timer;
        timer.start();
        list->setCurrentIndex(index);
        emit list->activated(index);
        while ((counter.chartPaints == 0 || counter.textPaints == 0) && timer.elapsed() < 1000)
            QCoreApplication::processEvents();
        textMissed += counter.textPaints == 0;
    }
    state.counters["text pane not repainted"] = textMissed;
    qApp->removeEventFilter(&counter);
}
BENCHMARK(BM_SwitchReading)->Unit(benchmark::kMillisecond)->Iterations(100);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::string_view(argv[1]) == "--child-minimal")
        return runMinimalWindow(argc, argv);
    if (argc > 1 && std::string_view(argv[1]) == "--child-program")
        return runProgram(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Orbisaneng"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
