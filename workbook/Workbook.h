#pragma once
// The workbook folder's face: the worksheet export of Save, which writes the history summary list
// and the history alarm list, as the pages show them, into a new Excel 97–2003 workbook with the
// tables "汇总1" and "数据1" (and "数据2" for the rows past 50001).
//
// The program uses these calls and nothing else of the folder:
//   ExportWorksheet      Save as .xls in the desktop program, `veldrin-cli export FILE OUT.xls`
//   WorksheetExportPath  (inside ExportWorksheet) the file name the save dialog's choice becomes
// The spreadsheet class, the worksheet driver with its statements and the BIFF8 writer behind them
// are the folder's own; only its tests reach them.
#include <string>
#include <vector>

class QAbstractItemModel;

namespace veldrin {

struct WorksheetExportMessage {
    std::string text;
    bool error = false;  // shown with the stop icon; otherwise a plain message box
};

struct WorksheetExportResult {
    bool written = false;                          // a new workbook now stands at the path
    std::string path;                              // where it was (or would have been) written
    std::vector<WorksheetExportMessage> messages;  // to show, in order
};

inline constexpr const char* kNoExcelMessage = "没有安装Excel!\n请先安装Excel软件才能使用导出功能!";
inline constexpr const char* kSaveErrorMessage = "文件保存出错";

// The workbook path for the path chosen in the save dialog: ".xls" appended unless the text after
// the last "." is exactly "xls".
std::string WorksheetExportPath(const std::string& chosenPath);

// Builds the whole workbook under a temporary name in the target's folder and renames it over the
// path only when both lists went in, so that a failure never leaves a half-written workbook in
// place of an earlier file. A path that is a symbolic link gets its target written; a replaced
// workbook keeps its permissions. A driver error gives "文件保存出错" with the driver's text.
WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const QAbstractItemModel& summaryList,
                                      const QAbstractItemModel& alarmList);
// The same with the list of installed drivers given (each name NUL-terminated, an empty name
// last), as an installation without an Excel driver reports it.
WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const QAbstractItemModel& summaryList,
                                      const QAbstractItemModel& alarmList,
                                      const std::string& installedDrivers);

}  // namespace veldrin
