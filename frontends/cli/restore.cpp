// obrinex restore and obrinex verify: car rows put back as the game had them, from the game
// folder's ledger, and the game folder compared with it.
#include "carlog/log_rows.h"
#include "frontends/cli/cli.h"
#include "ledger/ledger_folder.h"
#include "text/cp1252.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace obrinex::cli {

namespace {

struct RestoreOptions {
    std::optional<std::string> game;
    std::vector<int> cars;
    bool all = false;
    bool force = false;
    bool dryRun = false;
    bool json = false;
};

// The game folder's ledger; status 1 with the reason when it cannot be read.
std::optional<Ledger> loadLedger(Context& context, LedgerFolder& folder) {
    std::string problem;
    auto ledger = folder.load(problem);
    if (!ledger) {
        context.err << "obrinex: " << cp1252ToUtf8(problem) << '\n';
    }
    return ledger;
}

CurrentContent contentsOf(FileSystem& files, const std::string& game) {
    return [&files, game](const std::string& path) { return files.fingerprintFile(game + path); };
}

int runRestore(Context& context, const RestoreOptions& options) {
    const std::string game = gameFolderArgument(context, options.game);
    FileSystem& files = context.host.files();
    LedgerFolder folder(files, game);
    const auto ledger = loadLedger(context, folder);
    if (!ledger) {
        return kProblems;
    }
    const std::set<int> held = ledger->rows();
    std::set<int> rows;
    if (options.all) {
        rows = held;
    } else {
        for (int row : options.cars) {
            if (held.count(row) == 0) {
                throw UsageError{"the ledger holds nothing for row " + std::to_string(row)};
            }
            rows.insert(row);
        }
    }

    const RestorePlan plan = planRestore(*ledger, rows, contentsOf(files, game), options.force);
    // A row leaves the log once no layer serves it any more (a refused file keeps its rows).
    const std::set<int> still = plan.after.rows();
    std::set<int> gone;
    for (int row : rows) {
        if (still.count(row) == 0) {
            gone.insert(row);
        }
    }

    Json steps = Json::array();
    for (const RestoreStep& step : plan.steps) {
        steps.push_back(Json{{"action", step.action == RestoreStep::Action::Remove ? "remove" : "restore"},
                             {"path", relativeJsonPath(step.path)}});
    }
    Json refused = Json::array();
    for (const RestoreRefusal& refusal : plan.refused) {
        refused.push_back(Json{{"path", relativeJsonPath(refusal.path)}, {"reason", refusal.reason}});
    }
    bool done = false;
    std::vector<std::string> failures;
    if (!options.dryRun) {
        const RestoreOutcome outcome = carryOutRestore(folder, *ledger, plan);
        for (const RestoreRefusal& failed : outcome.failed) {
            failures.push_back(relativeJsonPath(failed.path) + ": " + cp1252ToUtf8(failed.reason));
        }
        if (!outcome.ledgerError.empty()) {
            failures.push_back(cp1252ToUtf8(outcome.ledgerError));
        }
        const LogRemoval removal = removeLogRows(files, game, gone);
        if (!removal.error.empty()) {
            failures.push_back(cp1252ToUtf8(removal.error));
        }
        done = failures.empty();
    }
    Json log = Json::array();
    for (int row : gone) {
        log.push_back(Json{{"row", row}, {"action", "removed"}});
    }

    if (options.json) {
        printJson(context.out, Json{{"plan", steps}, {"refused", refused}, {"log", log}, {"done", done}});
    } else {
        for (const RestoreStep& step : plan.steps) {
            context.out << (step.action == RestoreStep::Action::Remove ? "remove  " : "restore ")
                        << relativeJsonPath(step.path) << '\n';
        }
        for (int row : gone) {
            context.out << (options.dryRun ? "would take row " : "took row ") << row << " out of the log\n";
        }
        if (rows.empty()) {
            context.out << "The ledger holds no installation.\n";
        }
    }
    for (const RestoreRefusal& refusal : plan.refused) {
        context.err << "obrinex: left alone: " << relativeJsonPath(refusal.path) << " (" << refusal.reason
                    << "; --force puts it back all the same)\n";
    }
    for (const std::string& failure : failures) {
        context.err << "obrinex: failed: " << failure << '\n';
    }
    return plan.refused.empty() && failures.empty() ? kDone : kProblems;
}

struct VerifyOptions {
    std::optional<std::string> game;
    bool json = false;
};

int runVerify(Context& context, const VerifyOptions& options) {
    const std::string game = gameFolderArgument(context, options.game);
    FileSystem& files = context.host.files();
    LedgerFolder folder(files, game);
    const auto ledger = loadLedger(context, folder);
    if (!ledger) {
        return kProblems;
    }
    const Verification result = verifyLedger(*ledger, contentsOf(files, game));
    Json changed = Json::array(), missing = Json::array();
    for (const std::string& path : result.changed) {
        changed.push_back(relativeJsonPath(path));
    }
    for (const std::string& path : result.missing) {
        missing.push_back(relativeJsonPath(path));
    }
    if (options.json) {
        printJson(context.out, Json{{"changed", changed}, {"missing", missing}});
    } else {
        for (const std::string& path : result.changed) {
            context.out << "changed " << relativeJsonPath(path) << '\n';
        }
        for (const std::string& path : result.missing) {
            context.out << "missing " << relativeJsonPath(path) << '\n';
        }
        if (result.changed.empty() && result.missing.empty()) {
            context.out << "Every file is as Obrinex last wrote it.\n";
        }
    }
    return result.changed.empty() && result.missing.empty() ? kDone : kProblems;
}

} // namespace

Command addRestoreCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<RestoreOptions>();
    CLI::App* command = app.add_subcommand(
        "restore",
        "Puts car rows back as the game had them before Obrinex installed over them, in any order");
    addGameOption(*command, options->game);
    auto* cars =
        command->add_option("--car", options->cars, "A catalogue row to put back; repeat for several")
            ->check(CLI::Range(0, 207));
    auto* all = command->add_flag("--all", options->all, "Put back every row the ledger holds");
    cars->excludes(all);
    command->add_flag("--force", options->force,
                      "Put back files that were changed since Obrinex wrote them, too");
    command->add_flag("--dry-run", options->dryRun, "Work the restore out and print it; write nothing");
    addJsonFlag(*command, options->json);
    command->footer(
        "Exit status 0 when done, 1 when a file was left alone or failed, 2 for a row the ledger\n"
        "holds nothing for.\n\n"
        "Examples:\n"
        "  obrinex restore --car 5 --dry-run     what putting row 5 back would change\n"
        "  obrinex restore --all                 the game's files as it shipped them\n");
    return {command, [&context, options, cars, all] {
                if (cars->count() == 0 && all->count() == 0) {
                    throw UsageError{"give the rows to put back with --car ROW, or --all"};
                }
                return runRestore(context, *options);
            }};
}

Command addVerifyCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<VerifyOptions>();
    CLI::App* command =
        app.add_subcommand("verify", "Compares the game folder with the ledger of its installations");
    addGameOption(*command, options->game);
    addJsonFlag(*command, options->json);
    command->footer("Exit status 0 when every file is as Obrinex last wrote it, 1 otherwise.\n\n"
                    "Example:\n  obrinex verify --json     the files changed or removed since\n");
    return {command, [&context, options] { return runVerify(context, *options); }};
}

} // namespace obrinex::cli
