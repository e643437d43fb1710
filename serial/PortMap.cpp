#include "serial/PortMap.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>

namespace veldrin {
std::string ResolvedDevicePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved.string();
}

namespace {

// A source's answer, with an empty text counting as no answer.
std::optional<std::string> Named(std::optional<std::string> path) {
    if (path && path->empty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

PortSources PortSources::OfProcess(PortProfileLookup profile) {
    PortSources sources;
    sources.environment = [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };
    sources.profile = std::move(profile);
    return sources;
}

std::string DevicePathForPort(int port, const PortSources& sources) {
    if (sources.environment) {
        if (auto path = Named(sources.environment("VELDRIN_COM" + std::to_string(port)))) {
            return *path;
        }
    }
    if (sources.profile) {
        if (auto path = Named(sources.profile(port))) {
            return *path;
        }
    }
    return "/dev/ttyUSB" + std::to_string(port - 1);
}

std::vector<std::string> PathsBeside(const std::vector<std::string>& devicePaths,
                                     const std::vector<std::string>& comPaths) {
    std::set<std::string> comDevices;
    for (const std::string& path : comPaths) {
        comDevices.insert(ResolvedDevicePath(path));
    }
    std::vector<std::string> beside;
    for (const std::string& path : devicePaths) {
        if (comDevices.count(ResolvedDevicePath(path)) == 0) {
            beside.push_back(path);
        }
    }
    return beside;
}

}  // namespace veldrin
