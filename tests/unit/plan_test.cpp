#include "install/plan.h"
#include "install/run_plan.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <set>

namespace obrinex {
namespace {

// A game and a package folder made of names only.
class FakeFolders : public FileQueries {
  public:
    std::set<std::string> files, folders;
    bool fileExists(const std::string& path) override { return files.count(lowerCp1252(path)) > 0; }
    bool directoryExists(const std::string& path) override { return folders.count(lowerCp1252(path)) > 0; }
};

using Action = PlanStep::Action;

// A step as a line: "folder models", "copy package:models\car.4ds -> models\x.4ds replaces [5]".
std::vector<std::string> lines(const InstallPlan& plan) {
    std::vector<std::string> out;
    for (const auto& step : plan.steps) {
        if (step.action == Action::Folder) {
            out.push_back("folder " + step.to.relative);
            continue;
        }
        std::string line = std::string("copy ") +
                           (step.from.root == PlanRoot::Package ? "package:" : "game:") + step.from.relative +
                           " -> " + step.to.relative + (step.replaces ? " replaces" : "");
        if (!step.rows.empty()) {
            line += " [";
            for (std::size_t i = 0; i < step.rows.size(); ++i) {
                line += (i ? " " : "") + std::to_string(step.rows[i]);
            }
            line += "]";
        }
        out.push_back(line);
    }
    return out;
}

InstallChoices baseChoices() {
    InstallChoices choices;
    choices.packageDir = "P:\\pkg\\";
    choices.gameDir = "G:\\game\\";
    choices.sourceModel = "models\\car.4ds";
    choices.maps = {"body.bmp", "wheels.bmp"};
    return choices;
}

TEST(InstallPlan, SingleTargetInTheOrderOfTheRun) {
    FakeFolders folders;
    folders.folders = {"g:\\game\\", "g:\\game\\models"};
    folders.files = {"g:\\game\\models\\fordtco00.4ds", "g:\\game\\models\\fordtco10.4ds"};
    InstallChoices choices = baseChoices();
    choices.sourceExtraModel = "models\\extra.4ds";
    choices.cars = carRows({1});
    choices.names = choices.cars[0].names;
    choices.modelBackup = choices.names;
    choices.colour = ColourChoice::File;
    choices.colourFile = "red.bmp";

    const InstallPlan plan = planInstallation(choices, folders);
    EXPECT_EQ(lines(plan), (std::vector<std::string>{
                               "folder install_backup",
                               "copy game:models\\fordtco00.4ds -> install_backup\\fordtco00.4ds",
                               "copy game:models\\fordtco10.4ds -> install_backup\\fordtco10.4ds",
                               "folder maps",
                               "copy package:models\\car.4ds -> models\\fordtco00.4ds replaces [1]",
                               "copy package:models\\car.4ds -> models\\fordtco10.4ds replaces [1]",
                               "copy package:models\\extra.4ds -> models\\fordTrun.4ds [1]",
                               "copy package:maps\\body.bmp -> maps\\body.bmp [1]",
                               "copy package:maps\\wheels.bmp -> maps\\wheels.bmp [1]",
                               // The colour file takes the first map's place, over the copy just made.
                               "copy package:color\\red.bmp -> maps\\body.bmp replaces [1]",
                           }));
    EXPECT_EQ(plan.maps, (std::vector<std::string>{"body.bmp", "wheels.bmp"}));
    EXPECT_EQ(plan.path(plan.steps[1].from), "G:\\game\\models\\fordtco00.4ds");
    EXPECT_EQ(plan.path(plan.steps[4].from), "P:\\pkg\\models\\car.4ds");
}

TEST(InstallPlan, SeveralTargetsPassOverHeaderRows) {
    // Row 32 is a header: it gets nothing; the extra model follows the highest car, row 40.
    const std::vector<PlanCar> cars = carRows({5, 32, 40});
    ASSERT_EQ(cars.size(), 2u);
    EXPECT_EQ(cars[0].row, 5);
    EXPECT_EQ(cars[1].row, 40);
    EXPECT_TRUE(carRows({0, 31, 32}).empty());

    FakeFolders folders;
    InstallChoices choices = baseChoices();
    choices.maps.clear();
    choices.sourceExtraModel = "models\\extra.4ds";
    choices.cars = cars;
    choices.names = cars.back().names;
    choices.createGameFolder = true;
    EXPECT_EQ(lines(planInstallation(choices, folders)),
              (std::vector<std::string>{
                  "folder ",
                  "folder models",
                  "folder maps",
                  "copy package:models\\car.4ds -> models\\fordtco04.4ds [5]",
                  "copy package:models\\car.4ds -> models\\fordtco14.4ds [5]",
                  "copy package:models\\car.4ds -> models\\ForAcou03.4ds [40]",
                  "copy package:models\\car.4ds -> models\\ForAcou13.4ds [40]",
                  "copy package:models\\extra.4ds -> models\\fordAtud.4ds [40]",
              }));
}

TEST(InstallPlan, OptionalContentOnlyWhereTheFilesAre) {
    FakeFolders folders;
    folders.folders = {"g:\\game\\", "g:\\game\\models", "g:\\game\\maps", "g:\\game\\sounds"};
    // The game has the horn and the engine-on sound of the car, the package the horn and idle.
    const std::vector<PlanCar> cars = carRows({5});
    const TargetFileSet& names = cars[0].names;
    folders.files = {lowerCp1252("g:\\game\\sounds\\" + names.TargetHorn),
                     lowerCp1252("g:\\game\\sounds\\" + names.TargetSoundOn), "p:\\pkg\\sounds\\horn.wav",
                     "p:\\pkg\\sounds\\0.wav", "p:\\pkg\\tables\\vehicles.bin"};
    InstallChoices choices = baseChoices();
    choices.maps.clear();
    choices.cars = cars;
    choices.names = names;
    choices.backupSounds = choices.installSounds = true;
    choices.backupVehicles = choices.installVehicles = true;

    const auto plan = lines(planInstallation(choices, folders));
    const std::vector<std::string> expected = {
        "copy package:models\\car.4ds -> models\\fordtco04.4ds [5]",
        "copy package:models\\car.4ds -> models\\fordtco14.4ds [5]",
        "folder install_backup",
        "copy game:sounds\\" + names.TargetSoundOn + " -> install_backup\\" + names.TargetSoundOn,
        "copy game:sounds\\" + names.TargetHorn + " -> install_backup\\" + names.TargetHorn,
        "copy package:sounds\\0.wav -> sounds\\" + names.TargetSound0 + " [5]",
        "copy package:sounds\\horn.wav -> sounds\\" + names.TargetHorn + " replaces [5]",
        // The game has no table to back up, and no "tables" folder to put one in.
        "folder tables",
        "copy package:tables\\vehicles.bin -> tables\\vehicles.bin [5]",
    };
    EXPECT_EQ(plan, expected);
}

TEST(InstallPlan, FailureListStaysShort) {
    std::vector<CopyFailure> failures;
    for (int i = 0; i < 40; ++i) {
        failures.push_back({"G:\\game\\maps\\m" + std::to_string(i) + ".bmp", 112, 0, {}});
    }
    const std::string text = failureListText(failures, 15);
    EXPECT_EQ(text.rfind("40 files could not be installed:", 0), 0u);
    EXPECT_NE(text.find("m13.bmp\": There is not enough space on the disk."), std::string::npos);
    EXPECT_EQ(text.find("m14.bmp"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 16), "... and 26 more.");
    EXPECT_EQ(failureListText({failures[0]}), "1 file could not be installed:\r\n\"G:\\game\\maps\\m0.bmp\": "
                                              "There is not enough space on the disk.");
}

} // namespace
} // namespace obrinex
