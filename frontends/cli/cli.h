// The command line's shared pieces: the host it runs on, what a command is given, and the
// table of commands. A command is one file that adds its sub-command to the parser and returns
// what runs it; commands.cpp lists them.
#pragma once

#include "frontends/common/json_line.h"
#include "games/game_finder.h"
#include "platform/platform.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace obrinex::cli {

// Exit statuses.
inline constexpr int kDone = 0;
inline constexpr int kProblems = 1;
inline constexpr int kUsage = 2;

// A usage error found after parsing (a folder that cannot be used, no or several game folders):
// one line on standard error, status 2, nothing changed.
struct UsageError {
    std::string message; // UTF-8
};

// What differs between Linux and Windows; frontends/cli/posix and frontends/cli/win32.
class Host {
  public:
    virtual ~Host() = default;
    virtual FileSystem& files() = 0;
    // The game folders the game's registry record names on this host.
    virtual FinderResult findGames() = 0;
    // The program's folder text (Windows-1252, closing separator) for a folder given on the
    // command line (UTF-8, relative ones from the working folder); nothing when the program's
    // code page cannot spell it.
    virtual std::optional<std::string> programFolder(const std::string& hostPath) = 0;
};

std::unique_ptr<Host> makeHost();
// The arguments after the program name, UTF-8.
std::vector<std::string> commandLineArguments(int argc, char** argv);
// Standard output takes UTF-8 (the Windows console is told so).
void prepareConsole();

struct Context {
    Host& host;
    std::ostream& out;
    std::ostream& err;
};

// A command: its sub-command of the parser, and what runs it once parsed (the exit status).
struct Command {
    CLI::App* parser = nullptr;
    std::function<int()> run;
};
// Adds a command's sub-command and options to the parser.
using AddCommand = Command (*)(CLI::App& app, Context& context);

// The commands in the order --help lists them.
const std::vector<AddCommand>& commandTable();

Command addCarsCommand(CLI::App& app, Context& context);
Command addInspectCommand(CLI::App& app, Context& context);
Command addGamesCommand(CLI::App& app, Context& context);
Command addLogCommand(CLI::App& app, Context& context);
Command addInstallCommand(CLI::App& app, Context& context);
Command addRestoreCommand(CLI::App& app, Context& context);
Command addVerifyCommand(CLI::App& app, Context& context);

// The --json flag every command has.
void addJsonFlag(CLI::App& command, bool& json);

// Prints one JSON object and a line end.
void printJson(std::ostream& out, const Json& value);

// A path below the game or the package folder as JSON and the texts show it: "/" between
// names, UTF-8.
std::string relativeJsonPath(std::string relative);

// The package folder given on the command line, as the program's folder text.
std::string packageFolderArgument(Context& context, const std::string& hostPath);

// The game folder of a command: `--game DIR` when given, else the one existing folder that
// the host's registry records name. UsageError when there is none or more than one.
std::string gameFolderArgument(Context& context, const std::optional<std::string>& option);
// Adds --game DIR to a command.
void addGameOption(CLI::App& command, std::optional<std::string>& game);

} // namespace obrinex::cli
