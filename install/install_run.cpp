// Finish: the checks of the choice page, the optional content and its page "Advanced", and
// the copying of the package's files over the game's files of the chosen cars.
#include "app/application.h"
#include "app/errors.h"
#include "app/main_window.h"
#include "app/paths.h"

#include <array>
#include <utility>

namespace obrinex {

namespace {

// The package's sounds and the target name each one replaces, in the order of the copies.
constexpr std::array<std::pair<const char*, std::string TargetFileSet::*>, 5> kSounds = {{
    {"sounds\\on.wav", &TargetFileSet::TargetSoundOn},
    {"sounds\\off.wav", &TargetFileSet::TargetSoundOff},
    {"sounds\\0.wav", &TargetFileSet::TargetSound0},
    {"sounds\\1.wav", &TargetFileSet::TargetSound1},
    {"sounds\\horn.wav", &TargetFileSet::TargetHorn},
}};

} // namespace

void MainWindow::button5Click() {
    showPage(Page::Waehlen);
    form_.setFocus(&edit1);
    state_.HasOptionalContent = 0;
    state_.HasVehiclesBin = 0;
    if (platform_.files.directoryExists(state_.PackageDir + "sounds")) {
        for (const auto& [file, target] : kSounds) {
            if (platform_.files.fileExists(state_.PackageDir + file)) {
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
    const std::string game = edit1.text();
    if (state_.HasOptionalContent != 0) {
        showPage(Page::Advanced);
        // The game's own sounds and table can be backed up only when it has them.
        for (const auto& [file, target] : kSounds) {
            if (platform_.files.fileExists(game + "sounds\\" + state_.*target)) {
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

    if (comboBox1.itemIndex() == -1 && (listBox2.markedCount() == 0 || game.empty())) {
        platform_.boxes.show(BoxKind::Ok, app_.title(), state_.uiText.IncompleteText);
        return;
    }
    if (platform_.files.directoryExists(game)) {
        installFiles();
        recordReplacement();
        showPage(Page::Fertig);
        return;
    }
    if (platform_.boxes.show(BoxKind::Warning, "Warning", state_.uiText.FolderMissingText) !=
        BoxAnswer::Yes) {
        return;
    }
    for (const std::string& folder : {game, game + "models", game + "maps"}) {
        if (auto error = platform_.files.createDirectory(folder)) {
            throw IoError(error);
        }
    }
    installFiles();
    showPage(Page::Fertig);
}

void MainWindow::button18Click() {
    state_.HasOptionalContent = 0;
    button8.click();
}

void MainWindow::ensureFolder(const std::string& path) {
    if (platform_.files.directoryExists(path)) {
        return;
    }
    if (auto error = platform_.files.createDirectory(path)) {
        throw IoError(error);
    }
}

void MainWindow::copyFile(const std::string& source, const std::string& target) {
    // A package file that is missing, a target without a name (a car without a horn, a header
    // row) or a missing target folder is no copy to make.
    if (!platform_.files.fileExists(source) || endsWithSeparator(target) ||
        !platform_.files.directoryExists(folderPart(target))) {
        return;
    }
    // A copy that fails while writing would leave the car half installed behind a report of
    // success; the run stops and says so instead.
    if (auto error = platform_.files.copyFile(source, target)) {
        throw AppError("Could not copy \"" + source + "\" to \"" + target + "\". " +
                       systemErrorMessage(error));
    }
}

void MainWindow::installFiles() {
    const std::string game = edit1.text();
    const std::string& package = state_.PackageDir;
    const std::string models = game + "models\\";
    const std::string backup = game + "install_backup\\";

    if (radioButton4.enabled() && radioButton4.checked()) {
        ensureFolder(game + "install_backup");
        for (const std::string* name : {&state_.TargetModel1, &state_.TargetModel2, &state_.TargetModel3}) {
            copyFile(models + *name, backup + *name);
        }
    }
    ensureFolder(game + "models");
    ensureFolder(game + "maps");

    const std::vector<int> marked = listBox2.markedRows();
    if (marked.empty()) {
        copyFile(state_.SourceModelPath, models + state_.TargetModel1);
        copyFile(state_.SourceModelPath, models + state_.TargetModel2);
    } else {
        // Each marked car gets the model; what follows uses the names of the last marked row.
        for (int row : marked) {
            state_.CatalogueIndex = row;
            lookupTargetFiles();
            if (state_.TargetModel1.empty()) {
                continue;
            }
            copyFile(state_.SourceModelPath, models + state_.TargetModel1);
            copyFile(state_.SourceModelPath, models + state_.TargetModel2);
        }
    }
    if (!state_.SourceExtraModelPath.empty()) {
        copyFile(state_.SourceExtraModelPath, models + state_.TargetModel3);
    }

    auto& listBox3 = form_.get<ListBox>("ListBox3");
    for (int i = 0; i <= state_.SetupLineCount - 4 && i < kMaxMapFiles; ++i) {
        const std::string& name = state_.MapFiles[static_cast<std::size_t>(i)];
        copyFile(package + "maps\\" + name, game + "maps\\" + name);
        listBox3.add(name);
    }

    if (label24.visible() && comboBox2.visible()) {
        const std::string& firstMap = state_.MapFiles[0];
        const int colour = comboBox2.itemIndex();
        if (colour == 0) {
            copyFile(package + "maps\\" + firstMap, game + "maps\\" + firstMap);
        } else if (colour > 0) {
            copyFile(package + "color\\" + comboBox2.text(), game + "maps\\" + firstMap);
        }
    }

    if (form_.get<CheckBox>("CheckBox2").checked()) {
        ensureFolder(game + "install_backup");
        for (const auto& [file, target] : kSounds) {
            const std::string& name = state_.*target;
            if (platform_.files.fileExists(game + "sounds\\" + name)) {
                copyFile(game + "sounds\\" + name, backup + name);
            }
        }
    }
    if (form_.get<CheckBox>("CheckBox1").checked()) {
        ensureFolder(game + "sounds");
        for (const auto& [file, target] : kSounds) {
            if (platform_.files.fileExists(package + file)) {
                copyFile(package + file, game + "sounds\\" + state_.*target);
            }
        }
    }
    if (form_.get<CheckBox>("CheckBox4").checked()) {
        ensureFolder(game + "install_backup");
        if (platform_.files.fileExists(game + "tables\\vehicles.bin")) {
            copyFile(game + "tables\\vehicles.bin", backup + "vehicles.bin");
        }
    }
    if (form_.get<CheckBox>("CheckBox3").checked()) {
        ensureFolder(game + "tables");
        if (platform_.files.fileExists(package + "tables\\vehicles.bin")) {
            copyFile(package + "tables\\vehicles.bin", game + "tables\\vehicles.bin");
        }
    }
}

} // namespace obrinex
