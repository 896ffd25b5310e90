// Showing one day in the schedule editor when all 140 cells (ten counters, fourteen hours)
// are filled: the day's table of Totem.mdb, the operators of KZ4.mdb read once, and the
// 140 texts the cells show; setting the texts on the grid's items is not part of the
// figure. The floor makes the same two reads and the same texts with bare SQLite. Beside
// them, the same day with the operators' table opened anew for every filled cell, to show
// what reading it once saves.

#include "archive/archivepath.h"
#include "archive/archiveschema.h"
#include "archive/recordset.h"
#include "schedule/operatorlist.h"
#include "schedule/scheduleday.h"

#include "benchsupport.h"

#include <array>
#include <string>
#include <unordered_map>

namespace {

constexpr int OperatorCount = 20;
const QString monday = QStringLiteral("TotemLunedì");

void exec(sqlite3 *db, const std::string &sql)
{
    sqliteCheck(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db);
}

// Twenty operators, and every hour of every counter on Monday given to one of them.
void fillMonday(const BenchArchives &archives)
{
    sqlite3 *db = openSqlite(archives.path(ArchivePath::kz4()));
    for (int id = 1; id <= OperatorCount; ++id)
        exec(db, "INSERT INTO \"Utenti\"(\"ID\", \"Nominativo\") VALUES(" + std::to_string(id)
                     + ", 'Operatore " + std::to_string(id) + "')");
    sqlite3_close(db);

    db = openSqlite(archives.path(ArchivePath::totem()));
    const QStringList &hours = ArchiveSchema::hourFields();
    for (int counter = 0; counter < ScheduleDay::CounterCount; ++counter) {
        std::string assignments;
        for (int hour = 0; hour < ScheduleDay::HourCount; ++hour) {
            if (hour > 0)
                assignments += ", ";
            const int id = 1 + (counter * ScheduleDay::HourCount + hour) % OperatorCount;
            assignments += '"' + hours.at(hour).toStdString() + "\" = " + std::to_string(id);
        }
        exec(db, "UPDATE \"" + monday.toStdString() + "\" SET " + assignments
                     + " WHERE rowid = (SELECT rowid FROM \"" + monday.toStdString()
                     + "\" ORDER BY rowid LIMIT 1 OFFSET " + std::to_string(counter) + ")");
    }
    sqlite3_close(db);
}

using CellTexts = std::array<QString, ScheduleDay::CounterCount * ScheduleDay::HourCount>;

void BM_ScheduleDayShow(benchmark::State &state)
{
    const BenchArchives archives;
    fillMonday(archives);
    timeEach(state, [&] {
        const ScheduleDay day = ScheduleDay::read(archives.folder(), monday);
        const OperatorList names = OperatorList::read(archives.folder());
        CellTexts texts;
        for (int counter = 0; counter < ScheduleDay::CounterCount; ++counter) {
            for (int hour = 0; hour < ScheduleDay::HourCount; ++hour) {
                const qint32 id = day.operatorAt(counter, hour);
                texts[counter * ScheduleDay::HourCount + hour] =
                    id != 0 ? names.cellText(id) : QString();
            }
        }
        benchmark::DoNotOptimize(texts);
    });
}

void BM_ScheduleDayPerCellLookup(benchmark::State &state)
{
    const BenchArchives archives;
    fillMonday(archives);
    const QString kz4 = archives.path(ArchivePath::kz4());
    timeEach(state, [&] {
        const ScheduleDay day = ScheduleDay::read(archives.folder(), monday);
        CellTexts texts;
        for (int counter = 0; counter < ScheduleDay::CounterCount; ++counter) {
            for (int hour = 0; hour < ScheduleDay::HourCount; ++hour) {
                const qint32 id = day.operatorAt(counter, hour);
                if (id == 0)
                    continue;
                RecordSet data3;
                data3.bind(kz4, ArchiveSchema::operatorsTable());
                data3.open();
                data3.findFirst(QStringLiteral("[ID]=") + QString::number(id));
                texts[counter * ScheduleDay::HourCount + hour] =
                    data3.text(ArchiveSchema::operatorNameField());
            }
        }
        benchmark::DoNotOptimize(texts);
    });
}

// The operators go into a hash once, and an unknown identifier shows as "?" and its number,
// as the editor shows it; names are never empty in this day, so that case is left out.
void BM_SqliteScheduleDay(benchmark::State &state)
{
    const BenchArchives archives;
    fillMonday(archives);
    const QString totem = archives.path(ArchivePath::totem());
    const QString kz4 = archives.path(ArchivePath::kz4());
    std::string dayQuery = "SELECT ";
    for (const QString &hour : ArchiveSchema::hourFields())
        dayQuery += '"' + hour.toStdString() + "\", ";
    dayQuery.resize(dayQuery.size() - 2);
    dayQuery += " FROM \"" + monday.toStdString() + "\" ORDER BY rowid LIMIT "
                + std::to_string(ScheduleDay::CounterCount);
    timeEach(state, [&] {
        int ids[ScheduleDay::CounterCount][ScheduleDay::HourCount] = {};
        sqlite3 *db = openSqlite(totem);
        sqlite3_stmt *statement = nullptr;
        sqliteCheck(sqlite3_prepare_v2(db, dayQuery.c_str(), -1, &statement, nullptr), db);
        for (int counter = 0;
             counter < ScheduleDay::CounterCount && sqlite3_step(statement) == SQLITE_ROW;
             ++counter) {
            for (int hour = 0; hour < ScheduleDay::HourCount; ++hour)
                ids[counter][hour] = sqlite3_column_int(statement, hour);
        }
        sqlite3_finalize(statement);
        sqlite3_close(db);

        db = openSqlite(kz4);
        sqliteCheck(sqlite3_prepare_v2(db, "SELECT \"ID\", \"Nominativo\" FROM \"Utenti\"", -1,
                                       &statement, nullptr),
                    db);
        std::unordered_map<int, std::string> names;
        while (sqlite3_step(statement) == SQLITE_ROW)
            names.try_emplace(sqlite3_column_int(statement, 0),
                              reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
        sqlite3_finalize(statement);
        sqlite3_close(db);

        std::array<std::string, ScheduleDay::CounterCount * ScheduleDay::HourCount> texts;
        for (int counter = 0; counter < ScheduleDay::CounterCount; ++counter) {
            for (int hour = 0; hour < ScheduleDay::HourCount; ++hour) {
                const int id = ids[counter][hour];
                if (id == 0)
                    continue;
                const auto found = names.find(id);
                texts[counter * ScheduleDay::HourCount + hour] =
                    found != names.end() ? found->second : '?' + std::to_string(id);
            }
        }
        benchmark::DoNotOptimize(texts);
    });
}

BENCHMARK(BM_ScheduleDayShow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteScheduleDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScheduleDayPerCellLookup)->Unit(benchmark::kMillisecond);

} // namespace
