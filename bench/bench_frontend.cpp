// The public screen's two periodic reads on the demo archives: who is on duty (the
// weekday's schedule and the operators) and the numbers being served (ten tables of
// KZ4B.mdb), each beside the same reads done with bare SQLite. Then the screen itself:
// the longest wait between two ticks of its clock while another process holds an
// archive's write lock for seven seconds (beside no lock at all) and a ticket is pressed,
// and the time from a touch to the pressed button painted in its busy look.

#include "archive/archivepath.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "frontend/frontend.h"
#include "frontend/operatorlookup.h"
#include "frontend/servednumbers.h"
#include "report/ticketproject.h"
#include "ui/qtdialogs.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <stdexcept>
#include <string>

namespace {

const QDateTime mondayMorning(QDate(2026, 12, 7), QTime(9, 40));

void BM_OperatorLookup(benchmark::State &state)
{
    const BenchArchives archives(true);
    timeEach(state, [&] {
        benchmark::DoNotOptimize(OperatorLookup::read(archives.folder(), mondayMorning));
    });
}

void BM_SqliteLookup(benchmark::State &state)
{
    const BenchArchives archives(true);
    const QString totem = archives.path(ArchivePath::totem());
    const QString kz4 = archives.path(ArchivePath::kz4());
    timeEach(state, [&] {
        int ids[10] = {};
        sqlite3 *db = openSqlite(totem);
        sqlite3_stmt *statement = nullptr;
        sqliteCheck(sqlite3_prepare_v2(db,
                                       "SELECT \"nove\" FROM \"TotemLunedì\" ORDER BY rowid "
                                       "LIMIT 10",
                                       -1, &statement, nullptr),
                    db);
        for (int i = 0; i < 10 && sqlite3_step(statement) == SQLITE_ROW; ++i)
            ids[i] = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
        sqlite3_close(db);

        db = openSqlite(kz4);
        sqliteCheck(sqlite3_prepare_v2(db, "SELECT \"ID\", \"Nominativo\" FROM \"Utenti\"", -1,
                                       &statement, nullptr),
                    db);
        std::string names[10];
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const int id = sqlite3_column_int(statement, 0);
            for (int i = 0; i < 10; ++i) {
                if (ids[i] == id && id != 0)
                    names[i] = reinterpret_cast<const char *>(sqlite3_column_text(statement, 1));
            }
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);
        benchmark::DoNotOptimize(names);
    });
}

void BM_ServedRefresh(benchmark::State &state)
{
    const BenchArchives archives(true);
    timeEach(state, [&] { benchmark::DoNotOptimize(ServedNumbers::read(archives.folder())); });
}

// The floor opens the archive once per counter too: that is what seeing each counter's
// latest committed value costs.
void BM_SqliteServed(benchmark::State &state)
{
    const BenchArchives archives(true);
    const QString kz4b = archives.path(ArchivePath::kz4b());
    timeEach(state, [&] {
        for (int counter = 1; counter <= 10; ++counter) {
            sqlite3 *db = openSqlite(kz4b);
            sqlite3_stmt *statement = nullptr;
            const std::string sql =
                "SELECT \"NumeroA1\" FROM \"NumeriCode" + std::to_string(counter) + "\" LIMIT 1";
            sqliteCheck(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), db);
            sqliteCheck(sqlite3_step(statement), db, SQLITE_ROW);
            benchmark::DoNotOptimize(sqlite3_column_int(statement, 0));
            sqlite3_finalize(statement);
            sqlite3_close(db);
        }
    });
}

// Arg 0: no lock; 1: KZ4B.mdb locked; 2: Totem.mdb locked. The screen is asked for both
// reads as the lock is taken, then lives seven seconds on its own timers.
void BM_ClockWhileLocked(benchmark::State &state)
{
    static const QStringList locked{QString(), ArchivePath::kz4b(), ArchivePath::totem()};
    const QString archive = locked.at(int(state.range(0)));
    const BenchArchives archives(true);
    const BenchWorkingFolder work;
    KioskState kiosk;
    kiosk.archiveFolder = archives.folder();
    QtDialogs dialogs;
    SystemClock clock;
    for (auto _ : state) {
        FrontEnd screen(kiosk, dialogs, clock);
        screen.activate();
        screen.waitForArchiveWork();
        QProcess holder;
        if (!archive.isEmpty()) {
            holder.start(QStringLiteral(KIOSK_LOCKHOLDER_PROGRAM),
                         {archives.folder(), QStringLiteral("7"), archive});
            if (!holder.waitForReadyRead(10000))
                throw std::runtime_error("the lock was not taken");
        }
        qint64 longest = 0;
        QElapsedTimer sinceTick;
        QObject::connect(screen.findChild<QTimer *>(QStringLiteral("Timer1")), &QTimer::timeout,
                         &screen, [&] {
                             if (sinceTick.isValid())
                                 longest = std::max(longest, sinceTick.elapsed());
                             sinceTick.start();
                         });
        screen.onServedRefresh();
        screen.lookupOperators();
        screen.findChild<QPushButton *>(QStringLiteral("PB1(10)"))->click();
        QEventLoop loop;
        QTimer::singleShot(7000, &loop, &QEventLoop::quit);
        loop.exec();
        holder.waitForFinished();
        state.SetIterationTime(double(longest) / 1000);
        state.counters["longest_tick_gap_ms"] = double(longest);
    }
}

// Sees the screen painted while the pressed button has its busy caption. The screen's
// window is what gets painted: offscreen, the single queue's panel lies past the 800-pixel
// edge, so the button itself is clipped away.
class BusyLookWatcher : public QObject
{
public:
    BusyLookWatcher(QWidget &screen, QPushButton &button) : screen_(screen), button_(button)
    {
        screen.installEventFilter(this);
    }
    Latencies::Clock::time_point painted;
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &screen_ && event->type() == QEvent::Paint && !seen
            && button_.text() == FrontEnd::busyCaption()) {
            painted = Latencies::Clock::now();
            seen = true;
        }
        return false;
    }

private:
    QWidget &screen_;
    QPushButton &button_;
};

// The single queue's button, open at any hour, pressed on the shown screen.
void BM_TouchToBusyLook(benchmark::State &state)
{
    const BenchArchives archives(true);
    const BenchWorkingFolder work;
    KioskState kiosk;
    kiosk.archiveFolder = archives.folder();
    QtDialogs dialogs;
    SystemClock clock;
    FrontEnd screen(kiosk, dialogs, clock);
    screen.show();
    while (!screen.windowHandle() || !screen.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    screen.activate();
    screen.waitForArchiveWork();
    auto *button = screen.findChild<QPushButton *>(QStringLiteral("PB1(10)"));
    for (auto _ : state) {
        BusyLookWatcher watcher(screen, *button);
        const auto start = Latencies::Clock::now();
        button->click();
        state.PauseTiming();
        while (!screen.isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!watcher.seen)
            throw std::runtime_error("the busy look was never painted");
        state.SetIterationTime(std::chrono::duration<double>(watcher.painted - start).count());
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OperatorLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServedRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteServed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClockWhileLocked)
    ->DenseRange(0, 2)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TouchToBusyLook)->Iterations(30)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
