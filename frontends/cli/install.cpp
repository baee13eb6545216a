// obrinex install: the wizard's Finish for the choices given on the command line. The wizard
// itself runs, without a window: its pages are passed as a player passes them, and Finish
// carries out the same plan, with the same ledger and the same log, as in the window.
#include "app/errors.h"
#include "app/main_window.h"
#include "catalogue/target_files.h"
#include "frontends/cli/cli.h"
#include "install/plan.h"
#include "session/headless_wizard.h"
#include "session/package_report.h"
#include "text/cp1252.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <set>

namespace obrinex::cli {

namespace {

struct InstallOptions {
    std::string package;
    std::optional<std::string> game;
    std::vector<int> cars;
    std::string language = "deutsch";
    std::optional<std::string> colour;
    std::optional<std::string> variant;
    bool sounds = false;
    bool vehicles = false;
    bool backupModels = false;
    bool backupSounds = false;
    bool backupVehicles = false;
    bool createFolder = false;
    bool dryRun = false;
    bool json = false;
};

// A name of the list, matched as Windows matches file names; nothing when it has none such.
std::optional<std::string> listedName(const std::vector<std::string>& names, const std::string& wanted) {
    for (const std::string& name : names) {
        if (equalNoCase(name, wanted)) {
            return name;
        }
    }
    return std::nullopt;
}

std::string planPathText(const PlanPath& path) {
    return (path.root == PlanRoot::Package ? "package/" : "game/") + relativeJsonPath(path.relative);
}

Json planJson(const InstallPlan& plan) {
    Json steps = Json::array();
    for (const PlanStep& step : plan.steps) {
        if (step.action == PlanStep::Action::Folder) {
            steps.push_back(Json{{"action", "folder"}, {"path", relativeJsonPath(step.to.relative)}});
        } else {
            steps.push_back(Json{{"action", "copy"},
                                 {"from", planPathText(step.from)},
                                 {"to", relativeJsonPath(step.to.relative)},
                                 {"replaces", step.replaces}});
        }
    }
    return steps;
}

struct LogEntryPlanned {
    int row;
    std::string car;
    std::string replaced;
    bool update;
};

int runInstall(Context& context, const InstallOptions& options) {
    const std::string package = packageFolderArgument(context, options.package);
    const std::string game = gameFolderArgument(context, options.game);
    FileSystem& files = context.host.files();

    // The choices are checked before anything runs: a usage error changes nothing.
    const std::set<int> rows(options.cars.begin(), options.cars.end());
    if (rows.empty()) {
        throw UsageError{"give the row to replace with --car ROW ('obrinex cars' lists them)"};
    }
    if (rows.size() == 1 && !isCarRow(*rows.begin())) {
        throw UsageError{"row " + std::to_string(*rows.begin()) + " is a header or blank row, not a car"};
    }
    if (std::none_of(rows.begin(), rows.end(), isCarRow)) {
        throw UsageError{"rows " + std::to_string(*rows.begin()) +
                         " ... are header or blank rows; at least one car is needed"};
    }
    const PackageReport report = inspectPackage(files, package);
    std::optional<std::string> colour, variant;
    if (options.colour && !(colour = listedName(report.colours, *options.colour))) {
        throw UsageError{"the package has no colour " + *options.colour + " in its color folder"};
    }
    if (options.variant && !(variant = listedName(report.variants, *options.variant))) {
        throw UsageError{"the package has no car variant " + *options.variant + " in its cars folder"};
    }
    if (options.sounds && report.sounds.empty()) {
        throw UsageError{"the package has no sounds to install"};
    }
    if (options.vehicles && !report.vehiclesBin) {
        throw UsageError{"the package has no vehicle table to install"};
    }
    if (options.backupModels && rows.size() != 1) {
        throw UsageError{"--backup-models goes with one --car only"};
    }

    HeadlessWizard wizard(files, package, game);
    wizard.answer = [&](const ShownBox& box) {
        if (box.kind == BoxKind::Warning) {
            return options.createFolder ? BoxAnswer::Yes : BoxAnswer::No;
        }
        return BoxAnswer::Ok;
    };
    wizard.start();
    MainWindow& window = wizard.window();
    if (window.activePage() == Page::Fehler) {
        for (const std::string& error : wizard.errors()) {
            context.err << "obrinex: " << cp1252ToUtf8(error) << '\n';
        }
        context.err << "obrinex: the package cannot be installed\n";
        return kProblems;
    }
    const std::size_t startupBoxes = wizard.boxes().size();

    for (Language language : kLanguages) {
        if (languageKey(language) == options.language) {
            wizard.chooseLanguage(language);
        }
    }
    wizard.click("Button2");
    wizard.click("Button5");
    InstallerState& state = window.state();
    if (variant) {
        state.SourceModelPath = state.PackageDir + "cars\\" + *variant;
    }
    if (colour) {
        const auto& items = window.comboBox2.items();
        window.comboBox2.setItemIndex(
            static_cast<int>(std::find(items.begin(), items.end(), *colour) - items.begin()));
    }
    if (rows.size() == 1) {
        const int row = *rows.begin();
        window.comboBox1.setItemIndex(row);
        wizard.app().dispatch([&window] { window.comboBox1.onChange(); });
        if (options.backupModels) {
            if (!window.radioButton4.enabled()) {
                throw UsageError{"the game has no model of row " + std::to_string(row) + " to back up"};
            }
            wizard.click("RadioButton4");
        }
    } else {
        for (int row : rows) {
            window.listBox2.setMarked(row, true);
        }
    }
    window.form().get<CheckBox>("CheckBox1").setChecked(options.sounds);
    window.form().get<CheckBox>("CheckBox2").setChecked(options.backupSounds);
    window.form().get<CheckBox>("CheckBox3").setChecked(options.vehicles);
    window.form().get<CheckBox>("CheckBox4").setChecked(options.backupVehicles);

    const bool folderExists = files.directoryExists(game);
    if (!folderExists && !options.createFolder) {
        context.err << "obrinex: the game folder " << cp1252ToUtf8(game)
                    << " does not exist; --create-folder creates it\n";
        return kProblems;
    }

    // The log rows the run records: the car rows chosen, each updated where the game folder's
    // log has a row of that index already.
    std::vector<LogEntryPlanned> logRows;
    const std::string car = window.label6.caption().empty() ? "(no name)" : window.label6.caption();
    for (int row : rows) {
        if (rows.size() > 1 && !isCarRow(row)) {
            continue;
        }
        const bool update = std::any_of(
            window.listView1.rows().begin(), window.listView1.rows().end(), [&](const ListViewRow& logRow) {
                return logRow.subItems.size() >= 2 && logRow.subItems[1] == std::to_string(row);
            });
        logRows.push_back({row, car, window.comboBox1.items()[static_cast<std::size_t>(row)], update});
    }
    Json log = Json::array();
    for (const auto& entry : logRows) {
        log.push_back(Json{{"row", entry.row},
                           {"car", jsonText(entry.car)},
                           {"replaced", jsonText(entry.replaced)},
                           {"update", entry.update}});
    }

    std::optional<InstallPlan> plan;
    Json failures = Json::array();
    bool done = false;
    if (options.dryRun) {
        plan = window.plannedFinish();
    } else {
        wizard.click("Button8");
        if (window.activePage() == Page::Advanced) {
            wizard.click("Button18");
        }
        done = window.activePage() == Page::Fertig;
        if (const auto& run = window.lastFinishRun()) {
            plan = run->plan;
            for (const CopyFailure& failure : run->outcome.failures) {
                std::string path = failure.path;
                if (failure.step < plan->steps.size()) {
                    const PlanStep& step = plan->steps[failure.step];
                    path = failure.path == plan->path(step.from) ? planPathText(step.from)
                                                                 : relativeJsonPath(step.to.relative);
                }
                failures.push_back(Json{
                    {"path", path},
                    {"reason",
                     jsonText(failure.reason.empty() ? systemErrorMessage(failure.error) : failure.reason)}});
            }
        }
        // Errors that ended Finish without a list of files: a folder, the ledger, the log.
        if (failures.empty()) {
            for (std::size_t i = startupBoxes; i < wizard.boxes().size(); ++i) {
                const ShownBox& box = wizard.boxes()[i];
                if (box.kind == BoxKind::Error || box.kind == BoxKind::IoError) {
                    failures.push_back(Json{{"path", ""}, {"reason", jsonText(box.text)}});
                }
            }
        }
    }
    if (!plan) {
        throw UsageError{"the choices are incomplete"};
    }

    if (options.json) {
        printJson(context.out,
                  Json{{"plan", planJson(*plan)}, {"log", log}, {"done", done}, {"failures", failures}});
    } else {
        for (const PlanStep& step : plan->steps) {
            if (step.action == PlanStep::Action::Folder) {
                context.out << "folder " << relativeJsonPath(step.to.relative) << '\n';
            } else {
                context.out << "copy   " << planPathText(step.from) << " -> "
                            << relativeJsonPath(step.to.relative) << (step.replaces ? " (replaces)" : "")
                            << '\n';
            }
        }
        for (const auto& entry : logRows) {
            context.out << (options.dryRun ? "would record " : "recorded ") << "row " << entry.row << ": "
                        << cp1252ToUtf8(entry.car) << " in place of " << cp1252ToUtf8(entry.replaced)
                        << (entry.update ? " (updated)" : "") << '\n';
        }
        for (const auto& failure : failures) {
            context.err << "obrinex: failed: " << failure["path"].get<std::string>() << ": "
                        << failure["reason"].get<std::string>() << '\n';
        }
        if (done) {
            context.out << "Installed.\n";
        }
    }
    if (options.dryRun) {
        return kDone;
    }
    return done ? kDone : kProblems;
}

} // namespace

Command addInstallCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<InstallOptions>();
    CLI::App* command = app.add_subcommand(
        "install", "Installs a package over one car or several, as the wizard's Finish does");
    command->add_option("PACKAGE", options->package, "The package folder (the one that holds setup.ini)")
        ->required();
    addGameOption(*command, options->game);
    command
        ->add_option("--car", options->cars,
                     "A catalogue row to replace, 0 to 207 ('obrinex cars'); repeat for several")
        ->check(CLI::Range(0, 207))
        ->required();
    command->add_option("--lang", options->language, "The language of the log's texts (default deutsch)")
        ->check(CLI::IsMember({"deutsch", "english", "cesky", "francais"}));
    command->add_option("--colour", options->colour,
                        "A colour file of the package's color folder (default Standard)");
    command->add_option("--variant", options->variant, "A car variant of the package's cars folder");
    command->add_flag("--sounds", options->sounds, "Install the package's sounds");
    command->add_flag("--vehicles", options->vehicles, "Install the package's vehicle table");
    command->add_flag("--backup-models", options->backupModels,
                      "Back up the game's models first (one --car only)");
    command->add_flag("--backup-sounds", options->backupSounds, "Back up the game's sounds first");
    command->add_flag("--backup-vehicles", options->backupVehicles, "Back up the game's vehicle table first");
    command->add_flag("--create-folder", options->createFolder, "Create the game folder when it is missing");
    command->add_flag("--dry-run", options->dryRun, "Work the installation out and print it; write nothing");
    addJsonFlag(*command, options->json);
    command->footer(
        "Exit status 0 when done (or the dry run was worked out), 1 when a file or the log failed,\n"
        "2 for a usage error (nothing is written then).\n\n"
        "Examples:\n"
        "  obrinex install ~/Downloads/racer --car 5 --dry-run     what would be copied where\n"
        "  obrinex install ~/Downloads/racer --car 5 --car 6 --sounds\n");
    return {command, [&context, options] { return runInstall(context, *options); }};
}

} // namespace obrinex::cli
