// obrinex: the wizard's work from a terminal. Parses the command line, runs the one command
// given and returns its status; the commands themselves live in a file each.
#include "frontends/cli/cli.h"

#include <algorithm>
#include <iostream>

namespace {

constexpr const char* kVersion = "obrinex " OBRINEX_VERSION;

// CLI11's messages, on one line.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    using namespace obrinex::cli;
    prepareConsole();
    auto host = makeHost();
    Context context{*host, std::cout, std::cerr};

    CLI::App app("Installs car mod packages into the game Zarvo, without a window.", "obrinex");
    app.set_version_flag("--version", kVersion);
    app.require_subcommand(1, 1);
    // A host path such as /home/me/pkg is an argument, not a Windows-style option; sub-commands
    // take this over from the parser when they are added.
    app.allow_windows_style_options(false);
    app.footer("Run 'obrinex COMMAND --help' for the options and an example of each command.");

    std::vector<Command> commands;
    for (AddCommand add : commandTable()) {
        commands.push_back(add(app, context));
    }

    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    if (arguments.empty()) {
        std::cerr << "obrinex: a command is needed (obrinex --help lists the commands)\n";
        return kUsage;
    }
    // CLI11 would take an unknown command for a stray argument and ask for a command instead.
    if (!arguments.front().starts_with("-") &&
        app.get_subcommands([&](CLI::App* command) { return command->get_name() == arguments.front(); })
            .empty()) {
        std::cerr << "obrinex: unknown command " << arguments.front()
                  << " (obrinex --help lists the commands)\n";
        return kUsage;
    }
    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::Success& success) {
        // --help and --version.
        return app.exit(success, std::cout, std::cerr);
    } catch (const CLI::ParseError& error) {
        std::cerr << "obrinex: " << oneLine(error.what()) << " (obrinex --help lists the commands)\n";
        return kUsage;
    }

    for (const Command& command : commands) {
        if (!command.parser->parsed()) {
            continue;
        }
        try {
            return command.run();
        } catch (const UsageError& error) {
            std::cerr << "obrinex: " << error.message << '\n';
            return kUsage;
        }
    }
    return kUsage;
}
