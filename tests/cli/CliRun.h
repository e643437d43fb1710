#pragma once
// Runs veldrin-cli in-process with the given arguments and captures what it prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CommandRegistry.h"

namespace veldrin {

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

inline CliRun RunCommand(std::vector<std::string> args) {
    args.insert(args.begin(), "veldrin-cli");
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
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

}  // namespace veldrin
