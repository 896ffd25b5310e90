#include <QCoreApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    // Qt's SQL driver is a plugin, found through the application object.
    // It keeps a reference to the count, which the benchmark library then shortens.
    int qtArgc = argc;
    QCoreApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
