#pragma once
// The progress of several downloads at once on standard error. On a terminal every logger has one
// line that is redrawn in place (port, model, title, a bar, percent, bytes, rate, time left); on
// anything else (a pipe, a log file) every change worth telling is one line of its own, with no
// control characters. A logger's percentage never goes backwards.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "fleet/FleetDownload.h"

namespace veldrin::cli {

using fleet::DownloadOutcome;

class ProgressBoard {
  public:
    // `nowMs` is a monotonic clock in milliseconds (rate and time left are computed from it).
    ProgressBoard(std::FILE* out, bool terminal, std::function<std::int64_t()> nowMs);

    // A new line for the logger on `port` (a device path); returns its row.
    int Add(const std::string& port);
    // What is known of the logger once it is identified.
    void Identify(int row, const std::string& model, const std::string& title);
    // Download progress: bytes arrived of `totalBytes`. The shown percentage is the largest seen.
    void Progress(int row, std::size_t bytes, std::size_t totalBytes);
    // A state in words ("connecting", "saved history.Vdr", the failure message …).
    void State(int row, const std::string& text);

    // The line of `row` as a terminal would show it (without control characters).
    std::string Line(int row) const;
    int Percent(int row) const { return rows_[static_cast<std::size_t>(row)].percent; }

  private:
    struct Row {
        std::string port;
        std::string model;
        std::string title;
        std::string state;
        std::size_t bytes = 0;
        std::size_t totalBytes = 0;
        int percent = 0;
        int reportedPercent = 0;  // the last percentage an event line told (not a terminal)
        std::int64_t firstByteMs = -1;
    };

    void Redraw();
    void Tell(const Row& row, const std::string& what);

    std::FILE* out_;
    bool terminal_;
    std::function<std::int64_t()> nowMs_;
    std::vector<Row> rows_;
    int drawnRows_ = 0;
};

// The outcomes as a table with a header row, columns padded to their widest entry (counted in
// characters on screen: a Chinese character takes two columns).
std::string SummaryTable(const std::vector<DownloadOutcome>& outcomes);

}  // namespace veldrin::cli
