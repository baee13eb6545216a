// Finish: the checks of the choice page, the optional content and its page "Advanced", and
// the installation run: the choices turned into a plan, the plan carried out, every failed
// file named in one box.
#include "app/application.h"
#include "app/errors.h"
#include "app/main_window.h"
#include "app/paths.h"
#include "install/plan.h"
#include "install/run_plan.h"
#include "ledger/ledger_folder.h"

#include <algorithm>

namespace obrinex {

namespace {

// A package path of the state below the package folder.
std::string belowPackage(const std::string& path, const std::string& packageDir) {
    return path.compare(0, packageDir.size(), packageDir) == 0 ? path.substr(packageDir.size()) : path;
}

} // namespace

std::string MainWindow::gameFolder() const {
    return withFinalSeparator(edit1.text());
}

void MainWindow::button5Click() {
    showPage(Page::Waehlen);
    form_.setFocus(&edit1);
    state_.HasOptionalContent = 0;
    state_.HasVehiclesBin = 0;
    if (platform_.files.directoryExists(state_.PackageDir + "sounds")) {
        for (const auto& sound : kPackageSounds) {
            if (platform_.files.fileExists(state_.PackageDir + sound.file)) {
                state_.HasOptionalContent = 1;
            }
        }
    }
    if (state_.HasOptionalContent == 1) {
        form_.find("Label27")->setEnabled(true);
        form_.find("CheckBox1")->setEnabled(true);
        button8.setCaption(state_.uiText.NextText);
    }
    if (platform_.files.fileExists(state_.PackageDir + "tables\\vehicles.bin")) {
        state_.HasVehiclesBin = 1;
    }
    if (state_.HasVehiclesBin == 1) {
        form_.find("Label28")->setEnabled(true);
        form_.find("CheckBox3")->setEnabled(true);
        button8.setCaption(state_.uiText.NextText);
        state_.HasOptionalContent = 1;
    }
}

void MainWindow::button8Click() {
    if (state_.HasOptionalContent != 0) {
        showPage(Page::Advanced);
        // The game's own sounds and table can be backed up only when it has them.
        const std::string game = gameFolder();
        for (const auto& sound : kPackageSounds) {
            if (platform_.files.fileExists(game + "sounds\\" + state_.*sound.target)) {
                form_.find("CheckBox2")->setEnabled(true);
                form_.find("Label29")->setEnabled(true);
            }
        }
        if (platform_.files.fileExists(game + "tables\\vehicles.bin")) {
            form_.find("CheckBox4")->setEnabled(true);
            form_.find("Label30")->setEnabled(true);
        }
        return;
    }

    if (!choicesComplete()) {
        platform_.boxes.show(BoxKind::Ok, app_.title(), state_.uiText.IncompleteText);
        return;
    }
    // The folder is tested as the user typed it; only the paths below it get the separator.
    if (platform_.files.directoryExists(edit1.text())) {
        runInstallation(GameFolder::Exists);
        return;
    }
    if (platform_.boxes.show(BoxKind::Warning, "Warning", state_.uiText.FolderMissingText) !=
        BoxAnswer::Yes) {
        return;
    }
    runInstallation(GameFolder::Create);
}

void MainWindow::button18Click() {
    state_.HasOptionalContent = 0;
    button8.click();
}

bool MainWindow::choicesComplete() const {
    const std::vector<int> marked = listBox2.markedRows();
    if (comboBox1.itemIndex() == -1 && (marked.empty() || edit1.text().empty())) {
        return false;
    }
    // Header and blank rows have no files: at least one real car must be chosen.
    if (marked.empty()) {
        return isCarRow(comboBox1.itemIndex());
    }
    return std::any_of(marked.begin(), marked.end(), isCarRow);
}

InstallChoices MainWindow::installChoices(GameFolder folder) {
    InstallChoices choices;
    choices.packageDir = state_.PackageDir;
    choices.gameDir = gameFolder();
    choices.createGameFolder = folder == GameFolder::Create;
    choices.sourceModel = belowPackage(state_.SourceModelPath, state_.PackageDir);
    choices.sourceExtraModel = belowPackage(state_.SourceExtraModelPath, state_.PackageDir);
    // The backup names are those of the car chosen in the drop-down, the only choice that
    // offers the backup.
    if (radioButton4.enabled() && radioButton4.checked()) {
        choices.modelBackup = static_cast<const TargetFileSet&>(state_);
    }

    const std::vector<int> marked = listBox2.markedRows();
    if (marked.empty()) {
        choices.cars.push_back({comboBox1.itemIndex(), state_});
    } else {
        // Each marked car gets the model; what follows uses the names of the highest marked car.
        choices.cars = carRows(marked);
        state_.CatalogueIndex = choices.cars.back().row;
        lookupTargetFiles();
    }
    choices.names = state_;

    for (int i = 0; i <= state_.SetupLineCount - 4 && i < kMaxMapFiles; ++i) {
        choices.maps.push_back(state_.MapFiles[static_cast<std::size_t>(i)]);
    }
    if (label24.visible() && comboBox2.visible()) {
        const int colour = comboBox2.itemIndex();
        if (colour == 0) {
            choices.colour = ColourChoice::Standard;
        } else if (colour > 0) {
            choices.colour = ColourChoice::File;
            choices.colourFile = comboBox2.text();
        }
    }
    choices.backupSounds = form_.get<CheckBox>("CheckBox2").checked();
    choices.installSounds = form_.get<CheckBox>("CheckBox1").checked();
    choices.backupVehicles = form_.get<CheckBox>("CheckBox4").checked();
    choices.installVehicles = form_.get<CheckBox>("CheckBox3").checked();
    return choices;
}

void MainWindow::runInstallation(GameFolder folder) {
    const InstallPlan plan = planInstallation(installChoices(folder), platform_.files);
    // ListBox3 holds the maps of this run: a run tried again does not list them twice.
    auto& listBox3 = form_.get<ListBox>("ListBox3");
    listBox3.clear();
    for (const auto& name : plan.maps) {
        listBox3.add(name);
    }
    // The ledger records every file the run changes before it changes, so that any car can
    // be put back as the game had it.
    LedgerFolder ledger(platform_.files, plan.gameDir);
    InstallJournal journal(ledger, newCarName());
    const RunOutcome outcome = runInstallPlan(plan, platform_.files, &journal);
    lastFinishRun_ = FinishRun{plan, outcome};
    if (outcome.folderError != 0) {
        throw IoError(outcome.folderError);
    }
    if (!outcome.journalError.empty()) {
        throw AppError(outcome.journalError);
    }
    // Every file that failed is named at once; the page stays, nothing is recorded, and
    // Finish can be pressed again.
    if (!outcome.failures.empty()) {
        throw AppError(failureListText(outcome.failures));
    }
    recordReplacement();
    showPage(Page::Fertig);
}

std::optional<InstallPlan> MainWindow::plannedFinish() {
    if (!choicesComplete()) {
        return std::nullopt;
    }
    const GameFolder folder =
        platform_.files.directoryExists(edit1.text()) ? GameFolder::Exists : GameFolder::Create;
    return planInstallation(installChoices(folder), platform_.files);
}

void MainWindow::ensureFolder(const std::string& path) {
    if (platform_.files.directoryExists(path)) {
        return;
    }
    if (auto error = platform_.files.createDirectory(path)) {
        throw IoError(error);
    }
}

} // namespace obrinex
