#include "cli/FileCommandSupport.h"
#include "translations/Translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace veldrin::cli {

std::optional<DataFileLoad> LoadForCommand(const std::string& path) {
    DataFileLoad load = LoadDataFile(path);
    if (!load.result) {
        std::fprintf(stderr, "%s %s: %s\n", FileText(kFileErrorText).c_str(), path.c_str(),
                     load.result.reason.c_str());
        return std::nullopt;
    }
    return load;
}

void AddUnitOption(CLI::App& command, TemperatureUnit& unit) {
    command
        .add_option_function<std::string>(
            "--unit", [&unit](const std::string& letter) { unit = *ParseTemperatureUnit(letter); },
            "temperatures in C (°C, default) or F (°F)")
        ->check(CLI::IsMember({"C", "F", "c", "f"}));
}

namespace {

// What a command writes, named in the language of the run.
std::string TranslatedWhat(const char* what) {
    return text::translate("veldrin-cli", what);
}

}  // namespace

int PrintProduct(std::string_view text, const char* command, const char* what) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) != 0 || !written) {
        std::fprintf(stderr,
                     text::translate("veldrin-cli", "%s: cannot write %s to standard output: %s\n").c_str(),
                     command, TranslatedWhat(what).c_str(), std::strerror(errno));
        return kFileFailureStatus;
    }
    return 0;
}

}  // namespace veldrin::cli
