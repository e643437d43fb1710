#pragma once
// main() of the benchmarks that draw text: text drawing needs a Qt application.
#include <QGuiApplication>

#include "bench/QtBenchRunner.h"

int main(int argc, char** argv) {
    return RunBenchmarksInside<QGuiApplication>(argc, argv);
}
