#include "cli/CommandRegistry.h"

#include <QThread>

#include <algorithm>

#include "cli/RunLanguage.h"

namespace veldrin::cli {

CommandRegistry& CommandRegistry::Instance() {
    static CommandRegistry registry;
    return registry;
}

void CommandRegistry::Add(std::string name, CommandSetup setup) {
    commands_.emplace_back(std::move(name), std::move(setup));
}

void CommandRegistry::SetUp(CLI::App& app, int& status) const {
    auto sorted = commands_;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, setup] : sorted)
        setup(app, status);
}

int RunCli(int argc, char** argv) {
    // Qt takes the first thread that uses it for its main thread. A command that reads several
    // loggers first reaches Qt (the archive) on one logger's own thread, which ends long before
    // the program does; the thread that runs the command claims that role first.
    static_cast<void>(QThread::currentThread());
    CLI::App app{"veldrin-cli: talk to data loggers and read Veldrin data files"};
    app.set_version_flag("--version", std::string("veldrin-cli ") + VELDRIN_VERSION);
    app.require_subcommand(1);
    // The global options are taken after the command as well as before it.
    app.fallthrough();
    RunLanguage language;
    AddLanguageOption(app, language);
    int status = 0;
    CommandRegistry::Instance().SetUp(app, status);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    return status;
}

}  // namespace veldrin::cli
