#pragma once
// Runs veldrin-cli in-process with the given arguments and captures what it prints.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
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

inline CliRun RunCommand(std::vector<std::string> args) {
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

// Runs with standard output on /dev/full, which refuses every write as a full disk does; `out`
// stays empty.
inline CliRun RunCommandOntoAFullDisk(std::vector<std::string> args) {
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
