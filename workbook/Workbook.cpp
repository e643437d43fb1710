#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <filesystem>

#include "files/SafeSave.h"
#include "history/HistoryListRows.h"
#include "history/SummaryRows.h"
#include "workbook/SpreadSheet.h"
#include "workbook/WorksheetDriver.h"

namespace veldrin {
namespace {

WorksheetExportMessage SaveError(const std::string& why) {
    return {QCoreApplication::translate("Workbook", kSaveErrorMessage).toStdString() + "\n" + why, true};
}

std::vector<std::string> Titles(const std::vector<ListColumn>& columns) {
    std::vector<std::string> titles;
    for (const ListColumn& column : columns)
        titles.push_back(column.header);
    return titles;
}

}  // namespace

std::string WorksheetExportPath(const std::string& chosenPath) {
    const auto slash = chosenPath.rfind('/');
    const auto dot = chosenPath.rfind('.');
    const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return hasDot && chosenPath.substr(dot + 1) == "xls" ? chosenPath : chosenPath + ".xls";
}

WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const HistoryDataSet& history,
                                      LoggerModel listModel, bool alarmTexts, TemperatureUnit unit) {
    const std::vector<SummaryRow> summaryRows = SummaryListRows(history, unit);
    const WorksheetList summary{Titles(SummaryListColumns()), static_cast<int>(summaryRows.size()),
                                [&summaryRows](int row, int column) {
                                    const SummaryRow& r = summaryRows[static_cast<std::size_t>(row)];
                                    return column == 0 ? r.name : r.value;
                                }};
    HistoryListRows alarmRows(ListKind::HistoryAlarm);
    FillHistoryRows(history, listModel, alarmTexts, alarmRows, unit);
    const WorksheetList alarms{Titles(alarmRows.Columns()), alarmRows.Rows(),
                               [&alarmRows](int row, int column) { return alarmRows.CellText(row, column); }};
    return ExportWorksheet(chosenPath, summary, alarms);
}

WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const WorksheetList& summaryList,
                                      const WorksheetList& alarmList) {
    return ExportWorksheet(chosenPath, summaryList, alarmList, InstalledDriverList());
}

WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const WorksheetList& summaryList,
                                      const WorksheetList& alarmList, const std::string& installedDrivers) {
    WorksheetExportResult result;
    result.path = WorksheetExportPath(chosenPath);
    const auto target = ResolveSaveTarget(result.path);
    if (!target) {
        result.messages.push_back(SaveError("cannot follow the symbolic link " + result.path));
        return result;
    }
    ScratchFolder scratch(*target);
    if (!scratch.Ok()) {
        result.messages.push_back(SaveError(scratch.Error()));
        return result;
    }
    const std::string workbook = scratch.File("workbook.xls");

    const std::string summaryName = QCoreApplication::translate("Workbook", "汇总").toStdString();
    const std::string dataName = QCoreApplication::translate("Workbook", "数据").toStdString();
    CSpreadSheet sheet(workbook, summaryName, true, installedDrivers);
    bool failed = false;
    for (auto [list, name] : {std::pair{&summaryList, &summaryName}, std::pair{&alarmList, &dataName}}) {
        const ExportListResult exported = sheet.ExportList(*list, *name, workbook);
        if (exported.outcome == ExportListOutcome::NoExcelDriver)
            result.messages.push_back(
                {QCoreApplication::translate("Workbook", kNoExcelMessage).toStdString(), false});
        if (exported.outcome == ExportListOutcome::Failed) {
            result.messages.push_back(SaveError(exported.driverText));
            failed = true;
            break;
        }
    }
    if (failed || !std::filesystem::exists(workbook))
        return result;
    if (Status moved = MoveIntoPlace(workbook, *target); !moved) {
        result.messages.push_back(SaveError(moved.reason));
        return result;
    }
    result.written = true;
    return result;
}

}  // namespace veldrin
