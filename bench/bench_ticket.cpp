// Press to ticket handed to the printer: a counter's button on the public screen, the
// numbering and the ticket record stored, the ticket drawn into a PDF folder or sent to a
// thermal printer in ESC/POS (the loopback printer of the tests, on this machine). The
// floors: the two committed single-row updates of SQLite that any issuing must make; those
// two plus the same ticket written by plain QPdfWriter; those two plus the same ticket drawn
// by plain QPainter into a 1-bit image of the printer's width.

#include "archive/archivepath.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "frontend/frontend.h"
#include "report/testticket.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"
#include "ui/dialogs.h"

#include "benchsupport.h"
#include "support/loopbackprinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
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

// 1,000 presses of the single queue's button, which is open whatever the hour; printer is
// the project's printer text, or empty for a PDF folder.
void pressRun(benchmark::State &state, const QString &printer)
{
    const BenchArchives archives(true);
    const BenchWorkingFolder work(printer);

    KioskState kiosk;
    kiosk.archiveFolder = archives.folder();
    FailingDialogs dialogs;
    SystemClock clock;
    FrontEnd screen(kiosk, dialogs, clock);
    screen.activate();
    screen.waitForArchiveWork();
    auto *button = screen.findChild<QPushButton *>(QStringLiteral("PB1(10)"));
    Latencies latencies;
    for (auto _ : state) {
        const auto start = Latencies::Clock::now();
        button->click();
        // The touch only shows the busy look; the ticket is issued once the look is painted.
        while (button->text() == FrontEnd::busyCaption())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        latencies.add(start);
        // The screen stays closed a moment after each press; that pause is not the press.
        state.PauseTiming();
        while (!screen.isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.ResumeTiming();
    }
    latencies.report(state);
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

    PlainTicket()
    {
        const TicketProject project = TicketProject::defaultTicket();
        const QList<DataItem> items = TestTicket::items(SystemClock());
        paper = project.paperSize;
        for (const TicketItem &item : project.items) {
            QFont font(item.fontFamily);
            font.setPointSizeF(item.fontSize);
            font.setBold(item.bold);
            font.setItalic(item.italic);
            lines.append({item.box, font, int(item.alignment) | Qt::TextWordWrap,
                          TicketRenderer::expand(item.text, items)});
        }
    }

    // Millimetres to the device's dots, the ticket drawn at its size.
    void draw(QPainter &painter) const
    {
        const qreal dotsPerMm = painter.device()->logicalDpiX() / 25.4;
        for (const Line &line : lines) {
            painter.setFont(line.font);
            painter.drawText(QRectF(line.box.topLeft() * dotsPerMm, line.box.size() * dotsPerMm),
                             line.flags, line.text);
        }
    }
};

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
        QPdfWriter writer(QDir(folder.path()).filePath(QStringLiteral("%1.pdf").arg(++number)));
        writer.setPageSize(QPageSize(ticket.paper, QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        ticket.draw(painter);
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
