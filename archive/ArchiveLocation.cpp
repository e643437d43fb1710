#include "archive/ArchiveLocation.h"

#include <cstdlib>

#include "archive/Database.h"

namespace veldrin::archive {

std::string ChooseLocation(const std::string& given, const std::string& configured) {
    if (!given.empty())
        return given;
    if (!configured.empty())
        return configured;
    const char* environment = std::getenv("VELDRIN_ARCHIVE");
    return environment != nullptr ? environment : "";
}

std::string DescribeLocation(const std::string& location) {
    if (location.empty())
        return "the default archive";
    try {
        return ParseLocation(location).Describe();
    } catch (const ArchiveError&) {
        return "the archive given";
    }
}

}  // namespace veldrin::archive
