#include "workbook/Workbook.h"

#include <filesystem>

#include "files/SafeSave.h"
#include "workbook/SpreadSheet.h"
#include "workbook/WorksheetDriver.h"

namespace veldrin {
namespace {

WorksheetExportMessage SaveError(const std::string& why) {
    return {std::string(kSaveErrorMessage) + "\n" + why, true};
}

}  // namespace

std::string WorksheetExportPath(const std::string& chosenPath) {
    const auto slash = chosenPath.rfind('/');
    const auto dot = chosenPath.rfind('.');
    const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return hasDot && chosenPath.substr(dot + 1) == "xls" ? chosenPath : chosenPath + ".xls";
}

WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const QAbstractItemModel& summaryList,
                                      const QAbstractItemModel& alarmList) {
    return ExportWorksheet(chosenPath, summaryList, alarmList, InstalledDriverList());
}

WorksheetExportResult ExportWorksheet(const std::string& chosenPath, const QAbstractItemModel& summaryList,
                                      const QAbstractItemModel& alarmList,
                                      const std::string& installedDrivers) {
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

    CSpreadSheet sheet(workbook, "汇总", true, installedDrivers);
    bool failed = false;
    for (auto [list, name] : {std::pair{&summaryList, "汇总"}, std::pair{&alarmList, "数据"}}) {
        const ExportListResult exported = sheet.ExportList(*list, name, workbook);
        if (exported.outcome == ExportListOutcome::NoExcelDriver)
            result.messages.push_back({kNoExcelMessage, false});
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
