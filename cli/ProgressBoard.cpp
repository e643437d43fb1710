#include "cli/ProgressBoard.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "logger/TextFormat.h"
#include "translations/Translation.h"

namespace veldrin::cli {
namespace {

constexpr int kBarWidth = 20;
// Without a terminal a download's progress is told in steps of this many percent.
constexpr int kEventStepPercent = 10;

std::string Bar(int percent) {
    const int filled = percent * kBarWidth / 100;
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "]";
}

std::string Duration(long long seconds) {
    return seconds >= 60 ? Printf("%lldm%02llds", seconds / 60, seconds % 60) : Printf("%llds", seconds);
}

// A port as the board names it: its device path without /dev/ (ttyUSB0, pts/12).
std::string ShownPort(const std::string& devicePath) {
    constexpr std::string_view kDevices = "/dev/";
    return devicePath.starts_with(kDevices) ? devicePath.substr(kDevices.size()) : devicePath;
}

// `text` with every control character made a blank: a logger's title could hold one, and neither a
// log nor the redrawn lines may receive it.
std::string Printable(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; },
        ' ');
    return text;
}

}  // namespace

ProgressBoard::ProgressBoard(std::FILE* out, bool terminal, std::function<std::int64_t()> nowMs)
    : out_(out), terminal_(terminal), nowMs_(std::move(nowMs)) {}

int ProgressBoard::Add(const std::string& port) {
    rows_.push_back(Row{port, {}, {}, "connecting", 0, 0, 0, 0, -1});
    if (terminal_)
        Redraw();
    else
        Tell(rows_.back(), "connecting");
    return static_cast<int>(rows_.size()) - 1;
}

void ProgressBoard::Identify(int row, const std::string& model, const std::string& title) {
    Row& entry = rows_[static_cast<std::size_t>(row)];
    entry.model = model;
    entry.title = title;
    if (terminal_)
        Redraw();
    else
        Tell(entry, "identified");
}

void ProgressBoard::Progress(int row, std::size_t bytes, std::size_t totalBytes) {
    Row& entry = rows_[static_cast<std::size_t>(row)];
    if (entry.firstByteMs < 0 && bytes > 0)
        entry.firstByteMs = nowMs_();
    entry.bytes = bytes;
    entry.totalBytes = totalBytes;
    const int percent =
        totalBytes == 0 ? 0 : static_cast<int>(std::min<std::size_t>(bytes, totalBytes) * 100 / totalBytes);
    entry.percent = std::max(entry.percent, percent);
    entry.state = "reading";
    if (terminal_) {
        Redraw();
    } else if (entry.percent / kEventStepPercent > entry.reportedPercent / kEventStepPercent) {
        entry.reportedPercent = entry.percent;
        Tell(entry, Printf("reading %d%% (%zu of %zu bytes)", entry.percent, entry.bytes, entry.totalBytes));
    }
}

void ProgressBoard::State(int row, const std::string& text) {
    Row& entry = rows_[static_cast<std::size_t>(row)];
    entry.state = text;
    if (terminal_)
        Redraw();
    else
        Tell(entry, text);
}

std::string ProgressBoard::Line(int row) const {
    const Row& entry = rows_[static_cast<std::size_t>(row)];
    std::string line = ShownPort(entry.port);
    line += "  " + (entry.model.empty() ? std::string("?") : entry.model);
    if (!entry.title.empty())
        line += "  " + entry.title;
    line += "  " + Bar(entry.percent) + Printf(" %3d%%", entry.percent);
    if (entry.totalBytes > 0) {
        line += Printf("  %zu/%zu B", entry.bytes, entry.totalBytes);
        const std::int64_t elapsedMs = entry.firstByteMs < 0 ? 0 : nowMs_() - entry.firstByteMs;
        if (elapsedMs > 0 && entry.bytes > 0) {
            const double rate = static_cast<double>(entry.bytes) * 1000.0 / static_cast<double>(elapsedMs);
            line += Printf("  %.0f B/s", rate);
            const std::size_t left = entry.totalBytes > entry.bytes ? entry.totalBytes - entry.bytes : 0;
            const std::string duration =
                Duration(static_cast<long long>(static_cast<double>(left) / rate + 0.5));
            line += "  " + Printf(text::translate("veldrin-cli", "%s left").c_str(), duration.c_str());
        }
    }
    line += "  " + entry.state;
    return Printable(line);
}

void ProgressBoard::Redraw() {
    // Back to the first line of the board, then every line cleared and written anew.
    if (drawnRows_ > 0)
        std::fprintf(out_, "\033[%dA", drawnRows_);
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
        std::fprintf(out_, "\r\033[2K%s\n", Line(row).c_str());
    drawnRows_ = static_cast<int>(rows_.size());
    std::fflush(out_);
}

void ProgressBoard::Tell(const Row& row, const std::string& what) {
    std::string line = ShownPort(row.port);
    if (!row.model.empty())
        line += " " + row.model;
    if (!row.title.empty())
        line += " \"" + row.title + "\"";
    line += ": " + what;
    std::fprintf(out_, "%s\n", Printable(line).c_str());
    std::fflush(out_);
}

namespace {

// Columns `text` takes on a terminal: a character of U+1100 and above (CJK) counts two.
std::size_t ScreenWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;
        at += length;
    }
    return width;
}

}  // namespace

std::string SummaryTable(const std::vector<DownloadOutcome>& outcomes) {
    std::vector<std::array<std::string, 6>> cells{
        {text::translate("veldrin-cli", "PORT"), text::translate("veldrin-cli", "MODEL"),
         text::translate("veldrin-cli", "TITLE"), text::translate("veldrin-cli", "READINGS"),
         text::translate("veldrin-cli", "FILE"), text::translate("veldrin-cli", "RESULT")}};
    for (const DownloadOutcome& outcome : outcomes)
        cells.push_back({ShownPort(outcome.port), outcome.model, Printable(outcome.title),
                         std::to_string(outcome.readings), outcome.file, Printable(outcome.result)});
    std::array<std::size_t, 6> widths{};
    for (const auto& row : cells)
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], ScreenWidth(row[column]));
    std::string table;
    for (const auto& row : cells) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size())
                line += std::string(widths[column] - ScreenWidth(row[column]) + 2, ' ');
        }
        table += line + "\n";
    }
    return table;
}

}  // namespace veldrin::cli
