// Start-up, reading-switch and selection-dialog benchmarks of the program,
// offscreen, with persons files of 1,000 and of 100,000 persons (the
// argument of each benchmark):
// - BM_StartToChart: from launching the program to the first paint of the
//   birth chart of the last person (aims: with 1,000 persons within 50 ms
//   of BM_MinimalWindow, a bare Qt window shown and painted the same way;
//   with 100,000 within 100 ms of the launch with 1,000);
// - BM_StartToChartNoKeyCache: the same with an empty key cache, so that
//   the keys of both database files are derived during the start;
// - BM_SwitchReading: choosing another person in the main bar until the
//   chart and the text pane are painted again (aim: under 16 ms);
// - BM_SelectionDialogOpen and BM_SelectionDialogScroll: opening the
//   selection dialog, and moving its list to another place, until the list
//   is painted (aim: under 100 ms);
// - BM_SelectionDialogType: typing the start of a name into the dialog's
//   list until the row found is current and painted (aim: under 50 ms).
// The launches run this program again in a child mode, so that each one
// pays for everything a real start pays for (libraries, fonts, keys). The
// child prints the monotonic clock at the paint that ends the measurement,
// so that tearing the process down afterwards is not counted.

#include "app/mainbar.h"
#include "app/mainframe.h"
#include "app/personlistview.h"
#include "app/personselectdialog.h"
#include "app/quadriviumapp.h"
#include "app/richview.h"
#include "pages/chartpage.h"
#include "pages/quadriviumdoc.h"
#include "store/personlisting.h"
#include "store/store.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>

#include <unistd.h>

using namespace quadrivium;

namespace {

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
/// with `count` persons, the user's text database, the last person chosen
/// and a stored window placement. The keys of both files are in the key
/// cache, as after any earlier start.
struct Setup {
    QTemporaryDir dir;
    QString persons;
    QString texts;
    int lastId = 0;

    explicit Setup(int count)
    {
        const QString data = dir.filePath(QStringLiteral("data"));
        persons = data + QStringLiteral("/Velmora Shared/persons.mdb");
        QDir().mkpath(QFileInfo(persons).absolutePath());
        CreatePersonsDatabase(persons);
        std::vector<PersonEntry> entries;
        for (int i = 0; i < count; ++i) {
            PersonEntry e;
            e.last = QStringLiteral("Person%1").arg(i, 6, 10, QLatin1Char('0'));
            e.first = QStringLiteral("Anna");
            e.born = DateTimeValue::fromFields(1940 + i % 60, 1 + i % 12, 1 + i % 28);
            if (i % 10 == 0)
                e.group = QStringLiteral("Group %1").arg(i % 7);
            entries.push_back(e);
        }
        PersonStore(persons).importPersons(entries);
        lastId = PersonListing::persons(persons).rows(count / 2, 1)->front().id;
        texts = data + QStringLiteral("/Quadrivium/Quadrivium.mdb");
        QDir().mkpath(QFileInfo(texts).absolutePath());
        QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Quadrivium.mdb"), texts);
        Connection{texts}; // its key goes into the cache
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
        env.insert(QStringLiteral("XDG_CACHE_HOME"), keyCache());
        return env;
    }

    /// The key cache of the benchmarks, apart from the user's.
    static QString keyCache()
    {
        static QTemporaryDir folder;
        return folder.path();
    }
};

Setup &setup(int count)
{
    static std::map<int, std::unique_ptr<Setup>> setups;
    auto &instance = setups[count];
    if (!instance)
        instance = std::make_unique<Setup>(count);
    return *instance;
}

void launch(benchmark::State &state, const QString &mode, int count = 1000, bool emptyKeyCache = false)
{
    QProcessEnvironment env = setup(count).environment();
    for (auto _ : state) {
        QTemporaryDir emptyCache;
        if (emptyKeyCache)
            env.insert(QStringLiteral("XDG_CACHE_HOME"), emptyCache.path());
        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(setup(count).dir.path());
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
    launch(state, QStringLiteral("--child-program"), int(state.range(0)));
}
BENCHMARK(BM_StartToChart)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

void BM_StartToChartNoKeyCache(benchmark::State &state)
{
    launch(state, QStringLiteral("--child-program"), 1000, true);
}
BENCHMARK(BM_StartToChartNoKeyCache)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

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
    const Setup &files = setup(int(state.range(0)));
    qputenv("XDG_DATA_HOME", files.dir.filePath(QStringLiteral("data")).toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, files.dir.filePath(QStringLiteral("config")));
    SetPersonsDatabasePath(files.persons);
    SetTextDatabasePath(files.texts);
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
BENCHMARK(BM_SwitchReading)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(100);

/// Tells when `widget` is painted: wait() waits for the first paint since
/// it was made or arm() was called, and gives up after a second.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) : m_widget(widget) { widget->installEventFilter(this); }

    void arm() { m_painted = false; }
    bool wait()
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_painted && timer.elapsed() < 1000)
            QCoreApplication::processEvents();
        return m_painted;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::Paint)
            m_painted = true;
        return false;
    }

private:
    QWidget *m_widget;
    bool m_painted = false;
};

void BM_SelectionDialogOpen(benchmark::State &state)
{
    const Setup &files = setup(int(state.range(0)));
    CQuadriviumDoc doc;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        CPersonSelectDialog dialog(doc, files.persons);
        PaintWatch painted(dialog.list()->viewport());
        dialog.show();
        if (!painted.wait()) {
            state.SkipWithError("the list was not painted");
            break;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_SelectionDialogOpen)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

/// Runs `step` (given the dialog and the iteration's number) and times it
/// until the dialog's list is painted again.
template<typename Step>
void timeInDialog(benchmark::State &state, Step step)
{
    const Setup &files = setup(int(state.range(0)));
    CQuadriviumDoc doc;
    CPersonSelectDialog dialog(doc, files.persons);
    PaintWatch painted(dialog.list()->viewport());
    dialog.show();
    painted.wait();
    int n = 0;
    for (auto _ : state) {
        painted.arm();
        QElapsedTimer timer;
        timer.start();
        step(dialog, n++);
        if (!painted.wait()) {
            state.SkipWithError("the list was not painted");
            break;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    }
}

void BM_SelectionDialogScroll(benchmark::State &state)
{
    // Jumps across the whole list, as dragging the scroll bar's handle does;
    // never to where the list stands (the top, at first).
    timeInDialog(state, [](CPersonSelectDialog &dialog, int n) {
        QScrollBar *bar = dialog.list()->verticalScrollBar();
        bar->setValue(int((qint64(n + 1) * 7919 % 101) * bar->maximum() / 100));
    });
}
BENCHMARK(BM_SelectionDialogScroll)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

/// The start of the name of a person of a file of `count` persons.
QString typedName(int count, int n)
{
    return QStringLiteral("Person%1").arg((n * 7919) % count, 6, 10, QLatin1Char('0')).left(10);
}

void BM_SelectionDialogType(benchmark::State &state)
{
    const int count = int(state.range(0));
    timeInDialog(state, [count](CPersonSelectDialog &dialog, int n) {
        CPersonListView *list = dialog.list();
        list->keyboardSearch(QString()); // a new search, not the last one continued
        list->keyboardSearch(typedName(count, n));
    });
}
BENCHMARK(BM_SelectionDialogType)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

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
    qputenv("XDG_CACHE_HOME", QFile::encodeName(Setup::keyCache()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
