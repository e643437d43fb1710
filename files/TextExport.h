#pragma once
// The text export: a history as a readable GBK text file with CR LF line ends, a block of
// labelled header lines, a column heading and one row per sample. Single-temperature histories
// get the one-channel layout, temperature-humidity and dual-temperature histories the
// two-channel layout.
#include <string>

#include "files/SafeSave.h"
#include "history/HistoryDataSet.h"

namespace veldrin {

enum class TextLayout { OneChannel, TwoChannel };

TextLayout TextLayoutFor(LoggerModel model);
// The whole file as it is written.
std::string BuildTextExport(const HistoryDataSet& dataSet);
// Writes the export to `path`, replacing an existing file only when everything was written.
Status WriteTextExport(const std::string& path, const HistoryDataSet& dataSet);

}  // namespace veldrin
