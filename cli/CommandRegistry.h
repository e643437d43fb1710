#pragma once
// Each subcommand of veldrin-cli lives in its own file and registers itself here with a static
// CommandRegistration object; main() asks the registry to add them all to the command line.
#include <functional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace veldrin::cli {

// Adds one subcommand to `app`. The callback it installs must store the exit status in `status`.
using CommandSetup = std::function<void(CLI::App& app, int& status)>;

class CommandRegistry {
  public:
    static CommandRegistry& Instance();
    void Add(std::string name, CommandSetup setup);
    // Adds every registered subcommand, in name order.
    void SetUp(CLI::App& app, int& status) const;

  private:
    std::vector<std::pair<std::string, CommandSetup>> commands_;
};

struct CommandRegistration {
    CommandRegistration(std::string name, CommandSetup setup) {
        CommandRegistry::Instance().Add(std::move(name), std::move(setup));
    }
};

// Runs veldrin-cli with the given arguments; returns the process exit status.
int RunCli(int argc, char** argv);

}  // namespace veldrin::cli
