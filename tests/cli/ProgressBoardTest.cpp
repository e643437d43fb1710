// The progress of several downloads: redrawn lines on a terminal, one plain line per event
// elsewhere, percentages that never go backwards.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/ProgressBoard.h"

namespace veldrin::cli {
namespace {

// Standard error as a growing text in memory.
class CapturedOutput {
  public:
    CapturedOutput() : file_(open_memstream(&buffer_, &size_)) {}
    ~CapturedOutput() {
        std::fclose(file_);
        std::free(buffer_);
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    std::FILE* File() { return file_; }
    std::string Text() {
        std::fflush(file_);
        return std::string(buffer_, size_);
    }

  private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

TEST(ProgressBoard, TerminalLinesAreRedrawnInPlaceAndNeverGoBack) {
    CapturedOutput out;
    std::int64_t now = 0;
    ProgressBoard board(out.File(), true, [&] { return now; });
    const int first = board.Add("/dev/ttyUSB0");
    const int second = board.Add("/dev/pts/7");
    board.Identify(first, "dual", "冷库");
    now = 1000;
    board.Progress(first, 512, 2048);
    now = 2000;
    board.Progress(first, 1024, 2048);
    board.Progress(first, 600, 2048);  // a recount must not move the bar back
    EXPECT_EQ(board.Percent(first), 50);
    EXPECT_EQ(board.Percent(second), 0);

    const std::string line = board.Line(first);
    EXPECT_NE(line.find("ttyUSB0  dual  冷库"), std::string::npos) << line;
    EXPECT_NE(line.find("[##########..........]  50%"), std::string::npos) << line;
    EXPECT_NE(line.find("600/2048 B"), std::string::npos) << line;
    // 600 bytes since the first byte a second ago: 600 B/s and 1448 bytes, about 2 s, to go.
    EXPECT_NE(line.find("600 B/s  2s left"), std::string::npos) << line;

    const std::string text = out.Text();
    // Every redraw goes back over the lines drawn before instead of adding new ones.
    EXPECT_NE(text.find("\033[2A"), std::string::npos);
    EXPECT_NE(text.find("\r\033[2K"), std::string::npos);
    board.Progress(first, 2048, 2048);
    EXPECT_EQ(board.Percent(first), 100);
}

TEST(ProgressBoard, WithoutTerminalEveryEventIsOnePlainLine) {
    CapturedOutput out;
    ProgressBoard board(out.File(), false, [] { return std::int64_t{0}; });
    const int row = board.Add("/dev/ttyUSB1");
    board.Identify(row, "humidity", "evil\033[2Jtitle");
    for (std::size_t bytes = 0; bytes <= 4096; bytes += 64)
        board.Progress(row, bytes, 4096);
    board.State(row, "saved out/a.Vdr");

    const std::string text = out.Text();
    for (char c : text)
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << "control character " << int(c);
    EXPECT_NE(text.find("ttyUSB1: connecting\n"), std::string::npos) << text;
    EXPECT_NE(text.find("ttyUSB1 humidity \"evil [2Jtitle\": reading 100% (4096 of 4096 bytes)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(": saved out/a.Vdr\n"), std::string::npos);
    // Progress is told in steps, not for every block: 10, 20, … 100.
    std::size_t readingLines = 0;
    for (std::size_t at = text.find("reading"); at != std::string::npos; at = text.find("reading", at + 1))
        ++readingLines;
    EXPECT_EQ(readingLines, 10u);
}

TEST(ProgressBoard, SummaryTableAlignsWideCharacters) {
    const std::string table = SummaryTable({
        {"/dev/ttyUSB0", "dual", "冷库", 2000, "out/冷库.Vdr", "complete"},
        {"/dev/pts/12", "single", "lab", 0, "", "打开com1失败"},
    });
    EXPECT_EQ(table,
              "PORT     MODEL   TITLE  READINGS  FILE          RESULT\n"
              "ttyUSB0  dual    冷库   2000      out/冷库.Vdr  complete\n"
              "pts/12   single  lab    0                       打开com1失败\n");
}

}  // namespace
}  // namespace veldrin::cli
