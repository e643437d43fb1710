#include "files/WorksheetExport.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "files/SpreadSheet.h"

namespace veldrin {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A private folder beside the target, removed with its content when the export ends.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& target) {
        std::string pattern = FolderOf(target) + "/.veldrin-export-XXXXXX";
        if (mkdtemp(pattern.data())) {
            path_ = pattern;
        } else {
            error_ = std::strerror(errno);
        }
    }
    ~ScratchFolder() {
        if (path_.empty())
            return;
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::string& Error() const { return error_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
    std::string error_;
};

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
                                      const QAbstractItemModel& alarmList,
                                      const std::string& installedDrivers) {
    WorksheetExportResult result;
    result.path = WorksheetExportPath(chosenPath);
    ScratchFolder scratch(result.path);
    if (!scratch.Ok()) {
        result.messages.push_back(
            SaveError("cannot write in " + FolderOf(result.path) + ": " + scratch.Error()));
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
    if (std::rename(workbook.c_str(), result.path.c_str()) != 0) {
        result.messages.push_back(SaveError("cannot replace " + result.path + ": " + std::strerror(errno)));
        return result;
    }
    result.written = true;
    return result;
}

}  // namespace veldrin
