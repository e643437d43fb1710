#pragma once
// Runs veldrin-cli in-process with the given arguments and captures what it prints. The runs
// speak English (the locale says so) unless a test names the locale itself (RunCommandIn).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"

namespace veldrin {

// The whole content of a file the command wrote (empty when it is missing).
inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

inline std::vector<char*> Argv(std::vector<std::string>& args) {
    args.insert(args.begin(), "veldrin-cli");
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    return argv;
}

// The locale variables a run takes its language from; those not named are unset.
using LocaleVariables = std::map<std::string, std::string>;

inline void SetLocale(const LocaleVariables& variables) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const auto found = variables.find(name);
        if (found == variables.end())
            ::unsetenv(name);
        else
            ::setenv(name, found->second.c_str(), 1);
    }
}

// The locale of the runs whose test does not name one: their messages are English.
inline const LocaleVariables kEnglishLocale{{"LANG", "en_US.UTF-8"}};

// Runs under the process's locale as it is.
inline CliRun RunCommandAsIs(std::vector<std::string> args) {
    std::vector<char*> argv = Argv(args);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    CliRun run;
    run.status = cli::RunCli(static_cast<int>(argv.size()), argv.data());
    std::fflush(stdout);
    std::fflush(stderr);
    run.out = testing::internal::GetCapturedStdout();
    run.err = testing::internal::GetCapturedStderr();
    return run;
}

// Runs under `locale`.
inline CliRun RunCommandIn(const LocaleVariables& locale, std::vector<std::string> args) {
    SetLocale(locale);
    return RunCommandAsIs(std::move(args));
}

inline CliRun RunCommand(std::vector<std::string> args) {
    return RunCommandIn(kEnglishLocale, std::move(args));
}

// Runs with standard output on /dev/full, which refuses every write as a full disk does; `out`
// stays empty.
inline CliRun RunCommandOntoAFullDisk(std::vector<std::string> args) {
    SetLocale(kEnglishLocale);
    std::vector<char*> argv = Argv(args);
    CliRun run;
    std::fflush(stdout);
    const int savedOut = dup(STDOUT_FILENO);
    const int full = open("/dev/full", O_WRONLY);
    if (savedOut < 0 || full < 0) {
        ADD_FAILURE() << "cannot point standard output at /dev/full";
        run.status = -1;
        return run;
    }
    dup2(full, STDOUT_FILENO);
    close(full);
    testing::internal::CaptureStderr();
    run.status = cli::RunCli(static_cast<int>(argv.size()), argv.data());
    std::fflush(stderr);
    run.err = testing::internal::GetCapturedStderr();
    std::fflush(stdout);
    dup2(savedOut, STDOUT_FILENO);
    close(savedOut);
    std::clearerr(stdout);
    return run;
}

}  // namespace veldrin
