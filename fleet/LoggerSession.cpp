#include "fleet/LoggerSession.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "logger/ConnectionTexts.h"
#include "logger/TextFormat.h"

namespace veldrin::fleet {

ChosenPort PortForArgument(const std::string& argument, const PortSources& sources) {
    bool number = !argument.empty() && argument.size() < 4 &&
                  argument.find_first_not_of("0123456789") == std::string::npos;
    if (number && std::atoi(argument.c_str()) > 0)
        return ComPort(std::atoi(argument.c_str()), sources);
    return ChosenPort{argument, 0};
}

void ConsoleUi::ShowMessage(std::string_view text) {
    lastMessage = text;
    if (onMessage) {
        onMessage(text);
        return;
    }
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

bool ConsoleUi::AskReconnect() {
    ShowMessage(texts::Translated(texts::kReconnectQuestion));
    return false;
}

void ConsoleUi::ShowProgress(int percent, std::string_view text) {
    if (percent == lastPercent_ && text == lastProgressText_)
        return;
    lastPercent_ = percent;
    lastProgressText_ = text;
    if (!text.empty() && !onMessage)
        std::fprintf(stderr, "%.*s %d%%\n", static_cast<int>(text.size()), text.data(), percent);
}

void ConsoleUi::SetStatusText(std::string_view text) {
    if (text == status_)
        return;
    status_ = text;
    if (!onMessage && text.find_first_not_of(' ') != std::string_view::npos)
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

void ConsoleUi::RealtimeReading(float value1, float value2, std::time_t time) {
    if (onReading)
        onReading(value1, value2, time);
}

LoggerSession::LoggerSession(const std::string& tracePath)
    : trace_(tracePath.empty() ? nullptr : std::make_unique<TraceLink>(channel_, tracePath)),
      connection_(trace_ ? static_cast<Link&>(*trace_) : static_cast<Link&>(channel_), clock_, info_, ui_,
                  ui_) {
    connection_.SetBackgroundConnect(false);
}

bool LoggerSession::TraceReady() const {
    if (trace_ && !trace_->Ok()) {
        std::fprintf(stderr, "%s\n", trace_->Error().c_str());
        return false;
    }
    return true;
}

LoggerSession::~LoggerSession() = default;

bool LoggerSession::Open(const std::string& port, LoggerModel model) {
    ui_.choice = PortChoice{PortForArgument(port, PortSources::OfProcess()), false, model};
    // A failure has been reported by the connection's message (device path and reason included).
    if (!connection_.Connect(ui_.choice))
        return false;
    return RunUntil([&] { return connection_.CurrentPhase() == Phase::Polling; }, 60);
}

bool LoggerSession::RunUntil(const std::function<bool()>& done, int timeoutSeconds,
                             const std::atomic<bool>* stop) {
    auto next = std::chrono::steady_clock::now();
    auto deadline = next + std::chrono::seconds(timeoutSeconds);
    while (!done()) {
        if (!connection_.Online() || (stop && stop->load()))
            return false;
        if (timeoutSeconds >= 0 && std::chrono::steady_clock::now() > deadline) {
            ui_.ShowMessage(texts::Translated(texts::kLinkTimeout));
            return false;
        }
        connection_.OnTimer();
        next += std::chrono::milliseconds(DeviceConnection::kTimerMs);
        ui_.waker.RunQueuedUntil(connection_, next);
    }
    return true;
}

PanelSettings PanelOfLogger(const LoggerInfo& info, std::time_t start, TemperatureUnit unit) {
    PanelSettings panel;
    panel.temperatureUnit = unit;
    SetStartTime(panel, start);
    panel.intervalHours = info.interval / 3600;
    panel.intervalMinutes = info.interval / 60 % 60;
    panel.intervalSeconds = info.interval % 60;
    panel.stopMode = info.stopMode;
    const auto whole = [](float value, TemperatureUnit shown) {
        return LimitTextInUnit(static_cast<int>(value), shown);
    };
    const TemperatureUnit unit2 = Traits(info.model).channel2IsHumidity ? TemperatureUnit::Celsius : unit;
    panel.channel1Lower = whole(info.channel1Alarm.lower, unit);
    panel.channel1Upper = whole(info.channel1Alarm.upper, unit);
    panel.channel2Lower = whole(info.channel2Alarm.lower, unit2);
    panel.channel2Upper = whole(info.channel2Alarm.upper, unit2);
    panel.title = info.title;
    panel.description = info.description;
    return panel;
}

}  // namespace veldrin::fleet
