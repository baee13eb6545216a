#include "games/game_finder.h"
#include "platform/posix/posix_host_view.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace obrinex {
namespace {

namespace fs = std::filesystem;

// The system.reg of a prefix whose game recorded `folder`, as the game writes it.
std::string systemReg(const std::string& folder, bool win64) {
    std::string hex;
    for (char c : folder + '\0') {
        static const char digits[] = "0123456789abcdef";
        auto byte = static_cast<unsigned char>(c);
        hex += std::string(hex.empty() ? "" : ",") + digits[byte >> 4] + digits[byte & 15];
    }
    std::string text = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n";
    if (win64) {
        // A decoy in the 64-bit view, where the 32-bit game never writes: it must not be read.
        text += "#arch=win64\n\n[Software\\\\Kelvarion\\\\Zarvo] "
                "1\n\"idir\"=hex:44,3a,5c,44,65,63,6f,79,5c,00\n\n";
        text += "[Software\\\\Wow6432Node\\\\Kelvarion\\\\Zarvo] 1\n";
    } else {
        text += "#arch=win32\n\n[Software\\\\Kelvarion\\\\Zarvo] 1\n";
    }
    return text + "\"idir\"=hex:" + hex + "\n";
}

class GameFinderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/obrinex-finder-XXXXXX";
        root_ = ::mkdtemp(pattern);
        home_ = root_ + "/home";
        fs::create_directories(home_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void write(const std::string& path, const std::string& content) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    // A prefix with one drive letter mapped as Wine maps it, by a link in dosdevices.
    void prefix(const std::string& path, const std::string& record, bool win64 = false, char drive = 'c',
                const std::string& driveFolder = "drive_c") {
        write(path + "/system.reg", systemReg(record, win64));
        fs::create_directories(path + "/" + driveFolder);
        fs::create_directories(path + "/dosdevices");
        fs::create_directory_symlink("../" + driveFolder,
                                     path + "/dosdevices/" + std::string(1, drive) + ":");
    }

    FinderResult find(std::optional<std::string> winePrefix = std::nullopt) {
        PosixHostView view;
        return findGamesInWinePrefixes(FinderInput{home_, std::move(winePrefix)}, view);
    }

    std::string root_;
    std::string home_;
};

using Row = std::tuple<std::string, std::string, std::optional<std::string>, bool>;

std::vector<Row> rows(const FinderResult& result) {
    std::vector<Row> out;
    for (const FoundGame& game : result.games) {
        out.emplace_back(game.prefix.value_or("?"), game.record, game.folder, game.exists);
    }
    return out;
}

TEST_F(GameFinderTest, FindsEveryKindOfPrefixOnceEachOrderedByPath) {
    // Plain Wine, also named by WINEPREFIX; the folder exists under another letter case.
    prefix(home_ + "/.wine", "C:\\Games\\Zarvo\\");
    fs::create_directories(home_ + "/.wine/drive_c/games/zarvo");
    // Proton in a second Steam library that only the root's library list names; ~/.steam/steam
    // is the usual link to the root.
    write(home_ + "/.local/share/Steam/steamapps/libraryfolders.vdf",
          "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + home_ +
              "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + root_ +
              "/library2\"\n\t}\n}\n");
    fs::create_directories(home_ + "/.steam");
    fs::create_directory_symlink(home_ + "/.local/share/Steam", home_ + "/.steam/steam");
    prefix(root_ + "/library2/steamapps/compatdata/4711/pfx", "D:\\Zarvo\\", true, 'd', "drive_d");
    // Lutris, with no drive for the record's letter.
    write(home_ + "/Games/zarvo/system.reg", systemReg("E:\\Zarvo\\", false));
    // A Flatpak Bottles bottle, also reached through the native Bottles folder.
    const std::string flatpak = home_ + "/.var/app/com.usebottles.bottles/data/bottles/bottles";
    prefix(flatpak + "/Gaming", "C:\\Zarvo\\");
    fs::create_directories(flatpak + "/Gaming/drive_c/Zarvo");
    fs::create_directories(home_ + "/.local/share/bottles");
    fs::create_directory_symlink(flatpak, home_ + "/.local/share/bottles/bottles");
    // Folders that are no prefix.
    fs::create_directories(home_ + "/Games/empty");
    fs::create_directories(root_ + "/library2/steamapps/compatdata/0");

    FinderResult result = find(home_ + "/.wine");

    EXPECT_EQ(rows(result),
              (std::vector<Row>{
                  {home_ + "/.local/share/bottles/bottles/Gaming", "C:\\Zarvo\\",
                   fs::canonical(flatpak).string() + "/Gaming/drive_c/Zarvo/", true},
                  {home_ + "/.wine", "C:\\Games\\Zarvo\\", home_ + "/.wine/drive_c/games/zarvo/", true},
                  {home_ + "/Games/zarvo", "E:\\Zarvo\\", std::nullopt, false},
                  {root_ + "/library2/steamapps/compatdata/4711/pfx", "D:\\Zarvo\\",
                   root_ + "/library2/steamapps/compatdata/4711/pfx/drive_d/Zarvo/", false},
              }));
    EXPECT_EQ(result.warnings, std::vector<std::string>{});
}

TEST_F(GameFinderTest, SkipsDamagedHugeAndForeignRegistriesWithAWarning) {
    prefix(home_ + "/.wine", "C:\\Games\\Zarvo\\");
    write(home_ + "/Games/garbage/system.reg", std::string("\x7f"
                                                           "ELF\0\xff\xfe",
                                                           7));
    write(home_ + "/Games/empty/system.reg", "");
    write(home_ + "/Games/cut/system.reg", "WINE REGISTRY Version 2\n[Software\\\\Kelvarion\\\\Zar");
    write(home_ + "/Games/string/system.reg",
          "WINE REGISTRY Version 2\n[Software\\\\Kelvarion\\\\Zarvo] 1\n\"idir\"=\"C:\\\\Zarvo\\\\\"\n");
    write(home_ + "/Games/huge/system.reg", "WINE REGISTRY Version 2\n");
    fs::resize_file(home_ + "/Games/huge/system.reg", kMaxSystemRegBytes + 1);
    write(home_ + "/.local/share/Steam/steamapps/libraryfolders.vdf", "\"libraryfolders\" { \"0\" {");

    FinderResult result = find();

    ASSERT_EQ(result.games.size(), 1u);
    EXPECT_EQ(result.games[0].prefix, home_ + "/.wine");
    const std::vector<std::string> expected = {
        "skipped " + home_ +
            "/.local/share/Steam/steamapps/libraryfolders.vdf: not a Steam library list that can be read",
        "skipped " + home_ + "/Games/empty/system.reg: not a Wine registry file",
        "skipped " + home_ + "/Games/garbage/system.reg: not a Wine registry file",
        "skipped " + home_ + "/Games/huge/system.reg: larger than " + std::to_string(kMaxSystemRegBytes) +
            " bytes",
        "skipped the game's record in " + home_ + "/Games/string/system.reg: Invalid data type for 'idir'",
    };
    EXPECT_EQ(result.warnings, expected);
}

TEST_F(GameFinderTest, NoHomeAndNothingFound) {
    PosixHostView view;
    EXPECT_TRUE(findGamesInWinePrefixes(FinderInput{}, view).games.empty());
    EXPECT_TRUE(find().games.empty());
}

} // namespace
} // namespace obrinex
