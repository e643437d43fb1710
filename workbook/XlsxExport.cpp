// The .xlsx workbook, written with libxlsxwriter in its constant-memory mode: rows go to disk as
// they are written, so a history of a million readings needs no more memory than a small one.
#include <xlsxwriter.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "files/CsvExport.h"
#include "files/DataFileFields.h"
#include "files/SafeSave.h"
#include "history/HistoryStatistics.h"
#include "history/StatisticsText.h"
#include "history/SummaryRows.h"
#include "workbook/Workbook.h"

namespace veldrin {
namespace {

constexpr const char* kTimeFormat = "yyyy-mm-dd hh:mm:ss";

struct BookCloser {
    void operator()(lxw_workbook* book) const { workbook_close(book); }
};
using BookHandle = std::unique_ptr<lxw_workbook, BookCloser>;

lxw_datetime LocalDateTime(std::time_t time) {
    std::tm parts{};
    localtime_r(&time, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     static_cast<double>(parts.tm_sec)};
}

std::string ReadingsSheetName(int number) {
    return QCoreApplication::translate("XlsxExport", "读数%1").arg(number).toStdString();
}

// A text of the workbook marked QT_TRANSLATE_NOOP("XlsxExport", …), in the language of the run.
std::string XlsxText(const char* source) {
    return QCoreApplication::translate("XlsxExport", source).toStdString();
}

// Collects the first error of a run of library calls.
class Calls {
  public:
    void operator()(lxw_error error) {
        if (error != LXW_NO_ERROR && first_ == LXW_NO_ERROR)
            first_ = error;
    }
    lxw_error First() const { return first_; }

