// A history download of 20 blocks from the simulated logger on a pseudo-terminal, paced at the
// 9600-baud byte rate: how close the download comes to the wire limit (bytes ÷ 960 bytes a second),
// and where the time beyond the wire goes. The line is traced, and the trace gives each block's
// timeline: request written, burst delivered (100 ms of quiet after its last byte), next request.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

#include "logger/DeviceConnection.h"
#include "logger/EventWaker.h"
#include "logger/QuietUi.h"
#include "serial/BurstReader.h"
#include "serial/CommChannel.h"
#include "serial/TraceLink.h"
#include "sim/PtyServer.h"
#include "tests/TempFolder.h"

namespace veldrin {
namespace {

constexpr double kWireBytesPerSecond = 960.0;

// Where the time of a download went, from its trace (times in ms since the trace began).
struct Timeline {
    double preambleMs = 0;         // history asked for → first block request
    double deliveredToNextMs = 0;  // a block delivered → the next request written (mean)
    double beyondWireMs = 0;  // a request written → its block delivered, less the block's wire time (mean)
    double lastToHandoverMs = 0;  // the last block delivered → the history handed over
    int requests = 0;
};

// The block requests are the writes from the first FF F5 lo hi on; each block is the bursts received
// between its request and the next.
Timeline TimelineOf(const std::vector<TraceRecord>& records, std::int64_t beginMs, std::int64_t endMs) {
    Timeline timeline;
    std::vector<std::int64_t> requests;
    std::vector<std::int64_t> delivered;
    std::vector<std::size_t> bytes;
    for (const TraceRecord& record : records) {
        if (record.atMs < beginMs)
            continue;
        if (record.kind == TraceRecord::Kind::Written) {
            const bool first = record.bytes.size() == 4 && record.bytes[0] == 0xFF && record.bytes[1] == 0xF5;
            if (first || !requests.empty()) {
                requests.push_back(record.atMs);
                delivered.push_back(0);
                bytes.push_back(0);
            }
        } else if (record.kind == TraceRecord::Kind::Received && !requests.empty()) {
            delivered.back() = record.atMs;
            bytes.back() += record.bytes.size();
        }
    }
    if (requests.empty())
        return timeline;
    timeline.requests = static_cast<int>(requests.size());
    timeline.preambleMs = static_cast<double>(requests.front() - beginMs);
    double toNext = 0;
    double beyond = 0;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const double wireMs = static_cast<double>(bytes[i]) * 1000.0 / kWireBytesPerSecond;
        beyond += static_cast<double>(delivered[i] - requests[i]) - wireMs;
        if (i + 1 < requests.size())
            toNext += static_cast<double>(requests[i + 1] - delivered[i]);
    }
    timeline.beyondWireMs = beyond / static_cast<double>(requests.size());
    if (requests.size() > 1)
        timeline.deliveredToNextMs = toNext / static_cast<double>(requests.size() - 1);
    timeline.lastToHandoverMs = static_cast<double>(endMs - delivered.back());
    return timeline;
}

// Wakes the driving loop when the reader queued something, as the desktop program's event loop is
// woken.
class WakingUi : public QuietUi {
  public:
    void EventsQueued() override { waker.Wake(); }
    EventWaker waker;
};

void BM_PacedDownload20Blocks(benchmark::State& state) {
    SimLoggerOptions options;
    options.model = LoggerModel::SingleTemperature;
    options.records = 9800;  // 19600 bytes: 20 blocks
    options.clockStart = std::time(nullptr);
    SimFaults faults;
    faults.paced = true;
    for (auto _ : state) {
        PtyServer server(options, faults);
        if (!server.Start()) {
            state.SkipWithError(server.Error().c_str());
            return;
        }
        SystemClock clock;
        CommChannel channel;
        const test::TempFolder folder;
        const std::string tracePath = folder.Path() + "/download.trace";
        const auto traceOrigin = std::chrono::steady_clock::now();
        std::optional<TraceLink> trace(std::in_place, channel, tracePath);
        LoggerInfo info;
        WakingUi ui;
        std::optional<DeviceConnection> connection(std::in_place, *trace, clock, info, ui, ui);
        connection->SetBackgroundConnect(false);
        bool done = false;
        // The download ends when the history is handed over, which may be between two steps.
        std::chrono::steady_clock::time_point end;
        connection->SetHistorySink([&](const HistoryHandover&) {
            end = std::chrono::steady_clock::now();
            done = true;
        });
        auto next = std::chrono::steady_clock::now();
        auto runUntil = [&](auto condition, int seconds) {
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
            while (!condition() && std::chrono::steady_clock::now() < deadline) {
                connection->OnTimer();
                next += std::chrono::milliseconds(DeviceConnection::kTimerMs);
                ui.waker.RunQueuedUntil(*connection, next);
            }
            return condition();
        };
        if (!connection->Connect({{server.DevicePath(), 1}, false, options.model}) ||
            !runUntil([&] { return connection->CurrentPhase() == Phase::Polling; }, 60)) {
            state.SkipWithError("no connection to the simulated logger");
            return;
        }
        connection->ReadHistory();
        auto begin = std::chrono::steady_clock::now();
        std::uint64_t bytesBefore = connection->Engine().ReceivedTotal();
        next = begin;
        if (!runUntil([&] { return done; }, 120)) {
            state.SkipWithError("the download did not complete");
            return;
        }
        double seconds = std::chrono::duration<double>(end - begin).count();
        double bytes = static_cast<double>(connection->Engine().ReceivedTotal() - bytesBefore);
        state.SetIterationTime(seconds);
        state.counters["blocks"] = info.blockCount;
        state.counters["bytes"] = bytes;
        state.counters["wire_limit_s"] = bytes / kWireBytesPerSecond;
        state.counters["ratio_to_wire_limit"] = seconds / (bytes / kWireBytesPerSecond);
        // Each block ends with the burst rule's quiet line: no download of these bytes can be faster.
        state.counters["floor_ratio_burst_rule"] =
            (bytes / kWireBytesPerSecond + info.blockCount * BurstReader::kBurstGapMs / 1000.0) /
            (bytes / kWireBytesPerSecond);

        const auto sinceOrigin = [&](std::chrono::steady_clock::time_point at) {
            return std::chrono::duration_cast<std::chrono::milliseconds>(at - traceOrigin).count();
        };
        connection.reset();
        trace.reset();
        std::ifstream in(tracePath);
        std::string error;
        const auto records = ReadTrace(in, error);
        if (!records) {
            state.SkipWithError(("the trace cannot be read: " + error).c_str());
            return;
        }
        const Timeline timeline = TimelineOf(*records, sinceOrigin(begin), sinceOrigin(end));
        state.counters["block_requests"] = timeline.requests;
        state.counters["preamble_ms"] = timeline.preambleMs;
        state.counters["block_beyond_wire_ms"] = timeline.beyondWireMs;
        state.counters["delivered_to_next_request_ms"] = timeline.deliveredToNextMs;
        state.counters["last_block_to_handover_ms"] = timeline.lastToHandoverMs;
    }
}
BENCHMARK(BM_PacedDownload20Blocks)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace veldrin

BENCHMARK_MAIN();
