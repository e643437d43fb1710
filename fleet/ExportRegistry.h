#pragma once
// The writers a history can be saved with, chosen by the file's extension: the data file, text,
// CSV, the workbooks and the printed pages (StandardWriters.cpp), for `veldrin-cli export`, the
// fleet downloads and the window's list of loggers alike.
// A writer of a file format that holds °C (the data file, the text export) leaves the unit aside.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/SafeSave.h"
#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"
#include "print/PdfExport.h"

namespace veldrin::fleet {

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

// Adds the writers every program has to `registry`; Instance() holds them from its first use.
void AddStandardWriters(ExporterRegistry& registry);

// How the "pdf" writer shapes its pages (mode, page count, time range, archive mark); a program
// sets it before writing, e.g. from its options. Its default prints the curve of the whole history.
PdfExportOptions& PdfWriterOptions();

// Whether the "csv" writer adds the computed dew point of a temperature-humidity history; a
// program sets it before writing. Off by default.
bool& CsvWriterDewPoint();

}  // namespace veldrin::fleet
