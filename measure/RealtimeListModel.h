#pragma once
// The realtime data list and the realtime alarm list: one row per accepted reading, appended as
// it arrives. A list holds at most as many rows as the realtime store; past that it stops adding
// rows and overwrites the texts of its rows from the top (list full).
#include <array>
#include <ctime>
#include <vector>

#include "history/SampleSeries.h"
#include "logger/LoggerInfo.h"
#include "logger/TemperatureUnit.h"
#include "measure/TextTableModel.h"

namespace veldrin {

class RealtimeListModel final : public TextTableModel {
    Q_OBJECT

  public:
    static constexpr int kMaxColumns = 6;

    // `kind` is ListKind::RealtimeData or ListKind::RealtimeAlarm.
    explicit RealtimeListModel(ListKind kind, QObject* parent = nullptr);

    // Adds the row of the reading just stored at the newest index of `series`: its time, channel 1
    // from the store, channel 2 from the store's current value 2, and (alarm list) the alarm texts
    // against the decoded limits of `info`. `now` is the time the first row of a recording shows.
    void AppendReading(const SampleSeries& series, const LoggerInfo& info, std::time_t now);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString CellText(int row, int column) const override;
    // The alarm list paints a row red whose reading is beyond a limit.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Whether row `row` carries an alarm text.
    bool RowAlarms(int row) const;

    // Writes the temperatures of every row, and of the rows to come, in `unit`.
    void SetUnit(TemperatureUnit unit);

    int RowCounter() const { return rowCounter_; }
    bool ListFull() const { return listFull_; }

  private:
    using Row = std::array<QString, kMaxColumns>;
    // What a row's texts are written from.
    struct RowReading {
        LoggerModel model = LoggerModel::SingleTemperature;
        float value1 = 0;
        float value2 = 0;
        std::time_t time = 0;
        AlarmLimits limits1;
        AlarmLimits limits2;
    };

    void ClearRows();
    // The time, value and alarm cells of `row` (not its number).
    void WriteCells(Row& row, const RowReading& reading) const;

    ListKind kind_;
    std::vector<Row> rows_;
    std::vector<RowReading> readings_;  // one per row
    TemperatureUnit unit_ = TemperatureUnit::Celsius;
    int rowCounter_ = 0;
    bool listFull_ = false;
};

}  // namespace veldrin
