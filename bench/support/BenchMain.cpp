#include <QCoreApplication>

#include <benchmark/benchmark.h>

// Every benchmark program runs with a Qt application object, as the program itself does.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
