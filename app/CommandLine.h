#pragma once
// The options of the desktop program, answered before any window exists, so that `veldrin --help`
// and `veldrin --version` work without a display.
#include <QString>
#include <QStringList>
#include <optional>

namespace veldrin {

// When the command line holds options (--help, --version or an unknown one), answers them on
// standard output or standard error and returns the exit status; otherwise nothing, and the program
// starts its window with the data file named first on the command line.
// --archive LOCATION alone is not answered: the window starts with it.
std::optional<int> AnswerOptions(int argc, char* argv[]);

// What the window starts with: the data file named first, and the archive given by --archive
// (both empty when not given).
struct WindowArguments {
    QString file;
    QString archive;
};
WindowArguments ReadWindowArguments(const QStringList& arguments);

}  // namespace veldrin
