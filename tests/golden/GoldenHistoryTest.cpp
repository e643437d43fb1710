// What the program shows and writes of three histories, one per logger model, compared with the
// golden files in tests/golden/: the summary rows, every cell of the data, alarm and statistics
// lists, the statistics texts, the text, CSV, workbook and PDF exports and the data file bytes,
// for the history as the download leaves it and as the saved data file gives it back, and the
// realtime lists of the same readings arriving live. The golden files were written by this test
// from the program as it was; VELDRIN_WRITE_GOLDEN=1 writes them again from the program as it is.
#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/StatisticsJson.h"
#include "files/CsvExport.h"
#include "files/DataFile.h"
#include "files/TextExport.h"
#include "fleet/ExportRegistry.h"
#include "fleet/GuiApplication.h"
#include "history/HistoryDataSet.h"
#include "history/HistoryIngestion.h"
#include "history/HistoryStatistics.h"
#include "history/StatisticsText.h"
#include "history/SummaryRows.h"
#include "logger/Clock.h"
#include "logger/LoggerInfo.h"
#include "logger/WireCodec.h"
#include "measure/AlarmSound.h"
#include "measure/AudibleAlarm.h"
#include "measure/CurveChart.h"
#include "measure/ExcursionListModel.h"
#include "measure/HistoryListModel.h"
#include "measure/HistoryPresenter.h"
#include "measure/RealtimeListModel.h"
#include "measure/RealtimeMonitor.h"
#include "measure/StatisticsListModel.h"
#include "measure/SummaryListModel.h"
#include "print/PdfExport.h"
#include "print/ReportPdf.h"
#include "tests/ManualClock.h"
#include "tests/TempFolder.h"
#include "tests/workbook/FreeXlReader.h"

