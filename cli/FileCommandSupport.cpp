#include "cli/FileCommandSupport.h"

#include <cstdio>

namespace veldrin::cli {

std::optional<DataFileLoad> LoadForCommand(const std::string& path) {
    DataFileLoad load = LoadDataFile(path);
    if (!load.result) {
        std::fprintf(stderr, "%s %s: %s\n", std::string(kFileErrorText).c_str(), path.c_str(),
                     load.result.reason.c_str());
        return std::nullopt;
    }
    return load;
}

}  // namespace veldrin::cli
