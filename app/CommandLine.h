#pragma once
// The options of the desktop program, answered before any window exists, so that `veldrin --help`
// and `veldrin --version` work without a display.
#include <QString>
#include <QStringList>
#include <optional>

#include "translations/Language.h"

namespace veldrin {

// When the command line holds options (--help, --version or an unknown one), answers them on
// standard output or standard error and returns the exit status; otherwise nothing, and the program
// starts its window with the data file named first on the command line.
// --archive LOCATION and --lang zh|en are not answered: the window starts with them (a --lang
// other than zh or en is refused here).
std::optional<int> AnswerOptions(int argc, char* argv[]);

// What the window starts with: the data file named first, the archive given by --archive (both
// empty when not given) and the language given by --lang.
struct WindowArguments {
    QString file;
    QString archive;
    std::optional<Language> language;
};
WindowArguments ReadWindowArguments(const QStringList& arguments);

}  // namespace veldrin
