#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    // The ticket press runs on the public screen's widgets; no display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps a reference to the count, which the benchmark library then shortens.
    int qtArgc = argc;
    QApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
