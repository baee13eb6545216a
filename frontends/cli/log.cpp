// obrinex log: the replacement log of a game folder.
#include "frontends/cli/cli.h"
#include "session/replacement_log.h"

#include <memory>
#include <ostream>

namespace obrinex::cli {

namespace {

struct LogOptions {
    std::optional<std::string> game;
    bool json = false;
};

int runLog(Context& context, const LogOptions& options) {
    const std::string game = gameFolderArgument(context, options.game);
    // A folder found without --game exists; a mistyped one would otherwise read as an empty log.
    if (options.game && !context.host.files().directoryExists(game)) {
        context.err << "obrinex: warning: there is no folder " << *options.game << '\n';
    }
    const ReplacementLog log = readReplacementLog(context.host.files(), game);
    for (const std::string& failure : log.failures) {
        context.err << "obrinex: " << cp1252ToUtf8(failure) << '\n';
    }
    if (options.json) {
        Json rows = Json::array();
        for (const LogEntry& entry : log.rows) {
            rows.push_back(Json{{"car", jsonText(entry.car)},
                                {"replaced", jsonText(entry.replaced)},
                                {"id", jsonText(entry.id)},
                                {"imageIndex", entry.imageIndex},
                                {"maps", entry.maps ? jsonTexts(*entry.maps) : Json(nullptr)}});
        }
        printJson(context.out, Json{{"rows", rows}});
    } else if (log.failures.empty()) {
        if (log.rows.empty()) {
            context.out << "The replacement log is empty.\n";
        }
        for (const LogEntry& entry : log.rows) {
            std::string line = entry.id + "  " + entry.car + "  (in place of " + entry.replaced + ")";
            if (entry.maps) {
                line += "  maps:";
                for (const std::string& map : *entry.maps) {
                    line += " " + map;
                }
            }
            context.out << cp1252ToUtf8(line) << '\n';
        }
    }
    return log.failures.empty() ? kDone : kProblems;
}

} // namespace

Command addLogCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<LogOptions>();
    CLI::App* command =
        app.add_subcommand("log", "The replacement log of a game folder: which car replaced which");
    addGameOption(*command, options->game);
    addJsonFlag(*command, options->json);
    command->footer(
        "Example:\n  obrinex log --game ~/.wine/drive_c/Games/Zarvo     one line per replaced car");
    return {command, [&context, options] { return runLog(context, *options); }};
}

} // namespace obrinex::cli