namespace veldrin {
namespace {

constexpr int kSamples = 36;
constexpr int kInterval = 600;  // ten minutes: the readings run over midnight

std::string SourceFile(const std::string& name) {
    const char* root = std::getenv("VELDRIN_SOURCE_DIR");
    return std::string(root ? root : ".") + "/tests/golden/" + name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Compares `actual` with the golden file `name`, naming the first line that differs; writes the
// file instead when VELDRIN_WRITE_GOLDEN is set.
void ExpectGolden(const std::string& name, const std::string& actual) {
    const std::string path = SourceFile(name);
    if (std::getenv("VELDRIN_WRITE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream probe(path, std::ios::binary);
    ASSERT_TRUE(probe.good()) << "no golden file " << path;
    const std::string expected = ReadAll(path);
    if (expected == actual)
        return;
    std::istringstream e(expected), a(actual);
    std::string le, la;
    int line = 1;
    for (; std::getline(e, le) && std::getline(a, la); ++line) {
        if (le != la)
            break;
    }
    ADD_FAILURE() << name << " differs from its golden file (" << expected.size() << " bytes expected, "
                  << actual.size() << " written), first at line " << line << ":\n  golden: " << le
                  << "\n  now:    " << la;
}

// Value bytes of a reading as the logger sends them: the integer part with the sign in bit 7,
// then the hundredths.
void PutValue(std::vector<std::uint8_t>& bytes, float value) {
    const int hundredths = static_cast<int>(value * 100 + (value < 0 ? -0.5f : 0.5f));
    const int magnitude = hundredths < 0 ? -hundredths : hundredths;
    bytes.push_back(static_cast<std::uint8_t>((hundredths < 0 ? 0x80 : 0) + magnitude / 100));
    bytes.push_back(static_cast<std::uint8_t>(magnitude % 100));
}

float Value1(int i) {
    return -12.5f + static_cast<float>((i * 37) % 61) - (i % 3) * 0.25f;
}
float Value2(LoggerModel model, int i) {
    if (model == LoggerModel::TemperatureHumidity)
        return 12.0f + static_cast<float>((i * 23) % 80) + (i % 4) * 0.05f;
    return -30.0f + static_cast<float>((i * 17) % 70) + (i % 5) * 0.1f;
}

LoggerInfo InfoFor(LoggerModel model) {
    LoggerInfo info;
    info.model = model;
    info.instrumentName = std::string(Traits(model).displayName);
    info.interval = kInterval;
    // 2024-03-01 22:10:00, sent as second, minute, hour, day, month, year in the century, century.
    info.startTime.raw = {0, 10, 22, 1, 3, 24, 20};
    info.channel1Alarm = {-5, 30, 0, 0, 1};
    info.channel2Alarm = model == LoggerModel::TemperatureHumidity ? AlarmLimits{30, 70, 0, 0, 0}
                                                                   : AlarmLimits{-20, 25, 0, 0, 0};
    info.title = "冷链测试";
    info.description = "金本位样本";
    return info;
}

std::vector<std::uint8_t> DownloadBytes(LoggerModel model) {
    std::vector<std::uint8_t> bytes = {0x55, 0xF5, 0x01, 0x00, 0x10, 0x00, 0x00};
    for (int i = 0; i < kSamples; ++i) {
        PutValue(bytes, Value1(i));
        if (HasSecondChannel(model))
            PutValue(bytes, Value2(model, i));
    }
    bytes.push_back(0xAA);
    bytes.push_back(0x55);
    return bytes;
}

std::string Cells(const TextTableModel& list) {
    std::string text;
    for (int column = 0; column < list.columnCount(); ++column)
        text += (column ? "\t" : "") + list.HeaderText(column).toStdString();
    text += "\n";
    for (int row = 0; row < list.rowCount(); ++row) {
        for (int column = 0; column < list.columnCount(); ++column)
            text += (column ? "\t" : "") + list.CellText(row, column).toStdString();
        text += "\n";
    }
    return text;
}

std::string StatisticsTexts(const HistoryDataSet& history) {
    const HistoryStatistics statistics = ComputeStatistics(history);
    std::string text;
    for (const NamedText& row : PeriodRows(statistics.period))
        text += row.name + ": " + row.text + "\n";
    for (const FigureRow& row : FigureRows(statistics)) {
        text += row.name;
        for (const std::string& cell : row.texts)
            text += "\t" + cell;
        text += "\n";
    }
    for (const ChannelStatistics& channel : statistics.channels) {
        text += ChannelTitle(channel) + " | " + LimitText(channel, channel.below) + " | " +
                LimitText(channel, channel.above) + "\n";
    }
    text += VerdictText(statistics) + "\n";
    text += "-- statistics list\n";
    StatisticsListModel figures;
    figures.Refresh(statistics);
    text += Cells(figures);
    text += "-- excursion list\n";
    ExcursionListModel excursions;
    excursions.Refresh(statistics);
    text += Cells(excursions);
    excursions.Clear();
    text += "-- json\n" + cli::StatisticsJson(statistics).dump(1) + "\n";
    // A range inside the history, as the report and the print range pick one.
    const HistoryStatistics part =
        ComputeStatistics(history, RangeBetween(history, history.samples.Time(5), history.samples.Time(20)));
    text += "-- samples 5 to 20\n";
    for (const FigureRow& row : FigureRows(part)) {
        text += row.name;
        for (const std::string& cell : row.texts)
            text += "\t" + cell;
        text += "\n";
    }
    text += VerdictText(part) + "\n";
    return text;
}

// The screen side: summary page, data list and alarm list as the history page fills them.
std::string ScreenTexts(const HistoryDataSet& history, const DownloadIngestResult* download) {
    CurveChart chart;
    HistoryListModel dataList{ListKind::HistoryData};
    HistoryListModel alarmList{ListKind::HistoryAlarm};
    SummaryListModel summary;
    HistoryPresenter presenter(history, chart, dataList, alarmList, summary);
    if (download)
        presenter.ShowDownload(*download);
    else
        presenter.ShowLoadedFile();
    return "-- summary lines\n" + FormatSummaryLines(history) + "-- summary page\n" + Cells(summary) +
           "-- data list\n" + Cells(dataList) + "-- alarm list\n" + Cells(alarmList);
}

std::string WorkbookCells(const std::string& path) {
    const test::FreeXlWorkbook book = test::ReadWithFreeXl(path);
    std::string text = "open " + std::to_string(book.openCode) + " code page " +
                       std::to_string(book.codePage) + " biff " + std::to_string(book.biffVersion) + "\n";
    for (const test::FreeXlSheet& sheet : book.sheets) {
        text += "== " + sheet.name + "\n";
        for (const auto& row : sheet.cells) {
            for (std::size_t column = 0; column < row.size(); ++column)
                text += (column ? "\t" : "") + row[column];
            text += "\n";
        }
    }
    return text;
}

std::string PdfText(const std::string& path) {
    std::string text;
    const std::string command = "pdftotext -layout '" + path + "' -";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "pdftotext did not start";
    char buffer[4096];
    std::size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, got);
    const int status = pclose(pipe);
    return status == 0 ? text : "pdftotext failed: " + text;
}

// The exports of `history`: text, CSV, workbook cells, the PDF pages of both print modes and
// the report.
void ExpectExports(const std::string& stem, const HistoryDataSet& history, const test::TempFolder& folder) {
    ExpectGolden(stem + ".txt", BuildTextExport(history));
    ExpectGolden(stem + ".csv", BuildCsvExport(history));

    const std::string xls = folder.File(stem + ".xls");
    const fleet::Exporter* workbook = fleet::ExporterRegistry::Instance().ForPath(xls);
    ASSERT_NE(workbook, nullptr);
    ASSERT_TRUE((*workbook)(history, xls, TemperatureUnit::Celsius));
    ExpectGolden(stem + ".xls.cells", WorkbookCells(xls));

    std::string pages;
    for (const PrintMode mode : {PrintMode::Curve, PrintMode::Text}) {
        const std::string pdf = folder.File(stem + (mode == PrintMode::Curve ? "-curve.pdf" : "-table.pdf"));
        PdfExportOptions options;
        options.mode = mode;
        const PdfExportResult written = ExportPdf(history, options, pdf);
        ASSERT_EQ(written.status, PdfExportStatus::Written) << written.message;
        pages += "== " + std::to_string(written.pages) + " pages\n" + PdfText(pdf);
    }
    ReportOptions report;
    report.withReadings = true;
    report.generated = history.samples.Time(0) + 86400;
    const std::string reportPdf = folder.File(stem + "-report.pdf");
    const ReportResult reported = ExportReportPdf(history, report, reportPdf);
    ASSERT_EQ(reported.status, ReportStatus::Written) << reported.message;
    pages += "== report, " + std::to_string(reported.pages) + " pages\n" + PdfText(reportPdf);
    ExpectGolden(stem + ".pdf.txt", pages);
}

class QuietSound final : public AlarmSound {
  public:
    int Play() override { return 0; }
};

// The same readings arriving live: the realtime data and alarm lists.
std::string RealtimeTexts(LoggerModel model) {
    const LoggerInfo info = InfoFor(model);
    test::ManualClock clock(0);
    SampleSeries series;
    CurveChart chart;
    RealtimeListModel dataList{ListKind::RealtimeData};
    RealtimeListModel alarmList{ListKind::RealtimeAlarm};
    QuietSound sound;
    AudibleAlarm alarm(sound);
    RealtimeMonitor monitor(info, clock, series, chart, dataList, alarmList, alarm);
    monitor.SetMonitoring(true);
    const std::time_t start = MakeLocalTime(2024, 3, 1, 23, 58, 50).value();
    for (int i = 0; i < kSamples; ++i)
        monitor.HandleReading(Value1(i), Value2(model, i), start + i * 7);
    return "-- realtime data list\n" + Cells(dataList) + "-- realtime alarm list\n" + Cells(alarmList);
}

std::string StemOf(LoggerModel model) {
    return std::string(Traits(model).shortName);
}

class GoldenHistory : public ::testing::TestWithParam<LoggerModel> {
  protected:
    void SetUp() override { fleet::EnsureGuiApplication(); }
    std::string Stem() const { return StemOf(GetParam()); }
};

TEST_P(GoldenHistory, DownloadPagesExportsAndDataFileMatchTheGoldenFiles) {
    const LoggerModel model = GetParam();
    const std::vector<std::uint8_t> raw = DownloadBytes(model);
    HistoryDataSet downloaded;
    const DownloadIngestResult result =
        IngestDownloadedHistory(raw, model, {true, true}, InfoFor(model), downloaded);
    ASSERT_EQ(result.sampleCount, kSamples);

    const std::string stem = Stem();
    ExpectGolden(stem + "-download.screen",
                 ScreenTexts(downloaded, &result) + "-- statistics\n" + StatisticsTexts(downloaded));
    test::TempFolder folder;
    ExpectExports(stem + "-download", downloaded, folder);

    // The data file, written with a fixed key seed, and the history it gives back.
    const std::string vdr = folder.File(stem + ".Vdr");
    const std::time_t saved = MakeLocalTime(2024, 3, 2, 9, 30, 0).value();
    ASSERT_TRUE(WriteDataFile(vdr, downloaded, saved));
    ExpectGolden(stem + ".Vdr", ReadAll(vdr));
    DataFileLoad load = LoadDataFile(vdr);
    ASSERT_TRUE(load.result) << load.result.reason;
    const HistoryDataSet& opened = *load.dataSet;
    ExpectGolden(stem + "-file.screen",
                 ScreenTexts(opened, nullptr) + "-- statistics\n" + StatisticsTexts(opened));
    ExpectExports(stem + "-file", opened, folder);

    ExpectGolden(stem + "-realtime.screen", RealtimeTexts(model));
}

INSTANTIATE_TEST_SUITE_P(Models, GoldenHistory,
                         ::testing::Values(LoggerModel::SingleTemperature, LoggerModel::TemperatureHumidity,
                                           LoggerModel::DualTemperature),
                         [](const ::testing::TestParamInfo<LoggerModel>& model) {
                             return StemOf(model.param);
                         });

}  // namespace
}  // namespace veldrin
