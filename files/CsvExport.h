#pragma once
// The CSV export: a history as spreadsheet programs and scripts read it. UTF-8 with a byte-order
// mark (so that spreadsheets take a Chinese header as UTF-8), CR LF line ends, one header row
// with the channel names and units, then one row per reading: its index, its time in ISO 8601
// with the local offset from UTC, the value of every channel with values (two decimals, a dot as
// the decimal separator: the figures `veldrin-cli dump` prints), and each channel's alarm state.
#include <string>
#include <vector>

#include "files/SafeSave.h"
#include "history/HistoryDataSet.h"
#include "logger/TemperatureUnit.h"

namespace veldrin {

// The alarm state of a reading: "正常" within the limits, "低于下限" / "高于上限" beyond one
// (a reading equal to a limit is within it); empty when the history's alarm is off. In the
// language of the run, the three texts looked up once for a whole export.
struct AlarmStateTexts {
    std::string normal;
    std::string below;
    std::string above;
};
AlarmStateTexts ShownAlarmStates();
const std::string& CsvAlarmState(const HistoryDataSet& history, int channel, float value,
                                 const AlarmStateTexts& states);
std::string CsvAlarmState(const HistoryDataSet& history, int channel, float value);
// The channels the export lists, in order: those with values (1, 2).
std::vector<int> ExportedChannels(const HistoryDataSet& history);
// A channel's column title: its name and unit, "温度 (°C)" ("温度 (°F)" in °F); and its alarm
// column's, "温度报警". The header is in the language of the run.
std::string ChannelColumnTitle(const HistoryDataSet& history, int channel,
                               TemperatureUnit unit = TemperatureUnit::Celsius);
std::string AlarmColumnTitle(const HistoryDataSet& history, int channel);
// A reading of `channel` as the exports list it: a temperature in `unit`, a humidity as it is.
float ExportedValue(const HistoryDataSet& history, int channel, float value, TemperatureUnit unit);
// Whether the export lists the computed dew point when asked to: a temperature-humidity history
// with values in both channels.
bool ExportsDewPoint(const HistoryDataSet& history);
// The whole file as it is written, temperatures in `unit`. With `dewPoint` (and ExportsDewPoint)
// the computed dew point follows the recorded values under "露点(计算) (°C)".
std::string BuildCsvExport(const HistoryDataSet& history, TemperatureUnit unit = TemperatureUnit::Celsius,
                           bool dewPoint = false);
// Writes the export to `path`, replacing an existing file only when everything was written.
Status WriteCsvExport(const std::string& path, const HistoryDataSet& history,
                      TemperatureUnit unit = TemperatureUnit::Celsius, bool dewPoint = false);

}  // namespace veldrin
