#include "serial/PortMap.h"

#include <cstdlib>
#include <mutex>
#include <utility>

namespace veldrin {
namespace {

// The installed settings lookup; guarded because the connection may open ports from a worker thread
// while the program installs or removes the lookup.
struct ProfileHook {
    std::mutex mutex;
    PortProfileLookup lookup;
};

ProfileHook& Hook() {
    static ProfileHook hook;
    return hook;
}

std::optional<std::string> FromEnvironment(int port) {
    const std::string name = "VELDRIN_COM" + std::to_string(port);
    const char* value = std::getenv(name.c_str());
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> FromProfile(int port) {
    PortProfileLookup lookup;
    {
        std::lock_guard lock(Hook().mutex);
        lookup = Hook().lookup;
    }
    if (!lookup) {
        return std::nullopt;
    }
    std::optional<std::string> path = lookup(port);
    if (path && path->empty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

void SetPortProfileLookup(PortProfileLookup lookup) {
    std::lock_guard lock(Hook().mutex);
    Hook().lookup = std::move(lookup);
}

std::string DevicePathForPort(int port) {
    if (auto path = FromEnvironment(port)) {
        return *path;
    }
    if (auto path = FromProfile(port)) {
        return *path;
    }
    return "/dev/ttyUSB" + std::to_string(port - 1);
}

}  // namespace veldrin
