#include "games/vdf.h"

#include <gtest/gtest.h>

namespace obrinex {
namespace {

using Folders = std::vector<std::string>;

struct LibraryCase {
    const char* name;
    std::string text;
    std::optional<Folders> folders;
};

// A library list whose deepest block lies `depth` levels down.
std::string nested(int depth) {
    std::string text = "\"libraryfolders\" { \"0\" { \"path\" \"/a\" } \"x\" ";
    for (int level = 2; level <= depth; ++level) {
        text += "{ \"k\" ";
    }
    text += "\"v\"";
    for (int level = 2; level <= depth; ++level) {
        text += " }";
    }
    return text + " }";
}

class SteamLibraryFolders : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(SteamLibraryFolders, ListsThePathsOrRefusesDamage) {
    EXPECT_EQ(steamLibraryFolders(GetParam().text), GetParam().folders);
}

INSTANTIATE_TEST_SUITE_P(
    Vdf, SteamLibraryFolders,
    ::testing::Values(
        LibraryCase{
            "CurrentForm",
            "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/me/.local/share/Steam\"\n"
            "\t\t\"apps\"\n\t\t{\n\t\t\t\"228980\"\t\t\"1\"\n\t\t}\n\t}\n"
            "\t\"1\"\n\t{\n\t\t\"label\"\t\t\"\"\n\t\t\"path\"\t\t\"/mnt/games/Steam Library\"\n\t}\n}\n",
            Folders{"/home/me/.local/share/Steam", "/mnt/games/Steam Library"}},
        LibraryCase{"OlderFormNumberedValues",
                    "\"LibraryFolders\" { \"TimeNextStatsReport\" \"1\" \"ContentStatsID\" \"-1\" \"1\" "
                    "\"/mnt/a\" \"2\" \"/mnt/b\" }",
                    Folders{"/mnt/a", "/mnt/b"}},
        LibraryCase{"CommentsConditionsEscapesAndBareWords",
                    "// written by Steam\nlibraryfolders { 0 { path \"D:\\\\Steam \\\"x\\\"\" [$WIN32] } "
                    "\"1\" { \"PATH\" \"/x\" } }",
                    Folders{"D:\\Steam \"x\"", "/x"}},
        LibraryCase{
            "OtherRootsAndUnnumberedKeysIgnored",
            "\"other\" { \"0\" { \"path\" \"/no\" } } \"libraryfolders\" { \"contentstatsid\" { \"path\" "
            "\"/no\" } \"0\" { \"label\" \"x\" } }",
            Folders{}},
        LibraryCase{"Empty", "", Folders{}},
        LibraryCase{"UnterminatedString", "\"libraryfolders\" { \"0\" \"/a", {}},
        LibraryCase{"UnclosedBlock", "\"libraryfolders\" { \"0\" { \"path\" \"/a\" }", {}},
        LibraryCase{"StrayClosingBrace", "\"libraryfolders\" { } }", {}},
        LibraryCase{"KeyWithoutValue", "\"libraryfolders\" { \"0\" }", {}},
        LibraryCase{"NestedAsDeepAsAllowed", nested(kMaxVdfDepth), Folders{"/a"}},
        LibraryCase{"NestedTooDeep", nested(kMaxVdfDepth + 1), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Vdf, KeepsTheTreeAndTheSingleBackslashesOfOldWindowsPaths) {
    auto nodes = parseVdf("\"a\" { \"b\" \"C:\\Games\\n\" \"c\" { } }");
    ASSERT_TRUE(nodes);
    ASSERT_EQ(nodes->size(), 1u);
    const VdfNode& a = nodes->front();
    EXPECT_TRUE(a.isBlock);
    ASSERT_EQ(a.children.size(), 2u);
    // "\G" is no escape and stays; "\n" is one.
    EXPECT_EQ(a.children[0].value, "C:\\Games\n");
    EXPECT_TRUE(a.children[1].isBlock);
    EXPECT_TRUE(a.children[1].children.empty());
}

} // namespace
} // namespace obrinex
