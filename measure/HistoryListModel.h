#pragma once
// The history data list and the history alarm list. A fill replaces the whole content in one
// model reset; the columns and cell texts are those of history/HistoryListRows.h, made when asked
// for from the history store.
#include "history/HistoryListRows.h"
#include "logger/WireCodec.h"
#include "measure/TextTableModel.h"

namespace veldrin {

class HistoryListModel final : public TextTableModel {
    Q_OBJECT

  public:
    // `kind` is ListKind::HistoryData or ListKind::HistoryAlarm.
    explicit HistoryListModel(ListKind kind, QObject* parent = nullptr);

    // Lists samples 0 … count − 1 of `series` with the columns of `model` and `shown`. Alarm
    // texts compare with `limits` (lower test, then upper test, strict) and are written only when
    // `alarmTexts` is set. `series` must outlive the content, up to the next fill.
    // Times are written in `timeStyle` and temperatures in `unit` when a row is shown; the data
    // list adds the computed dew point with `dewPoint` (see HistoryListRows::Fill).
    void Fill(const SampleSeries& series, LoggerModel model, ChannelFlags shown, const HistoryLimits& limits,
              bool alarmTexts, TimeStyle timeStyle = TimeStyle::ZeroPadded,
              TemperatureUnit unit = TemperatureUnit::Celsius, bool dewPoint = false);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString CellText(int row, int column) const override;

  private:
    HistoryListRows rows_;
};

}  // namespace veldrin
