// The archive operations, the public screen's two reads and the ticket press with the
// archives on a PostgreSQL server (a throwaway cluster on the loopback, one for the whole
// run), each next to the same statements sent through libpq directly. Ours and the floor's
// alike open a connection for every archive an operation uses and close it after, as the
// kiosk does so that it sees what the other workstations wrote: the floor's connection is
// made with the same address and the same server settings as the kiosk's.

#include "archive/archivepath.h"
#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "frontend/operatorlookup.h"
#include "frontend/servednumbers.h"

#include "benchsupport.h"
#include "support/testserver.h"

#include <QDir>

#include <libpq-fe.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

const QDateTime mondayMorning(QDate(2026, 12, 7), QTime(9, 40));

// Fresh archives of their own, in a new database of the run's cluster, so that one
// benchmark's writes do not feed the next. Without a cluster the benchmark is skipped.
class ServerArchives
{
public:
    ServerArchives(benchmark::State &state, bool demo = false)
    {
        if (TestServer *server = TestServer::instance())
            address_ = server->newDatabase();
        if (address_.isEmpty()) {
            const std::string reason =
                "no PostgreSQL cluster: " + TestServer::unavailableReason().toStdString();
            state.SkipWithError(reason.c_str());
            return;
        }
        FreshArchives::create(address_,
                              demo ? FreshArchives::Content::Demo : FreshArchives::Content::Empty);
    }
    bool ready() const { return !address_.isEmpty(); }
    QString address() const { return address_; }
    QString path(const QString &file) const { return ArchivePath::join(address_, file); }

private:
    QString address_;
};

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// One connection to one archive's schema, opened as the kiosk's store opens it: the server's
// address, the schema first on the search path, the lock timeout and message level it sets.
class Libpq
{
public:
    Libpq(const QString &address, const char *schema)
    {
        const QByteArray dbname = address.toUtf8();
        const std::string options = "-c lock_timeout=5000 -c client_min_messages=warning "
                                    "-c search_path="
                                    + std::string(schema);
        const char *keywords[] = {"dbname", "options", "connect_timeout", nullptr};
        const char *values[] = {dbname.constData(), options.c_str(), "5", nullptr};
        connection_ = PQconnectdbParams(keywords, values, 1);
        if (PQstatus(connection_) != CONNECTION_OK) {
            const std::string failure = PQerrorMessage(connection_);
            PQfinish(connection_);
            throw std::runtime_error(failure);
        }
    }
    ~Libpq() { PQfinish(connection_); }
    Libpq(const Libpq &) = delete;
    Libpq &operator=(const Libpq &) = delete;

    Result exec(const std::string &sql, ExecStatusType expected = PGRES_TUPLES_OK)
    {
        Result result(PQexec(connection_, sql.c_str()), &PQclear);
        if (PQresultStatus(result.get()) != expected)
            throw std::runtime_error(PQerrorMessage(connection_));
        return result;
    }

private:
    PGconn *connection_ = nullptr;
};

// The key of a table's first row, looked up once outside the timing: the floor's writes
// name their row by it, as the SQLite floor's name theirs by rowid.
std::string firstRowKey(const QString &address, const char *schema, const char *table)
{
    Libpq db(address, schema);
    const Result key = db.exec(std::string("SELECT min(ordine_inserimento) FROM ") + table);
    if (PQgetisnull(key.get(), 0, 0))
        throw std::runtime_error(std::string(table) + " has no row");
    return PQgetvalue(key.get(), 0, 0);
}

// The sessions the server has started on the archives' database so far, counting this one.
double sessionsSoFar(const QString &address)
{
    Libpq db(address, "public");
    const Result count =
        db.exec("SELECT sessions FROM pg_stat_database WHERE datname = current_database()");
    return std::atof(PQgetvalue(count.get(), 0, 0));
}

// The connections that one operation made, by the server's own count, so that a time can be
// read as so many connections' worth. A backend reports its session as it ends, so the last
// one or two of the run may be missing from the count.
template <typename Run>
void countingConnections(benchmark::State &state, const QString &address, Run &&run)
{
    const double before = sessionsSoFar(address);
    run();
    if (state.iterations() > 0)
        state.counters["connections"] =
            (sessionsSoFar(address) - before - 1) / double(state.iterations());
}

// Every operation timed, and its connections counted.
template <typename Operation>
void timeOnServer(benchmark::State &state, const QString &address, Operation &&operation)
{
    countingConnections(state, address, [&] { timeEach(state, operation); });
}

void BM_ServerRecordSetRead(benchmark::State &state)
{
    const ServerArchives archives(state);
    if (!archives.ready())
        return;
    const QString path = archives.path(ArchivePath::kz4());
    timeOnServer(state, archives.address(), [&] {
        RecordSet configuration;
        configuration.bind(path, QStringLiteral("configurazione"));
        configuration.open();
        benchmark::DoNotOptimize(configuration.toInt32(QStringLiteral("qualelayout")));
    });
}

void BM_LibpqRead(benchmark::State &state)
{
    const ServerArchives archives(state);
    if (!archives.ready())
        return;
    timeOnServer(state, archives.address(), [&] {
        Libpq db(archives.address(), "kz4");
        const Result row =
            db.exec("SELECT qualelayout FROM configurazione ORDER BY ordine_inserimento LIMIT 1");
        benchmark::DoNotOptimize(std::atoi(PQgetvalue(row.get(), 0, 0)));
    });
}

