#include "benchsupport.h"

#include "archive/fresharchives.h"
#include "archive/recordset.h"
#include "core/kioskstate.h"
#include "core/systemclock.h"
#include "frontend/frontend.h"
#include "report/testticket.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>

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

} // namespace

void timePresses(benchmark::State &state, const QString &archiveFolder, const QString &printer)
{
    const BenchWorkingFolder work(printer);

    KioskState kiosk;
    kiosk.archiveFolder = archiveFolder;
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

PlainTicket::PlainTicket()
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

void PlainTicket::draw(QPainter &painter) const
{
    const qreal dotsPerMm = painter.device()->logicalDpiX() / 25.4;
    for (const Line &line : lines) {
        painter.setFont(line.font);
        painter.drawText(QRectF(line.box.topLeft() * dotsPerMm, line.box.size() * dotsPerMm),
                         line.flags, line.text);
    }
}

void PlainTicket::writePdf(const QString &file) const
{
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(paper, QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    draw(painter);
}

void openAndBumpFirstNumber(const QString &path)
{
    RecordSet numbers;
    numbers.bind(path, QStringLiteral("Numerazione"));
    numbers.open();
    const qint32 next = numbers.toInt32(QStringLiteral("P1")) + 1;
    numbers.edit();
    numbers.setValue(QStringLiteral("P1"), next);
    numbers.update();
}
