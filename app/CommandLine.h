#pragma once
// The options of the desktop program, answered before any window exists, so that `veldrin --help`
// and `veldrin --version` work without a display.
#include <QString>
#include <optional>

#include "translations/Language.h"

namespace veldrin {

// What the command line asks of the window.
struct WindowOptions {
    QString file;                      // the data file to open first, if any
    std::optional<Language> language;  // --lang zh|en
};

// Answers --help, --version and a wrong command line on standard output or standard error and
// returns the exit status; otherwise nothing, and `options` says how the window starts.
std::optional<int> AnswerOptions(int argc, char* argv[], WindowOptions& options);

}  // namespace veldrin
