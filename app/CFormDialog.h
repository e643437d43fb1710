#pragma once
// The realtime panel: the connected logger's status and settings, the alarm-limit pages, the
// description, the start and stop buttons, and the realtime curve and lists in tabs. It does not
// talk to the logger: the connection writes into it and reads the settings back from it.
#include <QWidget>
#include <cstdint>
#include <ctime>
#include <functional>
#include <utility>

#include "app/PanelPages.h"

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;

namespace veldrin {

class WarnDialog;
class WarnDialog2;

class CFormDialog : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kLongestInterval = 65535;

    // `alarmEnable` is the logger's alarm-enable flag, shared by both alarm pages; it must outlive
    // the panel. The panel takes ownership of the pages.
    CFormDialog(std::uint8_t& alarmEnable, const RealtimePages& pages, QWidget* parent = nullptr);

    // Enables or disables, all together, the fields the user may edit and the read-only status
    // fields that go with them.
    void SetSettingsEnabled(bool enabled);

    void SetTitle(const QString& text);
    QString Title() const;
    void SetInstrumentName(const QString& text);
    void SetWorkingState(const QString& text);
    void SetVoltageState(const QString& text);
    void SetRecordedAmount(const QString& text);
    void SetCapacity(const QString& text);
    void SetDescription(const QString& text);
    QString Description() const;

    // The programmed start: date picker and time-of-day picker together, local time.
    void SetStartTime(std::time_t time);
    std::time_t StartTime() const;
    // The recording interval: hours × 3600 + minutes × 60 + seconds of the picker, at most 65535.
    void SetIntervalSeconds(int seconds);
    int IntervalSeconds() const;
    // The stop mode as the logger reports it (0 stop when full, 1 cyclic); shown as "记满即停".
    void SetStopModeIndex(int index) { stopModeIndex_ = index; }
    int StopModeIndex() const { return stopModeIndex_; }

    // Channel 1 or 2.
    void SetLimits(int channel, int upper, int lower);
    int UpperLimit(int channel) const;
    int LowerLimit(int channel) const;
    // Writes the shared alarm-enable flag and shows it on both alarm pages.
    void SetAlarmEnabled(bool enabled);
    std::uint8_t AlarmEnableFlag() const { return alarmEnable_; }
    // Captions of the alarm tabs; a logger with one channel shows only the first tab.
    void SetAlarmTabCaptions(const QString& channel1, const QString& channel2, bool twoChannels);

    void SetStartButtonEnabled(bool enabled);
    void SetStopButtonEnabled(bool enabled);
    // "启动记录" calls the start handler; when it reports that the start sequence has begun, only
    // "停止记录" stays enabled. "停止记录" enables "启动记录", disables itself and calls the stop
    // handler.
    void SetStartHandler(std::function<bool()> handler) { startHandler_ = std::move(handler); }
    void SetStopHandler(std::function<void()> handler) { stopHandler_ = std::move(handler); }

    // Shows or hides the recorded-amount box (hidden while the history view is up).
    void ShowRecordedAmount(bool shown);

    QTabWidget* DataTabs() const { return dataTabs_; }
    QTabWidget* AlarmTabs() const { return alarmTabs_; }
    WarnDialog* Channel1Page() const;
    WarnDialog* Channel2Page() const;
    QPushButton* StartButton() const { return startButton_; }
    QPushButton* StopButton() const { return stopButton_; }
    QLineEdit* TitleBox() const { return title_; }
    QTimeEdit* IntervalPicker() const { return interval_; }

  private:
    QWidget* CreateStatusGroup();
    QWidget* CreateSettingsGroup();
    QWidget* CreateAlarmTabs();
    QWidget* CreateDescriptionGroup();
    QWidget* CreateButtons();
    void AlarmTabChanged(int index);
    void StartClicked();
    void StopClicked();
    void KeepTitleShort();
    void KeepDescriptionShort();

    std::uint8_t& alarmEnable_;
    int stopModeIndex_ = 0;
    std::function<bool()> startHandler_;
    std::function<void()> stopHandler_;

    QLineEdit* title_ = nullptr;
    QLineEdit* instrumentName_ = nullptr;
    QLineEdit* workingState_ = nullptr;
    QLineEdit* voltageState_ = nullptr;
    QDateEdit* startDate_ = nullptr;
    QTimeEdit* startTimeOfDay_ = nullptr;
    QTimeEdit* interval_ = nullptr;
    QLineEdit* stopMode_ = nullptr;
    QLineEdit* recordedAmount_ = nullptr;
    QLineEdit* capacity_ = nullptr;
    QTabWidget* alarmTabs_ = nullptr;
    WarnDialog* channel1Page_ = nullptr;
    WarnDialog2* channel2Page_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QTabWidget* dataTabs_ = nullptr;
};

}  // namespace veldrin
