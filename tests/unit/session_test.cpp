#include "carlog/car_list.h"
#include "platform/posix/posix_files.h"
#include "session/confined_files.h"
#include "session/package_report.h"
#include "session/replacement_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace obrinex {
namespace {

namespace fs = std::filesystem;

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/obrinex-session-XXXXXX";
        root_ = ::mkdtemp(pattern);
        files_.mapDrive('z', "/");
    }
    void TearDown() override { fs::remove_all(root_); }

    void write(const std::string& relative, const std::string& content) {
        const fs::path path = root_ + "/" + relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    // The folder text the command line hands the core for a host folder below the root.
    std::string folder(const std::string& relative) {
        std::string text = "Z:" + root_ + "/" + relative + "/";
        std::replace(text.begin(), text.end(), '/', '\\');
        return text;
    }
    std::vector<std::string> tree() {
        std::vector<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator(root_)) {
            paths.push_back(entry.path().string());
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    std::string root_;
    PosixFileSystem files_;
};

struct RefusalCase {
    const char* name;
    std::optional<std::string> descriptor; // none: no setup.ini
    std::vector<std::string> problems;
};

class PackageRefusal : public SessionTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PackageRefusal, NamesEveryReasonWithTheWizardsOwnMessage) {
    write("pkg/models/car.4ds", "M");
    write("pkg/maps/a.map", "A");
    if (GetParam().descriptor) {
        write("pkg/setup.ini", *GetParam().descriptor);
    } else {
        fs::create_directories(root_ + "/pkg");
    }
    const auto before = tree();
    PackageReport report = inspectPackage(files_, folder("pkg"));
    EXPECT_EQ(report.problems, GetParam().problems);
    EXPECT_EQ(report.installable(), GetParam().problems.empty());
    EXPECT_EQ(tree(), before);
}

