#include "benchsupport.h"

#include "archive/fresharchives.h"
#include "report/ticketproject.h"

#include <QDir>

#include <algorithm>
#include <stdexcept>

BenchArchives::BenchArchives(bool demo)
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
    FreshArchives::create(dir_.path(),
                          demo ? FreshArchives::Content::Demo : FreshArchives::Content::Empty);
}

double Latencies::add(Clock::time_point start)
{
    return samples_.emplace_back(
        std::chrono::duration<double, std::micro>(Clock::now() - start).count());
}

void Latencies::report(benchmark::State &state)
{
    if (samples_.empty())
        return;
    std::sort(samples_.begin(), samples_.end());
    const auto at = [this](double q) {
        return samples_[std::min(samples_.size() - 1, std::size_t(q * double(samples_.size())))];
    };
    state.counters["p50_us"] = at(0.50);
    state.counters["p99_us"] = at(0.99);
}

void sqliteCheck(int rc, sqlite3 *db, int expected)
{
    if (rc != expected)
        throw std::runtime_error(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

sqlite3 *openSqlite(const QString &path)
{
    sqlite3 *db = nullptr;
    sqliteCheck(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
                db);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

BenchWorkingFolder::BenchWorkingFolder(const QString &printer) : previous_(QDir::currentPath())
{
    const QString tickets = QDir(dir_.path()).filePath(QStringLiteral("ticket"));
    QDir().mkpath(tickets);
    QDir::setCurrent(dir_.path());
    // A press that finds Totem.mdb locked keeps its number in the kiosk's journal: here.
    qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
    TicketProject::defaultTicket(printer.isEmpty() ? TicketProject::pdfPrefix() + tickets : printer)
        .save(TicketProject::defaultFileName());
}

BenchWorkingFolder::~BenchWorkingFolder()
{
    QDir::setCurrent(previous_);
    qunsetenv("XDG_DATA_HOME");
}
