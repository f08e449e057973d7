#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

// Benchmarks of the desktop services run with a widget application on the X display, as the
// program itself does; without a display they run on the offscreen platform and skip.
int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
