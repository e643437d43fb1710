#pragma once
// An archive entry written out as the window's exports write a history, the format chosen by the
// name's extension: .Vdr (an imported file as the very bytes imported), .txt, .csv, .xlsx, and .pdf
// (the report, with the entry's mark in its footer). The export is added to the entry's trail.
#include <QString>

#include "archive/Archive.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

// The file dialog's filters, one per format.
QStringList EntryExportFilters();

// Writes `entry` of `archive` to `path`, temperatures in `unit` (the data file and the text export
// keep their °C); returns the reason when nothing was written, else "".
// Throws archive::ArchiveError when the archive cannot give the entry or record the export.
QString ExportEntry(archive::Archive& archive, const archive::EntrySummary& entry, const QString& path,
                    TemperatureUnit unit = TemperatureUnit::Celsius);

}  // namespace veldrin
