// Store benchmarks: text lookups with a connection per lookup (aim: at least
// 2,000 per second), and a person store of 100,000 persons (aims: listing
// the top level under 100 ms, adding a person with the duplicate check
// under 5 ms, importing 100,000 persons under 3 s).

#include "store/store.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quadrivium;

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

const QString &textDatabase()
{
    static const QString path = [] {
        const QString p = scratch().filePath(QStringLiteral("Quadrivium.mdb"));
        CreateTextDatabase(p, [](Connection &db) {
            for (int table = 0; table < kTextTableCount; ++table)
                for (int n = 1; n <= 50; ++n)
                    InsertText(db, table, TextRecord{QString::number(n), QStringLiteral("Title %1").arg(n),
                                                     QString(600, QLatin1Char('t')), QStringLiteral("Title %1").arg(n), n});
        });
        return p;
    }();
    return path;
}

constexpr int kPersons = 100000;

/// kPersons different persons, most at the top level, some in twenty groups.
const std::vector<PersonEntry> &benchPersons()
{
    static const std::vector<PersonEntry> entries = [] {
        std::vector<PersonEntry> list;
        list.reserve(kPersons);
        for (int i = 0; i < kPersons; ++i) {
            PersonEntry e;
            e.last = QStringLiteral("Last%1").arg(i * 7919 % kPersons, 6, 10, QLatin1Char('0'));
            e.first = QStringLiteral("First%1").arg(i % 977);
            e.born = DateTimeValue::fromFields(1900 + i % 120, 1 + i % 12, 1 + i % 28);
            if (i % 5 == 0)
                e.group = QStringLiteral("Group %1").arg(i % 20);
            list.push_back(e);
        }
        return list;
    }();
    return entries;
}

const QString &personsDatabase()
{
    static const QString path = [] {
        const QString p = scratch().filePath(QStringLiteral("persons.mdb"));
        CreatePersonsDatabase(p);
        const auto imported = PersonStore(p).importPersons(benchPersons());
        if (!imported)
            qFatal("%s", qPrintable(imported.error()));
        return p;
    }();
    return path;
}

// One import of 100,000 persons into an empty store, in one transaction
// with the check for persons already present.
void BM_ImportPersons(benchmark::State &state)
{
    const std::vector<PersonEntry> &entries = benchPersons();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString p = scratch().filePath(QStringLiteral("import%1.mdb").arg(n++));
        CreatePersonsDatabase(p);
        state.ResumeTiming();
        const auto imported = PersonStore(p).importPersons(entries);
        if (!imported.ok() || imported->imported != kPersons)
            state.SkipWithError("import failed");
    }
    state.SetItemsProcessed(state.iterations() * kPersons);
}
BENCHMARK(BM_ImportPersons)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_TextLookup(benchmark::State &state)
{
    const TextStore store(textDatabase());
    int n = 0;
    for (auto _ : state) {
        const auto record = store.read(5, 1 + n++ % 50);
        if (!record.ok() || !record->has_value())
            state.SkipWithError("lookup failed");
        benchmark::DoNotOptimize(record);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextLookup)->Unit(benchmark::kMillisecond);

void BM_ListTopLevel(benchmark::State &state)
{
    const PersonStore store(personsDatabase());
    for (auto _ : state) {
        const auto rows = store.listLevel(kTopLevelKey);
        if (!rows.ok())
            state.SkipWithError("listing failed");
        state.counters["rows"] = double(rows->size());
    }
}
BENCHMARK(BM_ListTopLevel)->Unit(benchmark::kMillisecond);

void BM_AddPersonWithDuplicateCheck(benchmark::State &state)
{
    const PersonStore store(personsDatabase());
    static int n = 0; // benchmark runs this function more than once
    for (auto _ : state) {
        PersonEntry e;
        e.last = QStringLiteral("Added%1").arg(n);
        e.first = QStringLiteral("Bench");
        e.born = DateTimeValue::fromFields(1970, 1, 1 + n % 28);
        e.group = QStringLiteral("Group %1").arg(n++ % 20);
        const auto outcome = store.addPersonUnlessDuplicate(e);
        if (!outcome.ok() || !outcome->added)
            state.SkipWithError("adding failed");
    }
}
BENCHMARK(BM_AddPersonWithDuplicateCheck)->Unit(benchmark::kMillisecond);

// Adding a person whose group is new makes the group as well.
void BM_AddPersonInNewGroup(benchmark::State &state)
{
    const PersonStore store(personsDatabase());
    static int n = 0;
    for (auto _ : state) {
        PersonEntry e;
        e.last = QStringLiteral("Grouped%1").arg(n);
        e.first = QStringLiteral("Bench");
        e.born = DateTimeValue::fromFields(1971, 2, 1 + n % 28);
        e.group = QStringLiteral("New group %1").arg(n++);
        if (!store.addPerson(e).ok())
            state.SkipWithError("adding failed");
    }
}
BENCHMARK(BM_AddPersonInNewGroup)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
