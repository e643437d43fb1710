#pragma once
// main() of the benchmarks that open windows: widgets need a QApplication.
#include <QApplication>

#include "bench/QtBenchRunner.h"

int main(int argc, char** argv) {
    return RunBenchmarksInside<QApplication>(argc, argv);
}
