// obrinex games: the game folders that the game's registry record names, in every Wine prefix
// on Linux, in the registry on Windows.
#include "frontends/cli/cli.h"

#include <memory>
#include <ostream>

namespace obrinex::cli {

namespace {

struct GamesOptions {
    bool json = false;
};

Json orNull(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

int runGames(Context& context, const GamesOptions& options) {
    const FinderResult found = context.host.findGames();
    for (const std::string& warning : found.warnings) {
        context.err << "obrinex: warning: " << warning << '\n';
    }
    if (options.json) {
        Json games = Json::array();
        for (const FoundGame& game : found.games) {
            games.push_back(Json{{"folder", orNull(game.folder)},
                                 {"record", jsonText(game.record)},
                                 {"prefix", orNull(game.prefix)},
                                 {"exists", game.exists}});
        }
        printJson(context.out, Json{{"games", games}});
        return kDone;
    }
    if (found.games.empty()) {
        context.out << "No game folder found: no registry record of the game.\n";
    }
    for (const FoundGame& game : found.games) {
        const std::string record = cp1252ToUtf8(game.record);
        context.out << (game.folder ? *game.folder : record + " (its drive has no folder)")
                    << (game.exists || !game.folder ? "" : " (missing)") << '\n';
        context.out << "    record " << record;
        if (game.prefix) {
            context.out << " in the prefix " << *game.prefix;
        }
        context.out << '\n';
    }
    return kDone;
}

} // namespace

Command addGamesCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<GamesOptions>();
    CLI::App* command = app.add_subcommand("games", "The game folders that the game's registry record names");
    addJsonFlag(*command, options->json);
    command->footer(
        "On Linux every Wine prefix is read: $WINEPREFIX, ~/.wine, the Proton prefixes of every Steam\n"
        "library, Lutris' ~/Games/*, and the bottles of Bottles (native and Flatpak). A command without\n"
        "--game uses the one existing folder found here.\n\n"
        "Example:\n  obrinex games     lists each folder with the record and the prefix it came from");
    return {command, [&context, options] { return runGames(context, *options); }};
}

} // namespace obrinex::cli
