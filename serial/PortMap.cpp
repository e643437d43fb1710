#include "serial/PortMap.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

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

// The device paths of the named ports; port kFirstNamedPort + i stands for paths[i].
struct NamedPorts {
    std::mutex mutex;
    std::vector<std::string> paths;
};

NamedPorts& Named() {
    static NamedPorts named;
    return named;
}

// Where `path` finally leads, or the path itself when it leads nowhere.
std::string Resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved.string();
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

int PortForDevicePath(const std::string& devicePath) {
    NamedPorts& named = Named();
    std::lock_guard lock(named.mutex);
    auto found = std::find(named.paths.begin(), named.paths.end(), devicePath);
    if (found == named.paths.end()) {
        found = named.paths.insert(named.paths.end(), devicePath);
    }
    return kFirstNamedPort + static_cast<int>(found - named.paths.begin());
}

bool IsNamedPort(int port) {
    NamedPorts& named = Named();
    std::lock_guard lock(named.mutex);
    return port >= kFirstNamedPort && port - kFirstNamedPort < static_cast<int>(named.paths.size());
}

std::vector<int> PortsForDevicePaths(const std::vector<std::string>& devicePaths) {
    std::vector<int> ports;
    for (const std::string& path : devicePaths) {
        ports.push_back(PortForDevicePath(path));
    }
    return ports;
}

std::vector<std::string> PathsBesideComPorts(const std::vector<std::string>& devicePaths) {
    std::set<std::string> comDevices;
    for (int port = 1; port <= 8; ++port) {
        comDevices.insert(Resolved(DevicePathForPort(port)));
    }
    std::vector<std::string> beside;
    for (const std::string& path : devicePaths) {
        if (comDevices.count(Resolved(path)) == 0) {
            beside.push_back(path);
        }
    }
    return beside;
}

std::string DevicePathForPort(int port) {
    if (port >= kFirstNamedPort) {
        NamedPorts& named = Named();
        std::lock_guard lock(named.mutex);
        const auto index = static_cast<std::size_t>(port - kFirstNamedPort);
        if (index < named.paths.size()) {
            return named.paths[index];
        }
    }
    if (auto path = FromEnvironment(port)) {
        return *path;
    }
    if (auto path = FromProfile(port)) {
        return *path;
    }
    return "/dev/ttyUSB" + std::to_string(port - 1);
}

}  // namespace veldrin
