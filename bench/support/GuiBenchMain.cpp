#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

// Benchmark programs that draw their samples get a GUI application object, on the offscreen
// platform so that they run without a display.
int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
