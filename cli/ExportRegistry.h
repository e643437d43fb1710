#pragma once
// The writers of `veldrin-cli export`, chosen by the output file's extension. Each writer lives
// in its own file under cli/ and registers itself with a static ExporterRegistration, e.g.
//     const ExporterRegistration kXls{"xls", "Excel workbook", [](const HistoryDataSet& h,
//                                     const std::string& path, TemperatureUnit unit) { … }};
// A writer of a file format that holds °C (the data file, the text export) leaves the unit aside.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/SafeSave.h"
#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

namespace veldrin::cli {

using Exporter =
    std::function<Status(const HistoryDataSet& history, const std::string& path, TemperatureUnit unit)>;

class ExporterRegistry {
  public:
    static ExporterRegistry& Instance();
    // `extension` without the dot; matching ignores case.
    void Add(std::string extension, std::string description, Exporter exporter);
    // The writer for the extension of `path` (after its last "."), or nullptr.
    const Exporter* ForPath(std::string_view path) const;
    // The extension the writer for `path` is registered under (lower case), or "" when none is.
    std::string FormatOf(std::string_view path) const;
    // "txt (text export), vdr (data file), …" for messages and help.
    std::string Describe() const;

  private:
    struct Entry {
        std::string extension;  // lower case
        std::string description;
        Exporter exporter;
    };
    std::vector<Entry> entries_;
};

struct ExporterRegistration {
    ExporterRegistration(std::string extension, std::string description, Exporter exporter) {
        ExporterRegistry::Instance().Add(std::move(extension), std::move(description), std::move(exporter));
    }
};

}  // namespace veldrin::cli
