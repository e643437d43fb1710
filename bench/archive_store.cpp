// The archive on its default SQLite file: archiving a downloaded two-channel history of 100000
// samples (budget 100 ms), and listing 10000 entries with a text filter (budget 50 ms), both as the
// library lists them and as `veldrin-cli archive list --text` prints them (table and JSON).
#include <benchmark/benchmark.h>

#include <string>

#include "archive/Archive.h"
#include "cli/ArchiveSupport.h"
#include "tests/TempFolder.h"

namespace veldrin::archive {
namespace {

ArchiveInput Download(int samples, std::uint64_t tag, const std::string& title) {
    ArchiveInput input;
    input.model = 1;
    input.title = title;
    input.description = "冷链运输 cold chain, trailer " + std::to_string(tag % 97);
    input.start = 1714521600 + static_cast<std::int64_t>(tag) * 86400;
    input.interval = 60;
    input.count = samples;
    input.limits = {2.0f, 8.0f, 30.0f, 80.0f};
    input.alarm = true;
    input.raw.reserve(static_cast<std::size_t>(samples) * 4 + 16);
    for (int shift = 0; shift < 64; shift += 8)
        input.raw.push_back(static_cast<std::uint8_t>(tag >> shift));  // makes each download unique
    input.channel1.reserve(static_cast<std::size_t>(samples));
    input.channel2.reserve(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        input.raw.push_back(static_cast<std::uint8_t>(i % 40));
        input.raw.push_back(static_cast<std::uint8_t>(i % 100));
        input.raw.push_back(static_cast<std::uint8_t>(30 + i % 60));
        input.raw.push_back(static_cast<std::uint8_t>((i * 7) % 100));
        input.channel1.push_back(static_cast<float>(i % 40) + static_cast<float>(i % 100) / 100);
        input.channel2.push_back(static_cast<float>(30 + i % 60) + static_cast<float>((i * 7) % 100) / 100);
    }
    input.provenance = {"/dev/ttyUSB0", "usb-Prolific_PL2303-if00-port0", {"quality", "station-1", "2.106"}};
    return input;
}

void ArchiveA100000SampleDownload(benchmark::State& state) {
    veldrin::test::TempFolder folder;
    auto archive = Archive::Open(folder.File("archive.sqlite"));
    ArchiveInput input = Download(100000, 0, "冷库一号");
    std::uint64_t tag = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++tag;
        for (int shift = 0; shift < 64; shift += 8)
            input.raw[static_cast<std::size_t>(shift / 8)] = static_cast<std::uint8_t>(tag >> shift);
        state.ResumeTiming();
        benchmark::DoNotOptimize(archive->Add(input));
    }
}
BENCHMARK(ArchiveA100000SampleDownload)->Unit(benchmark::kMillisecond);

// An archive of 10000 entries, one in ten titled "Freezer …".
std::unique_ptr<Archive> TenThousandEntries(const veldrin::test::TempFolder& folder) {
    auto archive = Archive::Open(folder.File("archive.sqlite"));
    for (std::uint64_t tag = 0; tag < 10000; ++tag)
        archive->Add(Download(10, tag, (tag % 10 == 0 ? "Freezer " : "冷库 ") + std::to_string(tag)));
    return archive;
}

void ListWithATextFilterOver10000Entries(benchmark::State& state) {
    veldrin::test::TempFolder folder;
    auto archive = TenThousandEntries(folder);
    EntryFilter filter;
    filter.text = "freezer";
    std::size_t found = 0;
    for (auto _ : state) {
        found = archive->List(filter).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(ListWithATextFilterOver10000Entries)->Unit(benchmark::kMillisecond);

// What `archive list --text freezer [--json]` does in-process: the search and the printed listing.
void ArchiveListCommandWithATextFilterOver10000Entries(benchmark::State& state) {
    veldrin::test::TempFolder folder;
    auto archive = TenThousandEntries(folder);
    EntryFilter filter;
    filter.text = "freezer";
    const bool asJson = state.range(0) == 1;
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = cli::ListArchive(*archive, filter, asJson).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(ArchiveListCommandWithATextFilterOver10000Entries)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veldrin::archive

BENCHMARK_MAIN();
