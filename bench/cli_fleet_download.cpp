// Eight paced loggers (9600 baud, ten blocks each) on eight pseudo-terminals read by one
// `veldrin-cli download`, against one of them read alone by the same command: the total time
// (budget 1.10 × the one alone), every logger's readings byte for byte those the one alone gives,
// and the processor time of the process per logger.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"
#include "sim/PtyServer.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

constexpr int kLoggers = 8;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Run {
    int status = -1;
    double seconds = 0;
    double cpuSeconds = 0;
};

// `veldrin-cli download` of the loggers on `ports`, each saved as FOLDER/{port}.csv (a data file's
// bytes are scrambled with the time it is written; the readings' export is the same every time);
// what it prints goes to /dev/null.
Run Download(const std::vector<std::string>& ports, const std::string& folder) {
    std::vector<std::string> args{"veldrin-cli", "download"};
    for (const std::string& port : ports) {
        args.push_back("--port");
        args.push_back(port);
    }
    args.push_back("-o");
    args.push_back(folder + "/{port}.csv");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    std::fflush(stdout);
    std::fflush(stderr);
    const int savedOut = dup(STDOUT_FILENO);
    const int savedErr = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    close(null);
    Run run;
    const double cpuBefore = CpuSeconds();
    const auto begin = std::chrono::steady_clock::now();
    run.status = cli::RunCli(static_cast<int>(argv.size()), argv.data());
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    run.cpuSeconds = CpuSeconds() - cpuBefore;
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(savedOut, STDOUT_FILENO);
    dup2(savedErr, STDERR_FILENO);
    close(savedOut);
    close(savedErr);
    return run;
}

void BM_EightPacedLoggersInOneDownload(benchmark::State& state) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 4900;  // 9800 bytes: ten blocks, about ten seconds at 960 bytes a second
    options.recording = false;
    SimFaults faults;
    faults.paced = true;
    for (auto _ : state) {
        std::vector<std::unique_ptr<PtyServer>> servers;
        std::vector<std::string> ports;
        for (int i = 0; i < kLoggers; ++i) {
            servers.push_back(std::make_unique<PtyServer>(options, faults));
            if (!servers.back()->Start()) {
                state.SkipWithError(servers.back()->Error().c_str());
                return;
            }
            ports.push_back(servers.back()->DevicePath());
        }
        const test::TempFolder alone;
        const test::TempFolder together;
        const Run one = Download({ports.front()}, alone.Path());
        const Run eight = Download(ports, together.Path());
        if (one.status != 0 || eight.status != 0) {
            state.SkipWithError("a download did not complete");
            return;
        }
        // Every logger holds the same memory, so every file must be the one of the logger alone.
        const std::string expected = ReadAll(alone.Path() + "/" + ports.front().substr(9) + ".csv");
        int identical = 0;
        for (const std::string& port : ports)
            identical +=
                !expected.empty() && ReadAll(together.Path() + "/" + port.substr(9) + ".csv") == expected;
        if (identical != kLoggers) {
            state.SkipWithError("a file differs from the one logger alone gives");
            return;
        }
        state.SetIterationTime(eight.seconds);
        state.counters["one_alone_s"] = one.seconds;
        state.counters["eight_s"] = eight.seconds;
        state.counters["ratio_to_one"] = eight.seconds / one.seconds;
        state.counters["cpu_s_per_logger"] = eight.cpuSeconds / kLoggers;
        state.counters["files_identical"] = identical;
    }
}
BENCHMARK(BM_EightPacedLoggersInOneDownload)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace veldrin

BENCHMARK_MAIN();
