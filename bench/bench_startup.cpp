// The program as a whole: from starting totem on a demo installation to its console shown,
// and its peak memory with the public screen open, each beside a minimal Qt Widgets
// program that shows one window (floor_window). Both run as real processes on an X server
// of the benchmark's own (Xvfb): a kiosk draws through a display server, and the
// offscreen platform of the other benchmarks would leave that cost out.
//
// When a window is shown is seen from outside, through Qt's own painting log
// (QT_LOGGING_RULES, category qt.widgets.painting): the line
//   Flushing QRegion(...) of GestioneTotem(0x..., name="GestioneTotem")
// is written when a window's painted pixels are handed to the display server. Nothing in
// the programs knows it is watched. The wording is Qt 6.4's; should another Qt change it,
// the benchmarks stop with an error rather than report a wrong figure.

#include "setup/percorsifile.h"

#include "benchsupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

const QString totemProgram = QStringLiteral(KIOSK_TOTEM_PROGRAM);
const QString floorProgram = QStringLiteral(KIOSK_FLOOR_WINDOW_PROGRAM);

constexpr int WaitLimitMs = 30000;
// Long enough for the public screen's clock to tick a few times after its activation has
// read the schedule and the served numbers.
constexpr int PublicScreenOpenMs = 3000;

std::runtime_error failure(const QString &text)
{
    return std::runtime_error(text.toStdString());
}

// Without a window manager: nothing but the watched program draws on it, and Qt then
// activates a shown window itself, so the public screen's activation runs as on a kiosk.
class PrivateDisplay
{
public:
    static QString name()
    {
        static PrivateDisplay *display = nullptr;
        if (!display) {
            display = new PrivateDisplay;
            // Stopped while the application still exists: QProcess needs it to end Xvfb.
            qAddPostRoutine([] { delete display; });
        }
        return display->name_;
    }

private:
    PrivateDisplay()
    {
        // Xvfb picks a free display number and writes it on the given descriptor once it
        // accepts connections.
        xvfb_.setStandardErrorFile(QProcess::nullDevice());
        xvfb_.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        const QDeadlineTimer deadline(WaitLimitMs);
        while (!xvfb_.canReadLine() && xvfb_.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        const QByteArray number = xvfb_.readLine().trimmed();
        if (number.isEmpty())
            throw failure(QStringLiteral("Xvfb did not start: ") + xvfb_.errorString());
        name_ = u':' + QString::fromLatin1(number);
    }

    ~PrivateDisplay()
    {
        xvfb_.terminate();
        xvfb_.waitForFinished();
    }

    QProcess xvfb_;
    QString name_;
};

// A program of the build started on the private display with Qt's painting log on, in a
// folder of its own, and ended when the benchmark is done with it.
class WatchedProgram
{
public:
    WatchedProgram(const QString &program, const QStringList &arguments, const QString &folder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DISPLAY"), PrivateDisplay::name());
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("qt.widgets.painting.info=true"));
        // The one-copy-per-machine lock lives in the temporary folder: this keeps it apart
        // from a kiosk or a test running on the same machine.
        environment.insert(QStringLiteral("TMPDIR"), folder);
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(folder);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.setProgram(program);
        process_.setArguments(arguments);
    }

    ~WatchedProgram()
    {
        process_.kill();
        process_.waitForFinished();
    }

    void start() { process_.start(); }

    void waitShown(const QString &windowName)
    {
        const QByteArray window = "name=\"" + windowName.toUtf8() + "\")";
        const QDeadlineTimer deadline(WaitLimitMs);
        for (;;) {
            while (process_.canReadLine()) {
                const QByteArray line = process_.readLine();
                if (line.contains("Flushing QRegion(") && line.contains(window))
                    return;
            }
            if (process_.state() == QProcess::NotRunning)
                throw failure(process_.program() + QStringLiteral(" ended before showing ")
                              + windowName + QStringLiteral(": ") + process_.errorString());
            if (deadline.hasExpired())
                throw failure(windowName + QStringLiteral(" not shown in time"));
            process_.waitForReadyRead(int(deadline.remainingTime()));
        }
    }

    // Its log is read meanwhile: a full pipe would stop the program at its next line.
    void runFor(int milliseconds)
    {
        const QDeadlineTimer deadline(milliseconds);
        while (!deadline.hasExpired()) {
            process_.waitForReadyRead(int(deadline.remainingTime()));
            process_.readAll();
        }
        if (process_.state() == QProcess::NotRunning)
            throw failure(process_.program() + QStringLiteral(" ended"));
    }

