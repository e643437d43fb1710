#pragma once
// The printed pages of a history written as a PDF file, without a window: the same pages the
// print preview prints.
#include <ctime>
#include <optional>
#include <string>

#include "history/HistoryDataSet.h"
#include "print/PrintJob.h"
#include "print/PrintSelection.h"

namespace veldrin {

struct PdfExportOptions {
    PrintMode mode = PrintMode::Curve;
    int curvePages = kMinCurvePages;  // 2..10; other numbers are brought into range as the dialog does
    std::optional<std::time_t> from = std::nullopt;  // first sample's time when not given
    std::optional<std::time_t> to = std::nullopt;    // last sample's time when not given
    // The entry number and hash prefix of an archived history, printed at the foot of every page;
    // empty for a history that is not archived, whose pages stay as they always were.
    std::string archiveMark = {};
    TemperatureUnit unit = TemperatureUnit::Celsius;  // of every temperature the pages show
};

enum class PdfExportStatus { Written, EmptyHistory, StartOutsideHistory, StopOutsideHistory, CannotWrite };

struct PdfExportResult {
    PdfExportStatus status = PdfExportStatus::Written;
    int pages = 0;
    std::string message;  // what went wrong, empty when written
};

// Writes every page of `options.mode` to `path`. Needs a QGuiApplication (fonts).
PdfExportResult ExportPdf(const HistoryDataSet& history, const PdfExportOptions& options,
                          const std::string& path);
// Writes every page of `job` to `path` as a printer would print them (the print preview's job when
// no printer is installed); a failure leaves an existing file as it was.
PdfExportResult WritePdfPages(const PrintJob& job, const std::string& path);

}  // namespace veldrin
