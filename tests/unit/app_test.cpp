#include "app/errors.h"
#include "app/game_folder.h"
#include "app/main_window.h"

#include <gtest/gtest.h>

namespace obrinex {
namespace {

TEST(SideStrip, FallsFromWhiteToSilverWithTheSinglePrecisionStep) {
    const std::pair<int, int> columns[] = {{0, 255},  {1, 255},   {2, 254},  {79, 224},
                                           {80, 223}, {159, 192}, {160, 192}};
    for (auto [x, grey] : columns) {
        EXPECT_EQ(MainWindow::stripGrey(x), grey) << "column " << x;
    }
    // Runs of two or three columns, never rising.
    int run = 1;
    for (int x = 1; x <= 160; ++x) {
        int step = MainWindow::stripGrey(x - 1) - MainWindow::stripGrey(x);
        ASSERT_TRUE(step == 0 || step == 1) << "column " << x;
        if (step == 0) {
            ++run;
        } else {
            EXPECT_TRUE(run == 2 || run == 3) << "run ending at column " << x - 1;
            run = 1;
        }
    }
}

TEST(ErrorBox, TitleAndFullStop) {
    EXPECT_EQ(programTitle("/pkg/Setup.exe"), "Setup");
    EXPECT_EQ(programTitle("C:\\Mods\\OBRINEX.v2.EXE"), "Obrinex");
    EXPECT_EQ(programTitle("C:\\Mods\\\xC4RGER.exe"), "\xC4rger");
    EXPECT_EQ(programTitle("noext"), "noext"); // the first character keeps its case
    EXPECT_EQ(programTitle("/pkg/SETUP"), "Setup");

    EXPECT_EQ(errorBoxText("I/O error 183"), "I/O error 183.");
    EXPECT_EQ(errorBoxText("List index out of bounds (2)"), "List index out of bounds (2)");
    EXPECT_EQ(errorBoxText("Invalid data type for 'idir'"), "Invalid data type for 'idir'");
    EXPECT_EQ(errorBoxText("Done."), "Done.");
    EXPECT_EQ(errorBoxText("ends with /"), "ends with /.");
    EXPECT_EQ(errorBoxText(""), "");
}

TEST(IoErrorText, NamesTheCodesOfTheRuntime) {
    EXPECT_EQ(IoError(2).text(), "File not found");
    EXPECT_EQ(IoError(3).text(), "Invalid filename");
    EXPECT_EQ(IoError(5).text(), "File access denied");
    EXPECT_EQ(IoError(183).text(), "I/O error 183");
    EXPECT_EQ(IoError(112).text(), "I/O error 112");
}

TEST(RegistryGameFolder, TurnsRawDataIntoAFolder) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string data;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"path and one NUL", "C:\\Games\\Zarvo\\\0"s, "C:\\Games\\Zarvo\\"},
        {"no NUL", "C:\\Games\\Zarvo\\", "C:\\Games\\Zarvo\\"},
        {"no closing backslash", "C:\\Games\\Zarvo", "C:\\Games\\"},
        {"no closing backslash, NULs", "C:\\Games\\Zarvo\0\0"s, "C:\\Games\\"},
        {"no backslash at all", "Zarvo", std::nullopt},
        {"several NULs", "C:\\Zarvo\\\0\0\0"s, "C:\\Zarvo\\"},
        {"NUL inside", "C:\\A\0B\\C"s, "C:\\A\r\nB\\"},
        {"only NULs", "\0\0"s, std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gameFolderFromRegistryData(c.data), c.folder) << c.name;
    }
}

} // namespace
} // namespace obrinex
