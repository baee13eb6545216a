#include "platform/posix/posix_files.h"
#include "platform/posix/posix_shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace obrinex {
namespace {

namespace fs = std::filesystem;

class PosixFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/obrinex-files-XXXXXX";
        root_ = ::mkdtemp(pattern);
        files_.mapDrive('C', root_ + "/drive_c");
        fs::create_directories(root_ + "/drive_c/Program Files/Zarvo/Models");
        write("drive_c/Program Files/Zarvo/Models/FordTCo00.4ds", "model");
        fs::create_directories(root_ + "/pkg/color/sub");
        write("pkg/color/b.bmp", "b");
        write("pkg/color/A.bmp", "a");
        write("pkg/color/.hidden", "h");
        write("pkg/color/\xC3\xA4rger.bmp", "umlaut");
    }
    void TearDown() override { fs::remove_all(root_); }

    void write(const std::string& relative, const std::string& content) {
        std::ofstream(root_ + "/" + relative, std::ios::binary) << content;
    }
    std::string read(const std::string& relative) {
        std::ifstream in(root_ + "/" + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string root_;
    PosixFileSystem files_;
};

TEST_F(PosixFilesTest, MapsDrivesSeparatorsAndLetterCase) {
    EXPECT_EQ(files_.hostPath("C:\\Program Files\\Zarvo\\models\\fordtco00.4ds"),
              root_ + "/drive_c/Program Files/Zarvo/Models/FordTCo00.4ds");
    EXPECT_EQ(files_.hostPath("c:/program files/zarvo/"), root_ + "/drive_c/Program Files/Zarvo/");
    // A name that does not exist keeps its spelling, so it can be created.
    EXPECT_EQ(files_.hostPath("C:\\Program Files\\zarvo\\new\\x"),
              root_ + "/drive_c/Program Files/Zarvo/new/x");
    EXPECT_EQ(files_.hostPath("D:\\x"), std::nullopt);
    EXPECT_EQ(files_.hostPath(root_ + "/PKG\\Color\\a.BMP"), root_ + "/pkg/color/A.bmp");
}

TEST_F(PosixFilesTest, ExistenceTestsTellFilesFromFolders) {
    const std::string game = "C:\\Program Files\\Zarvo\\";
    EXPECT_TRUE(files_.fileExists(game + "models\\FORDTCO00.4ds"));
    EXPECT_FALSE(files_.fileExists(game + "models"));
    EXPECT_FALSE(files_.fileExists(game + "models\\")); // an empty name is no file
    EXPECT_TRUE(files_.directoryExists(game + "models"));
    EXPECT_TRUE(files_.directoryExists(game + "models\\"));
    EXPECT_FALSE(files_.directoryExists(game + "models\\fordtco00.4ds"));
    EXPECT_TRUE(files_.directoryExists("C:\\"));
    EXPECT_FALSE(files_.directoryExists("D:\\"));
    EXPECT_FALSE(files_.fileExists("D:\\x"));
    EXPECT_FALSE(files_.directoryExists(""));
}

TEST_F(PosixFilesTest, ListsOrdinaryVisibleFilesSortedWithoutCase) {
    auto names = files_.listFiles(root_ + "/pkg/color");
    EXPECT_EQ(names, (std::vector<std::string>{"A.bmp", "b.bmp", "\xE4rger.bmp"}));
    EXPECT_EQ(files_.listDirectories(root_ + "/pkg/color"), std::vector<std::string>{"sub"});
    EXPECT_TRUE(files_.listFiles(root_ + "/none").empty());
    EXPECT_TRUE(files_.listFiles("D:\\").empty());
}

TEST_F(PosixFilesTest, CreatesOneFolderWithWindowsCodes) {
    EXPECT_EQ(files_.createDirectory("C:\\Games"), 0u);
    EXPECT_TRUE(fs::is_directory(root_ + "/drive_c/Games"));
    EXPECT_EQ(files_.createDirectory("C:\\Games"), 183u);
    EXPECT_EQ(files_.createDirectory("C:\\Program Files\\Zarvo\\models\\fordtco00.4ds"), 183u);
    EXPECT_EQ(files_.createDirectory("C:\\Missing\\Games"), 3u);
    EXPECT_EQ(files_.createDirectory("D:\\Games"), 3u);
    EXPECT_EQ(files_.createDirectory(""), 3u);
    files_.faults().writeFails.push_back(root_ + "/drive_c/Locked");
    EXPECT_EQ(files_.createDirectory("C:\\locked\\"), 5u);
}

TEST_F(PosixFilesTest, CopiesReplaceWholeFilesOrNothing) {
    using Side = CopyResult::Side;
    const std::string target = "C:\\Program Files\\Zarvo\\models\\fordtco00.4ds";
    EXPECT_FALSE(files_.copyFile(root_ + "/pkg/color/A.bmp", target).failed());
    EXPECT_EQ(read("drive_c/Program Files/Zarvo/Models/FordTCo00.4ds"), "a");

    // Each failure names the side that failed, with the system's code.
    struct Case {
        std::string source, target;
        std::uint32_t error;
        Side side;
    };
    for (const Case& c : std::vector<Case>{
             {root_ + "/pkg/color/missing", target, 2, Side::Source},
             {root_ + "/pkg/color", target, 5, Side::Source},
             {root_ + "/pkg/color/A.bmp", "C:\\Program Files\\Zarvo\\models\\", 3, Side::Target},
             {root_ + "/pkg/color/A.bmp", "C:\\nowhere\\x", 3, Side::Target},
             {root_ + "/pkg/color/A.bmp", "C:\\Program Files\\Zarvo\\models", 5, Side::Target},
         }) {
        CopyResult result = files_.copyFile(c.source, c.target);
        EXPECT_EQ(result.error, c.error) << c.source << " -> " << c.target;
        EXPECT_EQ(result.side, c.side) << c.source << " -> " << c.target;
    }

    // A full disk part-way through a copy or a write leaves the old content whole, with no
    // stray file.
    write("pkg/big.bin", std::string(200000, 'x'));
    for (std::uint64_t left : {0u, 3u, 70000u}) {
        files_.faults().bytesLeft = left;
        EXPECT_EQ(files_.copyFile(root_ + "/pkg/big.bin", target).error, 112u) << left;
        EXPECT_EQ(files_.writeFile(target, "0123456789"), 112u);
        files_.faults().clear();
        EXPECT_EQ(read("drive_c/Program Files/Zarvo/Models/FordTCo00.4ds"), "a");
        EXPECT_EQ(std::distance(fs::directory_iterator(root_ + "/drive_c/Program Files/Zarvo/Models"), {}),
                  1);
    }

    files_.faults().writeFails.push_back(root_ + "/drive_c/Program Files/Zarvo/Models/FordTCo00.4ds");
    CopyResult refused = files_.copyFile(root_ + "/pkg/color/b.bmp", target);
    EXPECT_EQ(refused.error, 5u);
    EXPECT_EQ(refused.side, Side::Target);
    EXPECT_EQ(read("drive_c/Program Files/Zarvo/Models/FordTCo00.4ds"), "a");
    files_.faults().clear();

    // Without the seam the kernel copies; a large file arrives whole.
    EXPECT_FALSE(files_.copyFile(root_ + "/pkg/big.bin", target).failed());
    EXPECT_EQ(read("drive_c/Program Files/Zarvo/Models/FordTCo00.4ds"), std::string(200000, 'x'));
}

TEST_F(PosixFilesTest, StaleTemporariesOfEndedRunsAreRemoved) {
    // A run killed part-way leaves its temporary file; the next run removes it, but not one of
    // a process that still runs, nor a file of the player's that only looks alike.
    const std::string folder = "drive_c/Program Files/Zarvo/Models/";
    write(folder + "~obx999999999-3.tmp", "left by a killed run");
    const std::string mine = "~obx" + std::to_string(::getpid()) + "-0.tmp";
    write(folder + mine, "in use");
    write(folder + "~obx12-x.tmp", "not ours");
    files_.removeTemporaries("C:\\Program Files\\Zarvo\\models\\");
    EXPECT_FALSE(fs::exists(root_ + "/" + folder + "~obx999999999-3.tmp"));
    EXPECT_TRUE(fs::exists(root_ + "/" + folder + mine));
    EXPECT_TRUE(fs::exists(root_ + "/" + folder + "~obx12-x.tmp"));
    EXPECT_TRUE(fs::exists(root_ + "/" + folder + "FordTCo00.4ds"));
}

TEST_F(PosixFilesTest, ShellOpenPassesTheTargetAsOneArgument) {
    // A stand-in xdg-open records its arguments; nothing in the target may reach a shell.
    fs::create_directories(root_ + "/bin");
    write("bin/xdg-open", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n");
    fs::permissions(root_ + "/bin/xdg-open", fs::perms::owner_all);
    std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (root_ + "/bin:" + oldPath).c_str(), 1);
    PosixShell().open("mailto:a@b.c; touch '" + root_ + "/pwned' $(id)");
    ::setenv("PATH", oldPath.c_str(), 1);
    for (int i = 0; i < 100 && !fs::exists(root_ + "/bin/xdg-open.args"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(read("bin/xdg-open.args"), "mailto:a@b.c; touch '" + root_ + "/pwned' $(id)\n");
    EXPECT_FALSE(fs::exists(root_ + "/pwned"));
}

} // namespace
} // namespace obrinex
