#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "PrintTestSupport.h"
#include "print/PdfExport.h"
#include "print/PrintJob.h"

namespace veldrin {
namespace {

using test::HistorySpec;
using test::MakeHistory;

std::string PdfText(const std::string& path, int page) {
    const std::string number = std::to_string(page);
    return test::RunCommand("pdftotext -layout -f " + number + " -l " + number + " '" + path +
                            "' - 2>/dev/null");
}

class PdfExport : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }
    std::unique_ptr<HistoryDataSet> history =
        MakeHistory({.model = LoggerModel::TemperatureHumidity, .count = 130});
};

TEST_F(PdfExport, CurvePagesCarryTheSummaryAndTheStrips) {
    const std::string path = test::TemporaryPath("curves.pdf");
    const PdfExportResult result = ExportPdf(*history, {.mode = PrintMode::Curve, .curvePages = 4}, path);
    ASSERT_EQ(result.status, PdfExportStatus::Written) << result.message;
    EXPECT_EQ(result.pages, 4);
    EXPECT_EQ(test::PdfPages(path), 4);
    const std::string summary = PdfText(path, 1);
    EXPECT_NE(summary.find("1/4"), std::string::npos) << summary;
    EXPECT_NE(summary.find("标题：冷库一号"), std::string::npos) << summary;
    EXPECT_NE(summary.find("仪表名称：温湿度记录仪"), std::string::npos) << summary;
    EXPECT_NE(summary.find("开始时间： 2024-3-1 8:0:0"), std::string::npos) << summary;
    const std::string strips = PdfText(path, 2);
    EXPECT_NE(strips.find("2/4"), std::string::npos) << strips;
    EXPECT_NE(strips.find("2024-3-1 8:0:0"), std::string::npos) << strips;
    EXPECT_NE(strips.find("26.00°C"), std::string::npos) << "top label of channel 1: " << strips;
    const std::string info = test::RunCommand("pdfinfo '" + path + "'");
    EXPECT_NE(info.find("冷库一号"), std::string::npos) << "the document is named after the title: " << info;
}

TEST_F(PdfExport, TablePagesCarryTheHeadingsAndTheFirstRows) {
    const std::string path = test::TemporaryPath("table.pdf");
    const PdfExportResult result = ExportPdf(*history, {.mode = PrintMode::Text}, path);
    ASSERT_EQ(result.status, PdfExportStatus::Written) << result.message;
    EXPECT_EQ(test::PdfPages(path), 4);
    const std::string page2 = PdfText(path, 2);
    for (const char* expected : {"冷库一号", "序号", "时间", "温度", "湿度", "温度报警", "湿度报警",
                                 "2024-3-1 8:0:0", "20.00°C", "50.00%", "2024-3-1 8:1:0", "21.00°C"}) {
        EXPECT_NE(page2.find(expected), std::string::npos) << expected << " in\n" << page2;
    }
    const std::string page4 = PdfText(path, 4);
    EXPECT_NE(page4.find("121"), std::string::npos) << page4;
    EXPECT_NE(page4.find("4/4"), std::string::npos) << page4;
}

TEST_F(PdfExport, TheRangeChoosesTheRowsAndThePageCountIsKeptInRange) {
    const std::string path = test::TemporaryPath("range.pdf");
    const std::time_t first = history->samples.Time(10);
    PdfExportOptions options{.mode = PrintMode::Text, .from = first, .to = history->samples.Time(69)};
    ASSERT_EQ(ExportPdf(*history, options, path).status, PdfExportStatus::Written);
    EXPECT_EQ(test::PdfPages(path), 2) << "60 rows";
    EXPECT_NE(PdfText(path, 2).find("2024-3-1 8:10:0"), std::string::npos);

    ASSERT_EQ(ExportPdf(*history, {.curvePages = 11}, path).pages, 10);
    EXPECT_EQ(test::PdfPages(path), 10);
    ASSERT_EQ(ExportPdf(*history, {.curvePages = 0}, path).pages, 2);
}

// The hash is read digit by digit: "ff" and "fi" stay two letters in the text of every page.
TEST_F(PdfExport, TheArchiveMarkKeepsEveryDigitOfItsHash) {
    const std::string path = test::TemporaryPath("mark.pdf");
    const std::string mark = "档案 7 · SHA-256 ffaff1ffbfcffdff";
    PdfExportOptions options;
    options.archiveMark = mark;
    ASSERT_EQ(ExportPdf(*history, options, path).status, PdfExportStatus::Written);
    EXPECT_NE(PdfText(path, 1).find(mark), std::string::npos) << PdfText(path, 1);
    EXPECT_NE(PdfText(path, 2).find(mark), std::string::npos) << PdfText(path, 2);
}

