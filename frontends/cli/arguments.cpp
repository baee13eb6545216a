// What several commands share: the --json flag and its printer, and the package and game
// folders given on the command line.
#include "frontends/cli/cli.h"

#include <algorithm>
#include <ostream>

namespace obrinex::cli {

void addJsonFlag(CLI::App& command, bool& json) {
    command.add_flag("--json", json, "Print one JSON object on standard output and nothing else");
}

void printJson(std::ostream& out, const Json& value) {
    out << jsonLine(value) << '\n';
}

std::string relativeJsonPath(std::string relative) {
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return cp1252ToUtf8(relative);
}

std::string packageFolderArgument(Context& context, const std::string& hostPath) {
    auto folder = context.host.programFolder(hostPath);
    if (!folder) {
        throw UsageError{"the package folder " + hostPath + " has a name that the program cannot spell"};
    }
    return *folder;
}

void addGameOption(CLI::App& command, std::optional<std::string>& game) {
    command
        .add_option_function<std::string>(
            "--game", [&game](const std::string& folder) { game = folder; },
            "The game folder (default: the one that 'obrinex games' finds)")
        ->type_name("DIR");
}

std::string gameFolderArgument(Context& context, const std::optional<std::string>& option) {
    if (option) {
        if (option->empty()) {
            throw UsageError{"--game needs a folder"};
        }
        auto folder = context.host.programFolder(*option);
        if (!folder) {
            throw UsageError{"the game folder " + *option + " has a name that the program cannot spell"};
        }
        return *folder;
    }
    FinderResult found = context.host.findGames();
    for (const std::string& warning : found.warnings) {
        context.err << "obrinex: warning: " << warning << '\n';
    }
    std::vector<std::string> existing;
    std::string named;
    for (const FoundGame& game : found.games) {
        const std::string shown = game.folder ? *game.folder : cp1252ToUtf8(game.record);
        named += (named.empty() ? "" : ", ") + shown + (game.exists ? "" : " (missing)");
        if (game.exists) {
            existing.push_back(*game.folder);
        }
    }
    if (existing.size() == 1) {
        return gameFolderArgument(context, existing.front());
    }
    if (found.games.empty()) {
        throw UsageError{"no game folder found in the registry records; give one with --game DIR"};
    }
    throw UsageError{(existing.empty() ? "no existing game folder found (" : "several game folders found (") +
                     named + "); give one with --game DIR"};
}

} // namespace obrinex::cli
