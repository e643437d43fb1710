#pragma once
// The workbook folder's face: the worksheet export of Save, which writes the history summary list
// and the history alarm list into a new Excel 97–2003 workbook with the tables "汇总1" and "数据1"
// (and "数据2" for the rows past 50001; in English "Summary1", "Data1" and "Data2"). It reads the history
// record itself: the summary rows of history/SummaryRows.h and the alarm list rows of
// history/HistoryListRows.h, the same texts the summary page and the history alarm list show.
//
// The program uses these calls and nothing else of the folder:
//   ExportWorksheet      Save as .xls in the desktop program, `veldrin-cli export FILE OUT.xls`
//   WorksheetExportPath  (inside ExportWorksheet) the file name the save dialog's choice becomes
//   ExportXlsx           Save as .xlsx, `veldrin-cli export FILE OUT.xlsx` (libxlsxwriter)
// The spreadsheet class, the worksheet driver with its statements and the BIFF8 writer behind them
// are the folder's own; only its tests reach them.
#include <functional>
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "logger/Status.h"
#include "logger/TemperatureUnit.h"
#include "translations/Translation.h"

namespace veldrin {

// One list as it goes into the workbook: the column titles and the text of each cell, UTF-8.
struct WorksheetList {
    std::vector<std::string> titles;
    int rows = 0;
    std::function<std::string(int row, int column)> cell;
};

struct WorksheetExportMessage {
    std::string text;
    bool error = false;  // shown with the stop icon; otherwise a plain message box
};

struct WorksheetExportResult {
    bool written = false;                          // a new workbook now stands at the path
    std::string path;                              // where it was (or would have been) written
    std::vector<WorksheetExportMessage> messages;  // to show, in order
};

// The messages of the export, translated (context "Workbook") where they are given.
inline constexpr const char* kNoExcelMessage =
    QT_TRANSLATE_NOOP("Workbook", "没有安装Excel!\n请先安装Excel软件才能使用导出功能!");
inline constexpr const char* kSaveErrorMessage = QT_TRANSLATE_NOOP("Workbook", "文件保存出错");

// The workbook path for the path chosen in the save dialog: ".xls" appended unless the text after
// the last "." is exactly "xls".
std::string WorksheetExportPath(const std::string& chosenPath);

// Writes the summary list of `history` and its history alarm list as the history pages list it
// with the columns of `listModel` (the model the history was recorded with), alarm texts only
// with `alarmTexts`, temperatures in `unit`. A two-channel model with neither channel shown lists
// no alarm rows.
//
// Builds the whole workbook under a temporary name in the target's folder and renames it over the
// path only when both lists went in, so that a failure never leaves a half-written workbook in
// place of an earlier file. A path that is a symbolic link gets its target written; a replaced
// workbook keeps its permissions. A driver error gives "文件保存出错" with the driver's text.
WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const HistoryDataSet& history,
                                      LoggerModel listModel, bool alarmTexts,
                                      TemperatureUnit unit = TemperatureUnit::Celsius);
// The same for two lists given as they are, with the list of installed drivers given (each name
// NUL-terminated, an empty name last) as an installation without an Excel driver reports it, or
// the installed ones.
WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const WorksheetList& summaryList,
                                      const WorksheetList& alarmList);
WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const WorksheetList& summaryList,
                                      const WorksheetList& alarmList, const std::string& installedDrivers);

// The modern workbook (.xlsx): the readings as numbers, one row each, on sheets "读数1", "读数2", …
// ("Readings 1", … in English)
// of at most `rowsPerSheet` rows, the title row included (an .xlsx sheet holds 1 048 576): the
// index from 0, the time as a real date-time, the value of every channel with values under its name
// and unit, and each channel's alarm state, as the CSV export lists them. Before them the sheet
// "汇总" holds the summary rows, the period and the statistics per channel, and a line chart of the
// readings on the first readings sheet. Written beside the target and renamed over it when
// complete, as every save is.
inline constexpr int kXlsxRowsPerSheet = 1048576;
// Temperatures (readings, their titles, the summary and the statistics) are in `unit`.
Status ExportXlsx(const std::string& path, const HistoryDataSet& history,
                  int rowsPerSheet = kXlsxRowsPerSheet, TemperatureUnit unit = TemperatureUnit::Celsius);

}  // namespace veldrin
