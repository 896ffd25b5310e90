// Press to ticket handed to the printer: a counter's button on the public screen, the
// numbering and the ticket record stored, the ticket drawn into a PDF folder or sent to a
// thermal printer in ESC/POS (the loopback printer of the tests, on this machine). The
// floors: the two committed single-row updates of SQLite that any issuing must make; those
// two plus the same ticket written by plain QPdfWriter; those two plus the same ticket drawn
// by plain QPainter into a 1-bit image of the printer's width.

#include "archive/archivepath.h"

#include "benchsupport.h"
#include "support/loopbackprinter.h"

#include <QDir>
#include <QImage>
#include <QPainter>

namespace {

// 1,000 presses; printer is the project's printer text, or empty for a PDF folder.
void pressRun(benchmark::State &state, const QString &printer)
{
    const BenchArchives archives(true);
    timePresses(state, archives.folder(), printer);
}

void BM_TicketPress(benchmark::State &state)
{
    pressRun(state, QString());
}

// The press returns once the printer has answered the status request sent after the
// ticket, so every byte of the ticket has been taken by it.
void BM_TicketPressEscPos(benchmark::State &state)
{
    LoopbackPrinter printer;
    pressRun(state, printer.printerText());
}

void twoUpdates(const QString &totem)
{
    for (const char *sql : {"UPDATE \"Numerazione\" SET \"P11\"=\"P11\"+1 WHERE rowid=1",
                            "UPDATE \"DatiDaStampare\" SET \"NumeroDaStampare\"="
                            "\"NumeroDaStampare\"+1 WHERE rowid=1"}) {
        sqlite3 *db = openSqlite(totem);
        sqliteCheck(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
        sqlite3_close(db);
    }
}

void BM_SqliteTwoUpdates(benchmark::State &state)
{
    const BenchArchives archives(true);
    const QString totem = archives.path(ArchivePath::totem());
    timeEach(state, [&] { twoUpdates(totem); });
}

void BM_PdfFloor(benchmark::State &state)
{
    const BenchArchives archives(true);
    const QString totem = archives.path(ArchivePath::totem());
    const PlainTicket ticket;
    QTemporaryDir folder;
    int number = 0;
    timeEach(state, [&] {
        twoUpdates(totem);
        ticket.writePdf(QDir(folder.path()).filePath(QStringLiteral("%1.pdf").arg(++number)));
    });
}

void BM_MonoImageFloor(benchmark::State &state)
{
    const BenchArchives archives(true);
    const QString totem = archives.path(ArchivePath::totem());
    const PlainTicket ticket;
    // 576 dots across at 203 dpi, the ticket's 4 mm margin outside the head's reach.
    const qreal dotsPerMm = 203 / 25.4;
    timeEach(state, [&] {
        twoUpdates(totem);
        QImage image(576, qRound(ticket.paper.height() * dotsPerMm), QImage::Format_Mono);
        image.setDotsPerMeterX(qRound(dotsPerMm * 1000));
        image.setDotsPerMeterY(qRound(dotsPerMm * 1000));
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        image.fill(0);
        QPainter painter(&image);
        painter.translate(-4 * dotsPerMm, 0);
        ticket.draw(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    });
}

BENCHMARK(BM_TicketPress)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_SqliteTwoUpdates)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_PdfFloor)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_TicketPressEscPos)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(BM_MonoImageFloor)->Unit(benchmark::kMicrosecond)->Iterations(1000);

} // namespace
