#pragma once
// The program's profile (its settings file): the recent-file list, the port map entries and the
// archive.
#include <QSettings>
#include <functional>
#include <memory>
#include <string>

#include "serial/PortMap.h"

namespace veldrin {

// ~/.config/Veldrin/应用程序向导生成的本地应用程序.conf
std::unique_ptr<QSettings> OpenProfile();

// The profile entry "archive/location": the archive a team shares (a postgresql:// URL or a SQLite
// file), or "" when the profile names none.
std::string ProfileArchiveLocation(const QSettings& profile);

using ProfileOpener = std::function<std::unique_ptr<QSettings>()>;

// Looks up the profile entry "ports/com<N>" for port N. Each lookup opens the profile afresh, so
// the lookup may run on any thread and sees edits made while the program runs.
PortProfileLookup ProfilePortLookup(ProfileOpener open = OpenProfile);

}  // namespace veldrin
