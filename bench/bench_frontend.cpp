// The public screen's two periodic reads on the demo archives: who is on duty (the
// weekday's schedule and the operators) and the numbers being served (ten tables of
// KZ4B.mdb), each beside the same reads done with bare SQLite.

#include "archive/archivepath.h"
#include "frontend/operatorlookup.h"
#include "frontend/servednumbers.h"

#include "benchsupport.h"

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

BENCHMARK(BM_OperatorLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ServedRefresh)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteServed)->Unit(benchmark::kMicrosecond);

} // namespace
