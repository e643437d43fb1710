#pragma once
// One logger's connection driven on the calling thread, as the command-line tool and the window's
// list of loggers run it: a stand-in for the user interface that hands the messages on, and a session
// that connects through the serial channel and runs the connection's 200 ms step in real time.
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "logger/DeviceConnection.h"
#include "logger/EventWaker.h"
#include "logger/QuietUi.h"
#include "logger/TemperatureUnit.h"
#include "serial/CommChannel.h"
#include "serial/TraceLink.h"

namespace veldrin::fleet {

// The port a user names: "3" is com3 (its device path from the environment, then the program's
// settings, then /dev/ttyUSB2); anything else is a device path, and the messages name it by it.
ChosenPort PortForArgument(const std::string& argument, const PortSources& sources);

// Messages, progress and status go to standard error, live readings to `onReading`; the port, the
// channels and the settings are the ones set here. The panel's other fields are not shown.
// With `onMessage` set (several loggers on one screen) the messages go there instead, and the
// progress and status texts are not printed.
class ConsoleUi final : public QuietUi {
  public:
    PortChoice choice;
    std::function<void(std::string_view)> onMessage;
    std::array<bool, 2> channels{true, true};
    PanelSettings panel;
    std::function<void(float, float, std::time_t)> onReading;
    std::string lastMessage;

    std::optional<PortChoice> ChoosePort() override { return choice; }
    void ShowMessage(std::string_view text) override;
    bool AskReconnect() override;
    std::optional<std::array<bool, 2>> ChooseHistoryChannels(LoggerModel) override { return channels; }
    bool ConfirmStartTime(std::time_t) override { return true; }
    void ShowProgress(int percent, std::string_view text) override;
    void SetStatusText(std::string_view text) override;
    PanelSettings ReadPanelSettings() override { return panel; }
    void RealtimeReading(float value1, float value2, std::time_t time) override;
    void EventsQueued() override { waker.Wake(); }

    // Lets the session take a complete history block as soon as the reader queued it.
    EventWaker waker;

    const std::string& Status() const { return status_; }
    // The last progress the connection showed (−2 before any).
    int LastPercent() const { return lastPercent_; }

  private:
    int lastPercent_ = -2;
    std::string lastProgressText_;
    std::string status_;
};

class LoggerSession {
  public:
    // With a `tracePath` every byte on the line is traced into that file.
    explicit LoggerSession(const std::string& tracePath = {});
    ~LoggerSession();

    // False (message printed) when the trace file cannot be written.
    bool TraceReady() const;

    // Connects to `port` (number or device path) expecting `model`, and waits until the logger
    // is identified and its parameters read. False (message printed) when that fails.
    bool Open(const std::string& port, LoggerModel model);
    // Runs the 200 ms step until `done` holds. False when the link was lost, the connection went
    // offline, `stop` was set, or `timeoutSeconds` passed (a negative timeout never ends).
    bool RunUntil(const std::function<bool()>& done, int timeoutSeconds,
                  const std::atomic<bool>* stop = nullptr);

    ConsoleUi& Ui() { return ui_; }
    LoggerInfo& Info() { return info_; }
    DeviceConnection& Connection() { return connection_; }

  private:
    SystemClock clock_;
    CommChannel channel_;
    std::unique_ptr<TraceLink> trace_;
    LoggerInfo info_;
    ConsoleUi ui_;
    DeviceConnection connection_;
};

// The panel as the connected logger's settings fill it (interval, limits, stop mode, title,
// description), with the recording to start at `start`; temperature limits written in `unit`.
PanelSettings PanelOfLogger(const LoggerInfo& info, std::time_t start,
                            TemperatureUnit unit = TemperatureUnit::Celsius);

}  // namespace veldrin::fleet