    double peakMiB() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(process_.processId()));
        if (status.open(QIODevice::ReadOnly)) {
            for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
                if (line.startsWith("VmHWM:"))
                    return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
            }
        }
        throw failure(QStringLiteral("no VmHWM in ") + status.fileName());
    }

private:
    QProcess process_;
};

// A demo installation: the archives `totem-archive init --demo` makes, and percorsiT.txt
// naming their folder as the folder setup writes it (quoted, CR LF).
class DemoInstallation
{
public:
    DemoInstallation()
    {
        QString error;
        if (!PercorsiFile::write(archives_.folder(), &error,
                                 QDir(folder_.path()).filePath(PercorsiFile::fileName())))
            throw failure(error);
    }

    QString folder() const { return folder_.path(); }

private:
    BenchArchives archives_{true};
    QTemporaryDir folder_;
};

// The console's command "Apre Front-End al pubblico" (PB1(1) in GroupBox1), clicked at its
// middle through the X server as a person would: its place in twips, 15 to the pixel at
// the 96 DPI Qt gives an X screen. Should the console's layout change, the public screen
// does not open and the benchmark stops with an error.
void pressOpenPublicScreen()
{
    const int x = (240 + 4320 + 3015 / 2) / 15;
    const int y = (4920 + 240 + 495 / 2) / 15;
    QProcess xdotool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), PrivateDisplay::name());
    xdotool.setProcessEnvironment(environment);
    xdotool.setProcessChannelMode(QProcess::ForwardedChannels);
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("search"), QStringLiteral("--name"),
                   QStringLiteral("^Gestione Totem$"), QStringLiteral("mousemove"),
                   QStringLiteral("--window"), QStringLiteral("%1"), QString::number(x),
                   QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
    if (!xdotool.waitForFinished(WaitLimitMs) || xdotool.exitStatus() != QProcess::NormalExit
        || xdotool.exitCode() != 0)
        throw failure(QStringLiteral("xdotool could not press the console's command: ")
                      + xdotool.errorString());
}

// A failure (no Xvfb, no xdotool, a program that does not show its window) skips the
// benchmark with the reason instead of ending the whole run.
template <typename Run> void orSkip(benchmark::State &state, Run &&run)
{
    try {
        run();
    } catch (const std::exception &error) {
        state.SkipWithError(error.what());
    }
}

// Warm starts: one untimed start first brings the program and its libraries into the page
// cache. Ending each program is not timed.
void timeStartToShown(benchmark::State &state, const QString &program, const QString &folder,
                      const QString &window)
{
    orSkip(state, [&] {
        {
            WatchedProgram warmUp(program, {}, folder);
            warmUp.start();
            warmUp.waitShown(window);
        }
        Latencies latencies;
        for (auto _ : state) {
            WatchedProgram watched(program, {}, folder);
            const auto start = Latencies::Clock::now();
            watched.start();
            watched.waitShown(window);
            state.SetIterationTime(latencies.add(start) / 1e6);
        }
        latencies.report(state);
    });
}

void BM_StartToConsole(benchmark::State &state)
{
    const DemoInstallation demo;
    timeStartToShown(state, totemProgram, demo.folder(), QStringLiteral("GestioneTotem"));
}

void BM_StartToWindow(benchmark::State &state)
{
    const QTemporaryDir folder;
    timeStartToShown(state, floorProgram, folder.path(), QStringLiteral("FloorWindow"));
}

void BM_PeakMemoryPublicScreen(benchmark::State &state)
{
    const DemoInstallation demo;
    orSkip(state, [&] {
        for (auto _ : state) {
            WatchedProgram totem(totemProgram, {}, demo.folder());
            totem.start();
            totem.waitShown(QStringLiteral("GestioneTotem"));
            pressOpenPublicScreen();
            totem.waitShown(QStringLiteral("FrontEnd"));
            totem.runFor(PublicScreenOpenMs);
            state.counters["peak_MiB"] = totem.peakMiB();
        }
    });
}

void BM_PeakMemoryWindow(benchmark::State &state)
{
    const QTemporaryDir folder;
    orSkip(state, [&] {
        for (auto _ : state) {
            WatchedProgram window(floorProgram, {QStringLiteral("--full-screen")}, folder.path());
            window.start();
            window.waitShown(QStringLiteral("FloorWindow"));
            window.runFor(PublicScreenOpenMs);
            state.counters["peak_MiB"] = window.peakMiB();
        }
    });
}

BENCHMARK(BM_StartToConsole)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_StartToWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_PeakMemoryPublicScreen)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_PeakMemoryWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
