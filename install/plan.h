// The installation as a plan: every folder to create and every file to copy, worked out from
// the choices before any file is touched, in the order the run carries them out. Working it
// out only asks whether files and folders exist; carrying it out is install/run_plan.h.
#pragma once

#include "catalogue/target_files.h"
#include "platform/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace obrinex {

enum class PlanRoot { Package, Game };

// A path below the package or the game folder, "\" between names ("" is the folder itself).
struct PlanPath {
    PlanRoot root = PlanRoot::Game;
    std::string relative;

    bool operator==(const PlanPath&) const = default;
};

struct PlanStep {
    enum class Action { Folder, Copy };
    Action action = Action::Copy;
    PlanPath from; // copies only
    PlanPath to;
    // Copies: a file is at `to` when the step runs (as the steps before it leave the folder).
    bool replaces = false;
    // Copies into the game's own files: the car rows the file serves (a model or sound name
    // serves the rows of this installation that have it among their names; maps, the colour
    // and the vehicle table serve all of them). Empty for backups and folders.
    std::vector<int> rows;

    bool operator==(const PlanStep&) const = default;
};

// One car row that receives the model, with its game file names.
struct PlanCar {
    int row = -1;
    TargetFileSet names;
};

enum class ColourChoice {
    None,     // no colour variants, or a typed text that names no entry
    Standard, // the entry "Standard": the first map file once more
    File,     // a file of the package's "color" folder over the first map file
};

// What the user chose, as plain values.
struct InstallChoices {
    std::string packageDir;                   // ends with a separator
    std::string gameDir;                      // ends with a separator, or is empty
    bool createGameFolder = false;            // "Yes" to creating the missing game folder
    std::string sourceModel;                  // below the package: "models\car.4ds" or "cars\variant.4ds"
    std::string sourceExtraModel;             // below the package, or empty
    std::vector<std::string> maps;            // the descriptor's map names, in order
    std::vector<PlanCar> cars;                // the car rows that get the model, ascending
    TargetFileSet names;                      // the names that the extra model and the sounds go to
    std::optional<TargetFileSet> modelBackup; // the names whose models are backed up first
    ColourChoice colour = ColourChoice::None;
    std::string colourFile; // with ColourChoice::File
    bool backupSounds = false;
    bool installSounds = false;
    bool backupVehicles = false;
    bool installVehicles = false;
};

struct InstallPlan {
    std::string packageDir;
    std::string gameDir;
    std::vector<PlanStep> steps;
    // The map names the run copies, in copy order: the lines of the map list files.
    std::vector<std::string> maps;

    // The full path of a plan path, as the file system takes it.
    std::string path(const PlanPath& at) const;
};

// The package's sound files and the target name each replaces, in the order of the copies.
struct PackageSound {
    const char* file;
    std::string TargetFileSet::*target;
};
extern const PackageSound kPackageSounds[5];

// The car rows among `rows` with their game file names, in the given order; header and blank
// rows, which have no files, are left out.
std::vector<PlanCar> carRows(const std::vector<int>& rows);

// Works out the run. Missing package files named by the descriptor or the choices stay in the
// plan (the run reports them); what is optional (sounds, the vehicle table, backups of game
// files) is in it only where the file exists, and copies onto an empty name never are.
InstallPlan planInstallation(const InstallChoices& choices, FileQueries& files);

} // namespace obrinex
