#pragma once

#include "archive/archivepath.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <vector>

class QPainter;

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

// The whole write as a screen does it on Totem.mdb at path: bind, open, Edit P1 + 1, Update.
void openAndBumpFirstNumber(const QString &path);

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

// Presses of the single queue's button, which is open whatever the hour, on a public screen
// over the archives of archiveFolder (a folder or a server's address); printer is the
// project's printer text, or empty for a PDF folder. Each press is timed until the ticket is
// issued; the screen's pause after it is not.
void timePresses(benchmark::State &state, const QString &archiveFolder, const QString &printer);

// The default ticket's items drawn by hand: texts already expanded, fonts built once, no
// project file read and no renderer.
struct PlainTicket
{
    struct Line
    {
        QRectF box;
        QFont font;
        int flags;
        QString text;
    };
    QSizeF paper;
    QList<Line> lines;

    PlainTicket();
    // Millimetres to the device's dots, the ticket drawn at its size.
    void draw(QPainter &painter) const;
    // The ticket as a PDF file of the paper's size.
    void writePdf(const QString &file) const;
};

void sqliteCheck(int rc, sqlite3 *db, int expected = SQLITE_OK);
sqlite3 *openSqlite(const QString &path);
