// What one archive operation of the kiosk costs, next to the least that SQLite itself
// needs for the same work: every operation opens the archive and closes it again, as the
// kiosk does so that it sees what the other workstations wrote.

#include "archive/archivepath.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

namespace {

// Fresh archives of their own for each benchmark, so that one's writes do not feed the next.
class Archives
{
public:
    Archives()
    {
        if (!dir_.isValid())
            throw std::runtime_error("no temporary folder");
        FreshArchives::create(dir_.path(), FreshArchives::Content::Empty);
    }
    QString path(const QString &file) const { return ArchivePath::join(dir_.path(), file); }

private:
    QTemporaryDir dir_;
};

// The time of each single operation, so that the tail shows besides the mean.
class Latencies
{
public:
    using Clock = std::chrono::steady_clock;

    void add(Clock::time_point start)
    {
        samples_.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }

    void report(benchmark::State &state)
    {
        if (samples_.empty())
            return;
        std::sort(samples_.begin(), samples_.end());
        const auto at = [this](double q) {
            return samples_[std::min(samples_.size() - 1,
                                     std::size_t(q * double(samples_.size())))];
        };
        state.counters["p50_us"] = at(0.50);
        state.counters["p99_us"] = at(0.99);
    }

private:
    std::vector<double> samples_;
};

void check(int rc, sqlite3 *db, int expected = SQLITE_OK)
{
    if (rc != expected)
        throw std::runtime_error(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

sqlite3 *openSqlite(const QString &path)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

void BM_RecordSetRead(benchmark::State &state)
{
    const Archives archives;
    const QString path = archives.path(ArchivePath::kz4());
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        RecordSet configuration;
        configuration.bind(path, QStringLiteral("configurazione"));
        configuration.open();
        benchmark::DoNotOptimize(configuration.toInt32(QStringLiteral("qualelayout")));
        latencies.add(start);
    }
    latencies.report(state);
}

void BM_SqliteRead(benchmark::State &state)
{
    const Archives archives;
    const QString path = archives.path(ArchivePath::kz4());
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        sqlite3 *db = openSqlite(path);
        sqlite3_stmt *statement = nullptr;
        check(sqlite3_prepare_v2(db, "SELECT \"qualelayout\" FROM \"configurazione\" LIMIT 1", -1,
                                 &statement, nullptr),
              db);
        check(sqlite3_step(statement), db, SQLITE_ROW);
        benchmark::DoNotOptimize(sqlite3_column_int(statement, 0));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        latencies.add(start);
    }
    latencies.report(state);
}

// Edit and Update of a record set that is already open: the write alone.
void BM_RecordSetUpdate(benchmark::State &state)
{
    const Archives archives;
    RecordSet numbers;
    numbers.bind(archives.path(ArchivePath::totem()), QStringLiteral("Numerazione"));
    numbers.open();
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        const qint32 next = numbers.toInt32(QStringLiteral("P1")) + 1;
        numbers.edit();
        numbers.setValue(QStringLiteral("P1"), next);
        numbers.update();
        latencies.add(start);
    }
    latencies.report(state);
}

void BM_SqliteUpdate(benchmark::State &state)
{
    const Archives archives;
    const QString path = archives.path(ArchivePath::totem());
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        sqlite3 *db = openSqlite(path);
        sqlite3_stmt *statement = nullptr;
        check(sqlite3_prepare_v2(db, "UPDATE \"Numerazione\" SET \"P1\"=\"P1\"+1 WHERE rowid=1", -1,
                                 &statement, nullptr),
              db);
        check(sqlite3_step(statement), db, SQLITE_DONE);
        sqlite3_finalize(statement);
        sqlite3_close(db);
        latencies.add(start);
    }
    latencies.report(state);
}

// The whole write as a screen does it: bind, open, Edit, Update, each opening anew.
void BM_RecordSetOpenAndUpdate(benchmark::State &state)
{
    const Archives archives;
    const QString path = archives.path(ArchivePath::totem());
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        RecordSet numbers;
        numbers.bind(path, QStringLiteral("Numerazione"));
        numbers.open();
        const qint32 next = numbers.toInt32(QStringLiteral("P1")) + 1;
        numbers.edit();
        numbers.setValue(QStringLiteral("P1"), next);
        numbers.update();
        latencies.add(start);
    }
    latencies.report(state);
}

BENCHMARK(BM_RecordSetRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordSetUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordSetOpenAndUpdate)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    // Qt's SQL driver is a plugin, found through the application object.
    // It keeps a reference to the count, which the benchmark library then shortens.
    int qtArgc = argc;
    QCoreApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