  private:
    lxw_error first_ = LXW_NO_ERROR;
};

// The summary rows, then the period, then the figures per channel, in columns A and B (C for the
// second channel's figures), as the summary and statistics pages show them.
void WriteSummary(lxw_worksheet* sheet, const HistoryDataSet& history, TemperatureUnit unit, lxw_format* bold,
                  Calls& call) {
    lxw_row_t row = 0;
    call(worksheet_write_string(sheet, row, 0, XlsxText(QT_TRANSLATE_NOOP("XlsxExport", "名称")).c_str(),
                                bold));
    call(
        worksheet_write_string(sheet, row, 1, XlsxText(QT_TRANSLATE_NOOP("XlsxExport", "值")).c_str(), bold));
    for (const SummaryRow& summary : SummaryRows(history, unit)) {
        ++row;
        call(worksheet_write_string(sheet, row, 0, summary.name.c_str(), nullptr));
        call(worksheet_write_string(sheet, row, 1, summary.value.c_str(), nullptr));
    }
    if (history.samples.Count() == 0)
        return;
    const HistoryStatistics statistics = StatisticsInUnit(ComputeStatistics(history), unit);
    row += 2;
    call(worksheet_write_string(sheet, row, 0, XlsxText(QT_TRANSLATE_NOOP("XlsxExport", "统计")).c_str(),
                                bold));
    for (const NamedText& period : PeriodRows(statistics.period)) {
        ++row;
        call(worksheet_write_string(sheet, row, 0, period.name.c_str(), nullptr));
        call(worksheet_write_string(sheet, row, 1, period.text.c_str(), nullptr));
    }
    ++row;
    // The first figure row, "通道", names each channel's column.
    for (const FigureRow& figure : FigureRows(statistics)) {
        ++row;
        call(worksheet_write_string(sheet, row, 0, figure.name.c_str(), nullptr));
        for (std::size_t i = 0; i < figure.texts.size(); ++i) {
            call(worksheet_write_string(sheet, row, static_cast<lxw_col_t>(1 + i), figure.texts[i].c_str(),
                                        nullptr));
        }
    }
}

// A line chart of the readings on the first readings sheet, placed beside the summary.
void AddChart(lxw_workbook* book, lxw_worksheet* summary, const HistoryDataSet& history,
              const std::vector<int>& channels, lxw_row_t lastRow, Calls& call) {
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
    if (chart == nullptr) {
        call(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return;
    }
    const std::string sheet = ReadingsSheetName(1);
    for (std::size_t i = 0; i < channels.size(); ++i) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        const auto column = static_cast<lxw_col_t>(2 + i);
        chart_series_set_categories(series, sheet.c_str(), 1, 1, lastRow, 1);
        chart_series_set_values(series, sheet.c_str(), 1, column, lastRow, column);
        chart_series_set_name_range(series, sheet.c_str(), 0, column);
        lxw_chart_line line{};
        line.color = i == 0 ? LXW_COLOR_RED : LXW_COLOR_BLUE;
        line.width = 1.0F;
        chart_series_set_line(series, &line);
    }
    const std::string title =
        history.summary.title.substr(0, history.summary.title.find_last_not_of(' ') + 1);
    if (!title.empty())
        chart_title_set_name(chart, title.c_str());
    chart_axis_set_num_format(chart->x_axis, kTimeFormat);
    lxw_chart_options place{};
    place.x_scale = 2.0;
    place.y_scale = 1.5;
    call(worksheet_insert_chart_opt(summary, 1, 4, chart, &place));
}

}  // namespace

Status ExportXlsx(const std::string& path, const HistoryDataSet& history, int rowsPerSheet,
                  TemperatureUnit unit) {
    if (rowsPerSheet < 2 || rowsPerSheet > kXlsxRowsPerSheet)
        return Status::Failure(
            QCoreApplication::translate("XlsxExport", "工作表的行数必须在 2 到 1048576 之间").toStdString());
    const std::optional<std::string> target = ResolveSaveTarget(path);
    if (!target)
        return Status::Failure(QCoreApplication::translate("XlsxExport", "无法解析符号链接：%1")
                                   .arg(QString::fromStdString(path))
                                   .toStdString());
    ScratchFolder scratch(*target);
    if (!scratch.Ok())
        return Status::Failure(scratch.Error());
    const std::string built = scratch.File("workbook.xlsx");

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    BookHandle book(workbook_new_opt(built.c_str(), &options));
    if (book == nullptr)
        return Status::Failure(QCoreApplication::translate("XlsxExport", "无法创建工作簿 %1")
                                   .arg(QString::fromStdString(built))
                                   .toStdString());
    Calls call;
    lxw_format* bold = workbook_add_format(book.get());
    format_set_bold(bold);
    lxw_format* timeFormat = workbook_add_format(book.get());
    format_set_num_format(timeFormat, kTimeFormat);
    lxw_format* valueFormat = workbook_add_format(book.get());
    format_set_num_format(valueFormat, "0.00");

    const std::vector<int> channels = ExportedChannels(history);
    const SampleSeries& samples = history.samples;
    const int count = samples.Count();
    const int perSheet = rowsPerSheet - 1;

    lxw_worksheet* summary =
        workbook_add_worksheet(book.get(), XlsxText(QT_TRANSLATE_NOOP("XlsxExport", "汇总")).c_str());
    call(worksheet_set_column(summary, 0, 0, 16, nullptr));
    call(worksheet_set_column(summary, 1, 2, 22, nullptr));
    WriteSummary(summary, history, unit, bold, call);
    if (count > 0 && !channels.empty())
        AddChart(book.get(), summary, history, channels, static_cast<lxw_row_t>(std::min(count, perSheet)),
                 call);

    // At least one readings sheet, with its title row, even for a history without readings.
    const int sheets = std::max(1, (count + perSheet - 1) / perSheet);
    for (int number = 1; number <= sheets; ++number) {
        lxw_worksheet* sheet = workbook_add_worksheet(book.get(), ReadingsSheetName(number).c_str());
        if (sheet == nullptr)
            return Status::Failure(QCoreApplication::translate("XlsxExport", "无法添加工作表 %1")
                                       .arg(QString::fromStdString(ReadingsSheetName(number)))
                                       .toStdString());
        call(worksheet_set_column(sheet, 0, 0, 9, nullptr));
        call(worksheet_set_column(sheet, 1, 1, 20, nullptr));
        if (!channels.empty())
            call(
                worksheet_set_column(sheet, 2, static_cast<lxw_col_t>(1 + 2 * channels.size()), 12, nullptr));
        call(worksheet_write_string(sheet, 0, 0, XlsxText(QT_TRANSLATE_NOOP("XlsxExport", "索引")).c_str(),
                                    bold));
        call(worksheet_write_string(sheet, 0, 1, XlsxText(QT_TRANSLATE_NOOP("XlsxExport", "时间")).c_str(),
                                    bold));
        for (std::size_t i = 0; i < channels.size(); ++i) {
            const auto column = static_cast<lxw_col_t>(2 + i);
            call(worksheet_write_string(sheet, 0, column,
                                        ChannelColumnTitle(history, channels[i], unit).c_str(), bold));
            call(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column + channels.size()),
                                        AlarmColumnTitle(history, channels[i]).c_str(), bold));
        }
        const int first = (number - 1) * perSheet;
        const int end = std::min(count, first + perSheet);
        const AlarmStateTexts states = ShownAlarmStates();
        for (int i = first; i < end; ++i) {
            const auto row = static_cast<lxw_row_t>(i - first + 1);
            call(worksheet_write_number(sheet, row, 0, i, nullptr));
            lxw_datetime time = LocalDateTime(samples.Time(i));
            call(worksheet_write_datetime(sheet, row, 1, &time, timeFormat));
            for (std::size_t c = 0; c < channels.size(); ++c) {
                const float value = channels[c] == 1 ? samples.Value1(i) : samples.Value2(i);
                const auto column = static_cast<lxw_col_t>(2 + c);
                // The figure shown with two decimals is the number stored: 21.3 and not 21.299999.
                const float shown = ExportedValue(history, channels[c], value, unit);
                call(worksheet_write_number(sheet, row, column,
                                            std::strtod(FormatFixed2(shown).c_str(), nullptr), valueFormat));
                const std::string& state = CsvAlarmState(history, channels[c], value, states);
                if (!state.empty()) {
                    call(worksheet_write_string(sheet, row, static_cast<lxw_col_t>(column + channels.size()),
                                                state.c_str(), nullptr));
                }
            }
        }
    }
    if (call.First() != LXW_NO_ERROR)
        return Status::Failure(QCoreApplication::translate("XlsxExport", "工作簿写入出错：%1")
                                   .arg(QString::fromUtf8(lxw_strerror(call.First())))
                                   .toStdString());
    const lxw_error closed = workbook_close(book.release());
    if (closed != LXW_NO_ERROR)
        return Status::Failure(QCoreApplication::translate("XlsxExport", "工作簿保存出错：%1")
                                   .arg(QString::fromUtf8(lxw_strerror(closed)))
                                   .toStdString());
    return MoveIntoPlace(built, *target);
}

}  // namespace veldrin
