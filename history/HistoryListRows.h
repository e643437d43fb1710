#pragma once
// The rows of the history data list and the history alarm list as texts: the column set for the
// recorded model and the shown channels, and the text of each cell, made when asked for from the
// history store so that 100000 rows cost nothing until they are shown or exported. The list
// models of the history pages and the workbook export both read their cells from here.
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/HistoryText.h"
#include "history/ListColumns.h"

namespace veldrin {

class HistoryListRows {
  public:
    // `kind` is ListKind::HistoryData or ListKind::HistoryAlarm; the columns start as
    // InitialColumns(kind), with no rows.
    explicit HistoryListRows(ListKind kind);

    // Lists samples 0 … count − 1 of `series` with the columns of `model` and `shown`. Alarm
    // texts compare with `limits` (lower test, then upper test, strict) and are written only when
    // `alarmTexts` is set. Temperatures are written in `unit`. With `dewPoint` the data list of a
    // temperature-humidity model showing both channels gets the computed dew point as its last
    // column. `series` must outlive the content, up to the next fill.
    void Fill(const SampleSeries& series, LoggerModel model, ChannelFlags shown, const HistoryLimits& limits,
              bool alarmTexts, TimeStyle timeStyle = TimeStyle::ZeroPadded,
              TemperatureUnit unit = TemperatureUnit::Celsius, bool dewPoint = false);

    ListKind Kind() const { return kind_; }
    const std::vector<ListColumn>& Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // The text of one cell; empty outside the list.
    std::string CellText(int row, int column) const;

  private:
    ListKind kind_;
    std::vector<ListColumn> columns_;
    const SampleSeries* series_ = nullptr;
    int rows_ = 0;
    LoggerModel model_ = LoggerModel::SingleTemperature;
    HistoryLimits limits_;
    bool alarmTexts_ = false;
    TimeStyle timeStyle_ = TimeStyle::ZeroPadded;
    TemperatureUnit unit_ = TemperatureUnit::Celsius;
};

// Whether the history pages list `history` as recorded with `model`: a two-channel model with
// neither channel shown lists nothing (the lists keep what they held).
bool ListsHistory(const HistoryDataSet& history, LoggerModel model);
// Fills `rows` from the record as the history pages do, with the record's samples, shown channels,
// limits and time style, temperatures in `unit`, the dew point with `dewPoint`; does nothing when
// ListsHistory is false.
void FillHistoryRows(const HistoryDataSet& history, LoggerModel model, bool alarmTexts, HistoryListRows& rows,
                     TemperatureUnit unit = TemperatureUnit::Celsius, bool dewPoint = false);

}  // namespace veldrin
