#include "install/plan.h"

#include "app/paths.h"
#include "text/cp1252.h"

#include <algorithm>
#include <set>

namespace obrinex {

const PackageSound kPackageSounds[5] = {
    {"sounds\\on.wav", &TargetFileSet::TargetSoundOn}, {"sounds\\off.wav", &TargetFileSet::TargetSoundOff},
    {"sounds\\0.wav", &TargetFileSet::TargetSound0},   {"sounds\\1.wav", &TargetFileSet::TargetSound1},
    {"sounds\\horn.wav", &TargetFileSet::TargetHorn},
};

std::string InstallPlan::path(const PlanPath& at) const {
    return (at.root == PlanRoot::Package ? packageDir : gameDir) + at.relative;
}

namespace {

bool hasName(const TargetFileSet& set, const std::string& name) {
    for (const std::string* own :
         {&set.TargetModel1, &set.TargetModel2, &set.TargetModel3, &set.TargetSoundOn, &set.TargetSoundOff,
          &set.TargetSound0, &set.TargetSound1, &set.TargetHorn}) {
        if (!own->empty() && equalNoCase(*own, name)) {
            return true;
        }
    }
    return false;
}

// Builds the steps while keeping track of what the earlier steps will have made, so that each
// step sees the folder as the run will leave it.
class Planner {
  public:
    Planner(const InstallChoices& choices, FileQueries& files) : choices_(choices), files_(files) {
        plan_.packageDir = choices.packageDir;
        plan_.gameDir = choices.gameDir;
    }

    InstallPlan take() { return std::move(plan_); }

    bool gameFileExists(const std::string& relative) {
        return made_.count(key(relative)) > 0 || files_.fileExists(plan_.gameDir + relative);
    }
    bool packageFileExists(const std::string& relative) {
        return files_.fileExists(plan_.packageDir + relative);
    }

    // A folder of the game, created unless it exists already.
    void ensureFolder(const std::string& relative) {
        if (made_.count(key(relative)) > 0 || files_.directoryExists(plan_.gameDir + relative)) {
            return;
        }
        createFolder(relative);
    }
    void createFolder(const std::string& relative) {
        made_.insert(key(relative));
        PlanStep step;
        step.action = PlanStep::Action::Folder;
        step.to = {PlanRoot::Game, relative};
        plan_.steps.push_back(std::move(step));
    }

    // A copy onto a game file; none when the target's name is empty.
    void copy(PlanPath from, const std::string& folder, const std::string& name, std::vector<int> rows) {
        if (name.empty()) {
            return;
        }
        const std::string to = folder + name;
        PlanStep step;
        step.action = PlanStep::Action::Copy;
        step.from = std::move(from);
        step.to = {PlanRoot::Game, to};
        step.replaces = gameFileExists(to);
        step.rows = std::move(rows);
        plan_.steps.push_back(std::move(step));
        made_.insert(key(to));
    }

    // The installation's car rows that have `name` among their game file names.
    std::vector<int> rowsNamed(const std::string& name) const {
        std::vector<int> rows;
        for (const auto& car : choices_.cars) {
            if (hasName(car.names, name)) {
                rows.push_back(car.row);
            }
        }
        return rows;
    }
    std::vector<int> allRows() const {
        std::vector<int> rows;
        for (const auto& car : choices_.cars) {
            rows.push_back(car.row);
        }
        return rows;
    }

    void addMap(const std::string& name) { plan_.maps.push_back(name); }

  private:
    static std::string key(const std::string& relative) { return pathKey(relative); }

    const InstallChoices& choices_;
    FileQueries& files_;
    InstallPlan plan_;
    std::set<std::string> made_;
};

} // namespace

std::vector<PlanCar> carRows(const std::vector<int>& rows) {
    std::vector<PlanCar> cars;
    for (int row : rows) {
        PlanCar car{row, {}};
        lookupTargetFiles(row, car.names);
        if (!car.names.TargetModel1.empty()) {
            cars.push_back(car);
        }
    }
    return cars;
}

InstallPlan planInstallation(const InstallChoices& choices, FileQueries& files) {
    Planner plan(choices, files);
    const auto package = [](const std::string& relative) { return PlanPath{PlanRoot::Package, relative}; };
    const auto game = [](const std::string& relative) { return PlanPath{PlanRoot::Game, relative}; };

    if (choices.createGameFolder) {
        plan.createFolder("");
        plan.createFolder("models");
        plan.createFolder("maps");
    }

    if (choices.modelBackup) {
        plan.ensureFolder("install_backup");
        const TargetFileSet& names = *choices.modelBackup;
        for (const std::string* name : {&names.TargetModel1, &names.TargetModel2, &names.TargetModel3}) {
            if (!name->empty() && plan.gameFileExists("models\\" + *name)) {
                plan.copy(game("models\\" + *name), "install_backup\\", *name, {});
            }
        }
    }
    plan.ensureFolder("models");
    plan.ensureFolder("maps");

    for (const auto& car : choices.cars) {
        plan.copy(package(choices.sourceModel), "models\\", car.names.TargetModel1,
                  plan.rowsNamed(car.names.TargetModel1));
        plan.copy(package(choices.sourceModel), "models\\", car.names.TargetModel2,
                  plan.rowsNamed(car.names.TargetModel2));
    }
    if (!choices.sourceExtraModel.empty()) {
        plan.copy(package(choices.sourceExtraModel), "models\\", choices.names.TargetModel3,
                  plan.rowsNamed(choices.names.TargetModel3));
    }

    for (const auto& name : choices.maps) {
        plan.copy(package("maps\\" + name), "maps\\", name, plan.allRows());
        plan.addMap(name);
    }

    const std::string firstMap = choices.maps.empty() ? std::string() : choices.maps.front();
    if (choices.colour == ColourChoice::Standard) {
        plan.copy(package("maps\\" + firstMap), "maps\\", firstMap, plan.allRows());
    } else if (choices.colour == ColourChoice::File && !choices.colourFile.empty()) {
        plan.copy(package("color\\" + choices.colourFile), "maps\\", firstMap, plan.allRows());
    }

    if (choices.backupSounds) {
        plan.ensureFolder("install_backup");
        for (const auto& sound : kPackageSounds) {
            const std::string& name = choices.names.*sound.target;
            if (!name.empty() && plan.gameFileExists("sounds\\" + name)) {
                plan.copy(game("sounds\\" + name), "install_backup\\", name, {});
            }
        }
    }
    if (choices.installSounds) {
        plan.ensureFolder("sounds");
        for (const auto& sound : kPackageSounds) {
            const std::string& name = choices.names.*sound.target;
            if (plan.packageFileExists(sound.file)) {
                plan.copy(package(sound.file), "sounds\\", name, plan.rowsNamed(name));
            }
        }
    }
    if (choices.backupVehicles) {
        plan.ensureFolder("install_backup");
        if (plan.gameFileExists("tables\\vehicles.bin")) {
            plan.copy(game("tables\\vehicles.bin"), "install_backup\\", "vehicles.bin", {});
        }
    }
    if (choices.installVehicles) {
        plan.ensureFolder("tables");
        if (plan.packageFileExists("tables\\vehicles.bin")) {
            plan.copy(package("tables\\vehicles.bin"), "tables\\", "vehicles.bin", plan.allRows());
        }
    }
    return plan.take();
}

} // namespace obrinex