// Edit and Update of a record set that is already open: the write alone.
void BM_ServerRecordSetUpdate(benchmark::State &state)
{
    const ServerArchives archives(state);
    if (!archives.ready())
        return;
    RecordSet numbers;
    numbers.bind(archives.path(ArchivePath::totem()), QStringLiteral("Numerazione"));
    numbers.open();
    timeOnServer(state, archives.address(), [&] {
        const qint32 next = numbers.toInt32(QStringLiteral("P1")) + 1;
        numbers.edit();
        numbers.setValue(QStringLiteral("P1"), next);
        numbers.update();
    });
}

void BM_LibpqUpdate(benchmark::State &state)
{
    const ServerArchives archives(state);
    if (!archives.ready())
        return;
    const std::string sql = "UPDATE numerazione SET p1 = p1 + 1 WHERE ordine_inserimento = "
                            + firstRowKey(archives.address(), "totem", "numerazione");
    timeOnServer(state, archives.address(), [&] {
        Libpq db(archives.address(), "totem");
        db.exec(sql, PGRES_COMMAND_OK);
    });
}

// The whole write as a screen does it: bind, open, Edit, Update, each connecting anew.
void BM_ServerRecordSetOpenAndUpdate(benchmark::State &state)
{
    const ServerArchives archives(state);
    if (!archives.ready())
        return;
    const QString path = archives.path(ArchivePath::totem());
    timeOnServer(state, archives.address(), [&] { openAndBumpFirstNumber(path); });
}

void BM_ServerOperatorLookup(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    timeOnServer(state, archives.address(), [&] {
        benchmark::DoNotOptimize(OperatorLookup::read(archives.address(), mondayMorning));
    });
}

// Ten rows of the weekday's hour column from Totem.mdb's schema, then every operator from
// KZ4.mdb's, matched in memory: one connection to each.
void BM_LibpqLookup(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    timeOnServer(state, archives.address(), [&] {
        int ids[10] = {};
        {
            Libpq totem(archives.address(), "totem");
            const Result day = totem.exec("SELECT nove FROM \"totemlunedì\" "
                                          "ORDER BY ordine_inserimento LIMIT 10");
            for (int i = 0; i < 10 && i < PQntuples(day.get()); ++i)
                ids[i] = std::atoi(PQgetvalue(day.get(), i, 0));
        }
        Libpq kz4(archives.address(), "kz4");
        const Result operators = kz4.exec("SELECT id, nominativo FROM utenti");
        std::string names[10];
        for (int row = 0; row < PQntuples(operators.get()); ++row) {
            const int id = std::atoi(PQgetvalue(operators.get(), row, 0));
            for (int i = 0; i < 10; ++i) {
                if (ids[i] == id && id != 0)
                    names[i] = PQgetvalue(operators.get(), row, 1);
            }
        }
        benchmark::DoNotOptimize(names);
    });
}

void BM_ServerServedRefresh(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    timeOnServer(state, archives.address(),
                 [&] { benchmark::DoNotOptimize(ServedNumbers::read(archives.address())); });
}

// One connection per counter too: that is what seeing each counter's latest committed value
// costs when nothing is held between reads.
void BM_LibpqServed(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    timeOnServer(state, archives.address(), [&] {
        for (int counter = 1; counter <= 10; ++counter) {
            Libpq db(archives.address(), "kz4b");
            const Result row = db.exec("SELECT numeroa1 FROM numericode" + std::to_string(counter)
                                       + " ORDER BY ordine_inserimento LIMIT 1");
            benchmark::DoNotOptimize(std::atoi(PQgetvalue(row.get(), 0, 0)));
        }
    });
}

// The two single-row updates any issuing must make, committed together: one connection,
// one round trip for the whole transaction.
class TwoUpdates
{
public:
    explicit TwoUpdates(const QString &address)
        : address_(address),
          sql_("BEGIN; UPDATE numerazione SET p11 = p11 + 1 WHERE ordine_inserimento = "
               + firstRowKey(address, "totem", "numerazione")
               + "; UPDATE datidastampare SET numerodastampare = numerodastampare + 1 "
                 "WHERE ordine_inserimento = "
               + firstRowKey(address, "totem", "datidastampare") + "; COMMIT")
    {
    }
    void run() const
    {
        Libpq db(address_, "totem");
        db.exec(sql_, PGRES_COMMAND_OK);
    }

private:
    QString address_;
    std::string sql_;
};

// Presses on the demo archives, fewer than on the files: each is followed by the screen's
// pause, and the run shares the machine.
void BM_ServerTicketPress(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    // The count includes the screen's own periodic reads during the presses.
    countingConnections(state, archives.address(),
                        [&] { timePresses(state, archives.address(), QString()); });
}

void BM_LibpqTwoUpdates(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    const TwoUpdates updates(archives.address());
    timeOnServer(state, archives.address(), [&] { updates.run(); });
}

void BM_LibpqPdfFloor(benchmark::State &state)
{
    const ServerArchives archives(state, true);
    if (!archives.ready())
        return;
    const TwoUpdates updates(archives.address());
    const PlainTicket ticket;
    QTemporaryDir folder;
    int number = 0;
    timeOnServer(state, archives.address(), [&] {
        updates.run();
        ticket.writePdf(QDir(folder.path()).filePath(QStringLiteral("%1.pdf").arg(++number)));
    });
}

constexpr int Presses = 300;

BENCHMARK(BM_ServerRecordSetRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibpqRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServerRecordSetUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibpqUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServerRecordSetOpenAndUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServerOperatorLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibpqLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServerServedRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LibpqServed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServerTicketPress)->Unit(benchmark::kMicrosecond)->Iterations(Presses);
BENCHMARK(BM_LibpqTwoUpdates)->Unit(benchmark::kMicrosecond)->Iterations(Presses);
BENCHMARK(BM_LibpqPdfFloor)->Unit(benchmark::kMicrosecond)->Iterations(Presses);

} // namespace