TEST_F(PdfExport, RefusesWhatCannotBePrinted) {
    const std::string path = test::TemporaryPath("refused.pdf");
    const std::time_t first = history->samples.Time(0);
    const std::time_t last = history->samples.Time(129);
    EXPECT_EQ(ExportPdf(*history, {.from = first - 1}, path).status, PdfExportStatus::StartOutsideHistory);
    EXPECT_EQ(ExportPdf(*history, {.from = first + 120, .to = first + 60}, path).status,
              PdfExportStatus::StartOutsideHistory);
    EXPECT_EQ(ExportPdf(*history, {.to = last + 1}, path).status, PdfExportStatus::StopOutsideHistory);
    EXPECT_FALSE(std::filesystem::exists(path));
    const PdfExportResult unwritable = ExportPdf(*history, {}, "/nonexistent-folder/out.pdf");
    EXPECT_EQ(unwritable.status, PdfExportStatus::CannotWrite);
    EXPECT_FALSE(unwritable.message.empty());
    HistoryDataSet empty;
    EXPECT_EQ(ExportPdf(empty, {}, path).status, PdfExportStatus::EmptyHistory);
}

TEST_F(PdfExport, AFileIsReplacedOnlyByACompleteExport) {
    const std::string path = test::TemporaryPath("replaced.pdf");
    ASSERT_EQ(ExportPdf(*history, {}, path).status, PdfExportStatus::Written);
    ASSERT_EQ(ExportPdf(*history, {.mode = PrintMode::Text}, path).status, PdfExportStatus::Written);
    EXPECT_EQ(test::PdfPages(path), 4);

    // A target that cannot be replaced: the pages are written beside it and then thrown away.
    const std::string folder = test::TemporaryPath("a-folder.pdf");
    std::filesystem::create_directories(folder + "/inside");
    EXPECT_EQ(ExportPdf(*history, {}, folder).status, PdfExportStatus::CannotWrite);
    EXPECT_TRUE(std::filesystem::exists(folder + "/inside"));
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(folder).parent_path())) {
        EXPECT_EQ(entry.path().string().find(".partial-"), std::string::npos) << entry.path();
    }
}

TEST_F(PdfExport, TheTitleOfTheFileIsTheHistoryTitleWithoutItsPadding) {
    history->summary.title = "冷库一号" + std::string(24, ' ');
    const std::string path = test::TemporaryPath("padded.pdf");
    ASSERT_EQ(ExportPdf(*history, {}, path).status, PdfExportStatus::Written);
    const std::string info = test::RunCommand("pdfinfo '" + path + "'");
    EXPECT_NE(info.find("冷库一号\n"), std::string::npos) << info;
}

TEST_F(PdfExport, ALinkKeepsPointingAtTheReplacedFileWhichKeepsItsPermissions) {
    const std::string folder = test::TemporaryPath("pdf-link-folder");
    std::filesystem::create_directories(folder + "/real");
    const std::string target = folder + "/real/pages.pdf";
    const std::string link = folder + "/pages.pdf";
    {
        std::ofstream old(target);
        old << "old";
    }
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    std::filesystem::create_symlink("real/pages.pdf", link);
    ASSERT_EQ(ExportPdf(*history, {}, link).status, PdfExportStatus::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::PdfPages(target), 2);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600U);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder + "/real"))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"pages.pdf"}) << "no private folder is left behind";
}

// A device that refuses to begin one page.
class RefusingTarget final : public PrintTarget {
  public:
    explicit RefusingTarget(int refusedPage)
        : refusedPage_(refusedPage), image_(400, 300, QImage::Format_RGB32) {}
    bool BeginDocument() override { return painter_.begin(&image_); }
    bool BeginPage(int page) override {
        if (page == refusedPage_)
            return false;
        ++begun;
        return true;
    }
    QPainter& Painter() override { return painter_; }
    void EndPage() override { ++ended; }
    void AbortDocument() override {
        ++aborted;
        painter_.end();
    }
    bool EndDocument() override {
        ++finished;
        return painter_.end();
    }
    int PixelsPerInchX() const override { return 30; }
    int PixelsPerInchY() const override { return 30; }
    QSize PrintableSize() const override { return image_.size(); }

    int begun = 0, ended = 0, aborted = 0, finished = 0;

  private:
    int refusedPage_;
    QImage image_;
    QPainter painter_;
};

TEST_F(PdfExport, APageThatCannotBeBegunAbortsTheDocument) {
    const auto times = ParseHistoryTimes(*history);
    const PrintSelection selection = SelectForPrint(*history, times, times.front(), times.back());
    const SurfaceMetrics screen = MetricsFor(96, 96);
    const PrintJob job{*history,        selection, PrintMode::Curve, 5, screen, ColumnUnitFor(screen),
                       StripCountFor(5)};
    RefusingTarget refusing(3);
    EXPECT_EQ(PrintAllPages(refusing, job), PrintOutcome::PageNotStarted);
    EXPECT_EQ(refusing.begun, 2);
    EXPECT_EQ(refusing.ended, 2);
    EXPECT_EQ(refusing.aborted, 1);
    EXPECT_EQ(refusing.finished, 0);

    RefusingTarget willing(0);
    EXPECT_EQ(PrintAllPages(willing, job), PrintOutcome::Printed);
    EXPECT_EQ(willing.ended, 5);
    EXPECT_EQ(willing.finished, 1);
}

}  // namespace
}  // namespace veldrin
