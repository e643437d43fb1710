#pragma once
// The window's logger work in the archive's trail: a connect and the logger's identity once it
// answers, every settings write (each changed field's old and new value) with the start of the
// recording it sets up, and a stop. It watches the connection after each step, so that every path
// that reaches the logger is recorded in one place.
#include <QString>
#include <functional>
#include <optional>

#include "archive/ArchiveTypes.h"
#include "logger/DeviceConnection.h"
#include "logger/LoggerInfo.h"

namespace veldrin {

class WindowArchive;

class LoggerAudit {
  public:
    // `say` shows why an event was not recorded. The others must outlive this object.
    LoggerAudit(WindowArchive& archive, const LoggerInfo& info, const DeviceConnection& connection,
                const Link& link, std::function<void(const QString&)> say);

    // The panel's settings are about to be applied: what the logger holds now is the "before".
    void SettingsAsked();
    // Whether the connection took them for writing.
    void SettingsTaken(bool taken);
    // The panel asked the logger to stop recording.
    void StopAsked();
    // Records what changed since the last call: a connection come up, a settings write finished.
    void Observe();

  private:
    void Record(archive::EventKind kind, const std::string& detail);

    WindowArchive& archive_;
    const LoggerInfo& info_;
    const DeviceConnection& connection_;
    const Link& link_;
    std::function<void(const QString&)> say_;
    bool online_ = false;
    std::optional<LoggerInfo> asked_;
    std::optional<LoggerInfo> before_;
    bool writeBegun_ = false;
};

}  // namespace veldrin
