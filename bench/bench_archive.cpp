// What one archive operation of the kiosk costs, next to the least that SQLite itself
// needs for the same work: every operation opens the archive and closes it again, as the
// kiosk does so that it sees what the other workstations wrote.

#include "archive/archivepath.h"
#include "archive/recordset.h"

#include "benchsupport.h"

#include <sqlite3.h>

namespace {

void BM_RecordSetRead(benchmark::State &state)
{
    const BenchArchives archives;
    const QString path = archives.path(ArchivePath::kz4());
    timeEach(state, [&] {
        RecordSet configuration;
        configuration.bind(path, QStringLiteral("configurazione"));
        configuration.open();
        benchmark::DoNotOptimize(configuration.toInt32(QStringLiteral("qualelayout")));
    });
}

void BM_SqliteRead(benchmark::State &state)
{
    const BenchArchives archives;
    const QString path = archives.path(ArchivePath::kz4());
    timeEach(state, [&] {
        sqlite3 *db = openSqlite(path);
        sqlite3_stmt *statement = nullptr;
        sqliteCheck(sqlite3_prepare_v2(db, "SELECT \"qualelayout\" FROM \"configurazione\" LIMIT 1",
                                       -1, &statement, nullptr),
                    db);
        sqliteCheck(sqlite3_step(statement), db, SQLITE_ROW);
        benchmark::DoNotOptimize(sqlite3_column_int(statement, 0));
        sqlite3_finalize(statement);
        sqlite3_close(db);
    });
}

// Edit and Update of a record set that is already open: the write alone.
void BM_RecordSetUpdate(benchmark::State &state)
{
    const BenchArchives archives;
    RecordSet numbers;
    numbers.bind(archives.path(ArchivePath::totem()), QStringLiteral("Numerazione"));
    numbers.open();
    timeEach(state, [&] {
        const qint32 next = numbers.toInt32(QStringLiteral("P1")) + 1;
        numbers.edit();
        numbers.setValue(QStringLiteral("P1"), next);
        numbers.update();
    });
}

void BM_SqliteUpdate(benchmark::State &state)
{
    const BenchArchives archives;
    const QString path = archives.path(ArchivePath::totem());
    timeEach(state, [&] {
        sqlite3 *db = openSqlite(path);
        sqlite3_stmt *statement = nullptr;
        sqliteCheck(sqlite3_prepare_v2(db,
                                       "UPDATE \"Numerazione\" SET \"P1\"=\"P1\"+1 WHERE rowid=1",
                                       -1, &statement, nullptr),
                    db);
        sqliteCheck(sqlite3_step(statement), db, SQLITE_DONE);
        sqlite3_finalize(statement);
        sqlite3_close(db);
    });
}

// The whole write as a screen does it: bind, open, Edit, Update, each opening anew.
void BM_RecordSetOpenAndUpdate(benchmark::State &state)
{
    const BenchArchives archives;
    const QString path = archives.path(ArchivePath::totem());
    timeEach(state, [&] { openAndBumpFirstNumber(path); });
}

BENCHMARK(BM_RecordSetRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordSetUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordSetOpenAndUpdate)->Unit(benchmark::kMicrosecond);

} // namespace
