#pragma once
// The program's profile (its settings file): the recent-file list and the port map entries.
#include <QSettings>
#include <functional>
#include <memory>

#include "serial/PortMap.h"

namespace veldrin {

// ~/.config/Veldrin/应用程序向导生成的本地应用程序.conf
std::unique_ptr<QSettings> OpenProfile();

using ProfileOpener = std::function<std::unique_ptr<QSettings>()>;

// Looks up the profile entry "ports/com<N>" for port N. Each lookup opens the profile afresh, so
// the lookup may run on any thread and sees edits made while the program runs.
PortProfileLookup ProfilePortLookup(ProfileOpener open = OpenProfile);

}  // namespace veldrin
