// Press to ticket handed to the printer: a counter's button on the public screen, the
// numbering and the ticket record stored, the ticket drawn into a PDF folder. The floor is
// the two committed single-row updates of SQLite that any issuing must make.

#include "archive/archivepath.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "frontend/frontend.h"
#include "report/ticketproject.h"
#include "ui/dialogs.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

#include <stdexcept>

namespace {

// Nothing may stop a timed press: any message would be a failure of the run.
class FailingDialogs final : public Dialogs
{
public:
    void message(QWidget *, Kind, const QString &text, const QString &) override
    {
        throw std::runtime_error(text.toStdString());
    }
    Answer question(QWidget *, const QString &, const QString &) override { return Answer::No; }
    bool chooseFolder(QWidget *, const QString &, QString &) override { return false; }
    bool chooseFont(QWidget *, QFont &) override { return false; }
    bool chooseColor(QWidget *, QColor &) override { return false; }
    bool chooseFile(QWidget *, const QString &, const QString &, QString &) override
    {
        return false;
    }
    int exec(QDialog &) override { return 0; }
};

void BM_TicketPress(benchmark::State &state)
{
    const BenchArchives archives(true);
    QTemporaryDir work;
    const QString tickets = QDir(work.path()).filePath(QStringLiteral("ticket"));
    QDir().mkpath(tickets);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    TicketProject::defaultTicket(TicketProject::pdfPrefix() + tickets)
        .save(TicketProject::defaultFileName());

    KioskState kiosk;
    kiosk.archiveFolder = archives.folder();
    FailingDialogs dialogs;
    SystemClock clock;
    FrontEnd screen(kiosk, dialogs, clock);
    screen.activate();
    // The single queue is always open, whatever the hour the benchmark runs at.
    auto *button = screen.findChild<QPushButton *>(QStringLiteral("PB1(10)"));
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        button->click();
        latencies.add(start);
        // The screen stays closed a moment after each press; that pause is not the press.
        state.PauseTiming();
        while (!screen.isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.ResumeTiming();
    }
    latencies.report(state);
    QDir::setCurrent(previous);
}

void BM_SqliteTwoUpdates(benchmark::State &state)
{
    const BenchArchives archives(true);
    const QString totem = archives.path(ArchivePath::totem());
    timeEach(state, [&] {
        for (const char *sql : {"UPDATE \"Numerazione\" SET \"P11\"=\"P11\"+1 WHERE rowid=1",
                                "UPDATE \"DatiDaStampare\" SET \"NumeroDaStampare\"="
                                "\"NumeroDaStampare\"+1 WHERE rowid=1"}) {
            sqlite3 *db = openSqlite(totem);
            sqliteCheck(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
            sqlite3_close(db);
        }
    });
}

BENCHMARK(BM_TicketPress)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_SqliteTwoUpdates)->Unit(benchmark::kMicrosecond)->Iterations(1000);

} // namespace
