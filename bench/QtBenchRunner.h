#pragma once
// Runs the benchmarks of a program inside the Qt application they need (drawn text needs a
// QGuiApplication, widgets a QApplication), offscreen unless a platform is chosen.
#include <benchmark/benchmark.h>

#include <QtGlobal>

template <typename Application>
int RunBenchmarksInside(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