std::string manyMaps() {
    std::string text = "Racer, Ann, a\r\ncar.4ds\r\n\r\n";
    for (int i = 0; i < 101; ++i) {
        text += "a.map\r\n";
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Session, PackageRefusal,
    ::testing::Values(
        RefusalCase{"Installable", "Racer, Ann, a\r\ncar.4ds\r\n\r\na.map\r\n\r\n", {}},
        RefusalCase{"NoDescriptor", std::nullopt, {"The package folder holds no setup.ini."}},
        RefusalCase{"TwoLines", "Racer, Ann, a\r\ncar.4ds\r\n", {"List index out of bounds (2)"}},
        RefusalCase{"EmptyLine2",
                    "Racer, Ann, a\r\n\r\n\r\na.map\r\n",
                    {"Line 2 of setup.ini, the model file, is empty."}},
        RefusalCase{"NameLeavesThePackage",
                    "Racer, Ann, a\r\ncar.4ds\r\n\r\n..\\..\\x.map\r\n",
                    {"Line 4 of setup.ini names a file outside the package folder: \"..\\..\\x.map\""}},
        RefusalCase{"TooManyMaps",
                    manyMaps(),
                    {"setup.ini lists 101 map files; a package can install at most 100 map files."}},
        RefusalCase{"MissingFiles",
                    "Racer, Ann, a\r\ncar.4ds\r\nextra.4ds\r\na.map\r\nb.map\r\n",
                    {"The package lacks models\\extra.4ds, named in line 3 of setup.ini.",
                     "The package lacks maps\\b.map, named in line 5 of setup.ini."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, InspectionShowsWhatTheIntroductionPageAndTheLaterPagesOffer) {
    write("pkg/setup.ini",
          "Racer, Ann \xB7 Bob, ann@x \xB7 bob@x\r\nCar.4ds\r\nextra.4ds\r\nb.map\r\na.map\r\n");
    for (const char* name :
         {"models/car.4ds", "models/extra.4ds", "maps/a.map", "maps/b.map", "color/Red.bmp", "color/blue.bmp",
          "cars/low.4ds", "sounds/horn.wav", "sounds/0.wav", "tables/vehicles.bin"}) {
        write(std::string("pkg/") + name, "x");
    }
    write("pkg/readme.txt", "[english]\r\n1=Hello\r\n[francais]\r\n7=Salut\r\n[deutsch]\r\n1=\r\n");
    write("pkg/setup.bmp", "not a bitmap");

    PackageReport report = inspectPackage(files_, folder("pkg"));

    EXPECT_TRUE(report.installable());
    EXPECT_EQ(report.warnings, std::vector<std::string>{"Bitmap image is not valid."});
    EXPECT_EQ(std::vector<std::string>({report.car, report.author, report.email, report.converter,
                                        report.converterEmail, report.model, report.extraModel}),
              std::vector<std::string>({"Racer", "Ann", "ann@x", "Bob", "bob@x", "Car.4ds", "extra.4ds"}));
    EXPECT_EQ(report.maps, std::vector<std::string>({"b.map", "a.map"}));
    EXPECT_EQ(report.colours, std::vector<std::string>({"blue.bmp", "Red.bmp"}));
    // The side picture that fails to load ends the window's showing before the variants are
    // listed, as in the wizard.
    EXPECT_EQ(report.variants, std::vector<std::string>{});
    EXPECT_EQ(report.sounds, std::vector<std::string>({"0.wav", "horn.wav"}));
    EXPECT_TRUE(report.vehiclesBin);
    EXPECT_EQ(report.readme, std::vector<Language>({Language::English, Language::French}));
}

TEST_F(SessionTest, LogRowsWithTheirMapListsAndTheWizardsMessageForADamagedFile) {
    const std::vector<ListViewRow> rows = {{"Racer", {"Bolt Ace Coupe (blau)", "1"}, 0},
                                           {"Old", {"Bolt Ace Coupe (braun)", "3"}, 2}};
    write("game/carchanger/cars/carlist.sav", encodeCarList(rows));
    write("game/carchanger/cars/1.txt", "a.map\r\nb.map\r\n");
    ReplacementLog log = readReplacementLog(files_, folder("game"));
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.rows[0].car, "Racer");
    EXPECT_EQ(log.rows[0].replaced, "Bolt Ace Coupe (blau)");
    EXPECT_EQ(log.rows[0].id, "1");
    EXPECT_EQ(log.rows[0].maps, std::vector<std::string>({"a.map", "b.map"}));
    EXPECT_EQ(log.rows[1].imageIndex, 2);
    EXPECT_EQ(log.rows[1].maps, std::nullopt);
    EXPECT_TRUE(log.failures.empty());

    EXPECT_TRUE(readReplacementLog(files_, folder("nowhere")).rows.empty());
    EXPECT_TRUE(readReplacementLog(files_, folder("nowhere")).failures.empty());

    write("game/carchanger/cars/carlist.sav", "XYZ damaged");
    log = readReplacementLog(files_, folder("game"));
    EXPECT_TRUE(log.rows.empty());
    EXPECT_EQ(log.failures, std::vector<std::string>{"\"carlist.sav\" is not a ListView file!"});
}

TEST_F(SessionTest, ConfinedFilesReadThePackageAndTheGameAndWriteOnlyTheGame) {
    write("pkg/setup.ini", "x");
    write("game/models/a.4ds", "x");
    write("other/b", "x");
    const std::string package = folder("pkg");
    const std::string game = folder("game");
    ConfinedFileSystem confined(files_, package, game);

    EXPECT_TRUE(confined.fileExists(package + "setup.ini"));
    EXPECT_TRUE(confined.directoryExists(game.substr(0, game.size() - 1)));
    EXPECT_TRUE(confined.fileExists(game + "models\\a.4ds"));
    EXPECT_FALSE(confined.fileExists(folder("other") + "b"));
    EXPECT_FALSE(confined.fileExists(game + "..\\other\\b"));
    std::string content;
    EXPECT_EQ(confined.readFile(folder("other") + "b", content), 2u);

    EXPECT_EQ(confined.createDirectory(game + "maps"), 0u);
    EXPECT_EQ(confined.copyFile(package + "setup.ini", game + "maps\\s.ini").error, 0u);
    EXPECT_EQ(confined.writeFile(package + "new", "x"), 5u);
    EXPECT_EQ(confined.copyFile(game + "models\\a.4ds", folder("other") + "c").error, 5u);
    EXPECT_EQ(confined.createDirectory(game + "..\\escape"), 5u);
    EXPECT_FALSE(fs::exists(root_ + "/pkg/new"));
    EXPECT_FALSE(fs::exists(root_ + "/other/c"));
    EXPECT_FALSE(fs::exists(root_ + "/escape"));
}

} // namespace
} // namespace obrinex
