#pragma once

#include "archive/archivepath.h"

#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <vector>

// Fresh archives of their own for each benchmark, so that one's writes do not feed the next.
class BenchArchives
{
public:
    explicit BenchArchives(bool demo = false);
    QString folder() const { return dir_.path(); }
    QString path(const QString &file) const { return ArchivePath::join(dir_.path(), file); }

private:
    QTemporaryDir dir_;
};

// A working folder made current for as long as it lives, with a Ticket.lbl printing to
// printer, or into PDF files of its own "ticket" folder when printer is empty.
class BenchWorkingFolder
{
public:
    explicit BenchWorkingFolder(const QString &printer = QString());
    ~BenchWorkingFolder();

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The time of each single operation, so that the tail shows besides the mean.
class Latencies
{
public:
    using Clock = std::chrono::steady_clock;

    // The time since start, in microseconds, kept and returned.
    double add(Clock::time_point start);
    void report(benchmark::State &state);

private:
    std::vector<double> samples_;
};

// One timed operation per iteration, its latencies reported with the run.
template <typename Operation> void timeEach(benchmark::State &state, Operation &&operation)
{
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        operation();
        latencies.add(start);
    }
    latencies.report(state);
}

void sqliteCheck(int rc, sqlite3 *db, int expected = SQLITE_OK);
sqlite3 *openSqlite(const QString &path);
