#pragma once
// The details of the audit events about a logger's settings, the same whichever program wrote them.
#include <string>
#include <vector>

#include "archive/ArchiveTypes.h"
#include "logger/LoggerInfo.h"

namespace veldrin::archive {

// Each setting the logger holds after a write (`after`) that differs from what it held before.
std::vector<FieldChange> SettingsChanges(const LoggerInfo& before, const LoggerInfo& after);

// The detail of a start-recording event: {"start":…,"startsItself":…}.
std::string StartRecordingDetail(const LoggerInfo& after);

}  // namespace veldrin::archive
