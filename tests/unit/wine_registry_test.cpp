#include "platform/posix/wine_prefix.h"
#include "platform/wine_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace obrinex {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;

constexpr std::string_view kHeader = "WINE REGISTRY Version 2\n";

// The registry's form of a string value: UTF-16LE with the terminating NUL.
std::string regSz(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out + "\0\0"s;
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

WineRegistryFile parseOrFail(std::string_view text) {
    auto file = WineRegistryFile::parse(text);
    if (!file) {
        ADD_FAILURE() << "not accepted:\n" << text;
        return *WineRegistryFile::parse(kHeader);
    }
    return std::move(*file);
}

// The value "v" of a key "K" whose only content is `valueLine`.
std::optional<WineValue> valueFromLine(std::string_view valueLine) {
    const auto file = parseOrFail(std::string(kHeader) + "[K] 1700000000\n" + std::string(valueLine) + "\n");
    const WineKey* key = file.findKey("K");
    if (key == nullptr || key->findValue("v") == nullptr) {
        return std::nullopt;
    }
    return *key->findValue("v");
}

std::string readFixture() {
    std::ifstream in(fs::path(__FILE__).parent_path() / "../data/wine/system.reg", std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

struct StringCase {
    std::string_view what;
    std::string line;
    std::u16string expected;
};

const StringCase kStringCases[] = {
    {"backslashes", R"("v"="C:\\Games\\Zarvo\\")", u"C:\\Games\\Zarvo\\"},
    {"quotes", R"("v"="say \"hi\"")", u"say \"hi\""},
    {"C escapes", R"("v"="a\nb\rc\td\ae\bf\vg\fh\ei")", u"a\nb\rc\td\ae\bf\vg\fh\x1bi"},
    {"NUL inside", R"("v"="a\0b")", std::u16string(u"a\0b", 3)},
    {"short hex escape", R"("v"="Z\xe4rvo")", u"Z\u00e4rvo"},
    {"four-digit hex escape before a hex letter", R"("v"="\x00e4a")", u"\u00e4a"},
    {"hex escape beyond Latin-1", R"("v"="\x20ac")", u"\u20ac"},
    {"hex escape without digits", R"("v"="\x")", u"x"},
    {"octal escape", R"("v"="\101")", u"A"},
    {"three-digit octal before a digit", R"("v"="\0012")",
     u"\u0001"
     u"2"},
    {"unknown escape stands for the letter", R"("v"="\q")", u"q"},
    {"UTF-8 bytes", "\"v\"=\"Z\xC3\xA4rvo \xE2\x82\xAC \xF0\x9F\x9A\x97\"", u"Z\u00e4rvo \u20ac \U0001F697"},
    {"invalid UTF-8 dropped", "\"v\"=\"a\xFF\xC3(b\"", u"a(b"},
    {"overlong UTF-8 dropped", "\"v\"=\"a\xC0\xAF\xE0\x80\xAFz\"", u"az"},
    {"empty", R"("v"="")", u""},
    {"str: prefix", R"("v"=str:"plain")", u"plain"},
    {"blanks around the equals sign", "\"v\" \t= \"x\"", u"x"},
    {"text after the closing quote ignored", R"("v"="x" junk)", u"x"},
};

TEST(WineRegistryParse, StringValues) {
    for (const auto& c : kStringCases) {
        SCOPED_TRACE(c.what);
        const auto value = valueFromLine(c.line);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, RegSz);
        EXPECT_EQ(value->data, regSz(c.expected));
    }
}

struct DataCase {
    std::string_view what;
    std::string line;
    std::uint32_t type;
    std::string data;
};

const DataCase kDataCases[] = {
    {"dword", R"("v"=dword:00001234)", RegDword, bytes({0x34, 0x12, 0, 0})},
    {"dword all ones", R"("v"=dword:FFFFFFFF)", RegDword, bytes({0xFF, 0xFF, 0xFF, 0xFF})},
    {"expandable string", R"("v"=str(2):"%SystemRoot%\\temp")", RegExpandSz, regSz(u"%SystemRoot%\\temp")},
    {"multi-string", R"("v"=str(7):"a\0b\0")", 7, regSz(std::u16string(u"a\0b\0", 4))},
    {"binary", R"("v"=hex:43,3a,5c,00)", RegBinary, "C:\\\0"s},
    {"empty binary", R"("v"=hex:)", RegBinary, ""},
    {"binary with blanks and one-digit bytes", "\"v\"=hex:1 , A,\t0b", RegBinary, bytes({1, 10, 11})},
    {"numbered type", R"("v"=hex(6):5c,00)", 6, bytes({0x5C, 0})},
    {"type none with data", R"("v"=hex(0):ff)", RegNone, bytes({0xFF})},
    {"large type number", R"("v"=hex(100):01)", 0x100, bytes({1})},
    {"number-typed string", R"("v"=hex(1):41,00,00,00)", RegSz, regSz(u"A")},
};

TEST(WineRegistryParse, ValueTypes) {
    for (const auto& c : kDataCases) {
        SCOPED_TRACE(c.what);
        const auto value = valueFromLine(c.line);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST(WineRegistryParse, BrokenDataLeavesEmptyValueOfNoType) {
    const std::string_view lines[] = {
        R"("v"=hex:100)",
        R"("v"=hex:01,zz)",
        R"("v"="unterminated)",
        R"("v"=bogus:1)",
        R"("v"=hex(6:01)",
        R"("v"=hex():01)",
        R"("v"=str(2):x)",
        R"("v"=hex:01,\)",
        R"("v"=str(3):"text")",
        R"("v"=hex(123456789):00)",
        // Wine's reader ends a line at a NUL byte, so the closing quote is never seen.
        "\"v\"=\"a\0b\""sv,
    };
    for (const auto line : lines) {
        SCOPED_TRACE(line);
        const auto value = valueFromLine(line);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, RegNone);
        EXPECT_EQ(value->data, "");
    }
}

TEST(WineRegistryParse, BrokenValueNameMakesNoValue) {
    for (const auto line : {R"("v=1)", R"("v" 1)", R"("v")", R"(@x="1")", R"("v\"="1")"}) {
        SCOPED_TRACE(line);
        const auto file = parseOrFail(std::string(kHeader) + "[K]\n" + line + "\n");
        ASSERT_NE(file.findKey("K"), nullptr);
        EXPECT_TRUE(file.findKey("K")->values().empty());
    }
}

TEST(WineRegistryParse, HexContinuedOverLines) {
    const auto file = parseOrFail("WINE REGISTRY Version 2\r\n"
                                  "[K]\r\n"
                                  "\"v\"=hex:01,02,\\\r\n"
                                  "\t  03,\\\r\n"
                                  "  04\r\n"
                                  "\"w\"=hex(7):05,\\\n"
                                  "  06  \n"
                                  "@=dword:1\n");
    const WineKey* key = file.findKey("K");
    ASSERT_NE(key, nullptr);
    ASSERT_NE(key->findValue("v"), nullptr);
    EXPECT_EQ(key->findValue("v")->data, bytes({1, 2, 3, 4}));
    ASSERT_NE(key->findValue("w"), nullptr);
    EXPECT_EQ(key->findValue("w")->type, 7u);
    EXPECT_EQ(key->findValue("w")->data, bytes({5, 6}));
    // The line after the continuation is read as a line of its own again.
    ASSERT_NE(key->findValue(""), nullptr);
    EXPECT_EQ(key->findValue("")->type, RegDword);
}

struct LookupCase {
    std::string_view path;
    bool found;
};

TEST(WineRegistryParse, KeyLookupIgnoresCase) {
    const auto file = parseOrFail(std::string(kHeader) + "[Software\\\\Kelvarion\\\\Zarvo] 1700000000\n"
                                                         "#time=1d9f1a2b3c4d5e6\n"
                                                         "\"IDir\"=hex:41\n"
                                                         "[Software\\\\K\\xe4se\\\\\xC3\x85RE]\n"
                                                         "\"Gr\\xf6\\x00dfe\"=dword:2\n"
                                                         "[Software\\\\a\\]b]\n");
    const LookupCase cases[] = {
        {"Software\\Kelvarion\\Zarvo", true},
        {"SOFTWARE\\kelvarion\\zARVO", true},
        {"Software\\Kelvarion\\Zarvo\\", true},
        {"Software\\Kelvarion", true},
        {"Software\\K\xC3\xA4se\\\xC3\xA5re", true},
        {"SOFTWARE\\K\xC3\x84SE\\\xC3\x85RE", true},
        {"Software\\a]b", true},
        {"Software\\Kelvarion\\Zarvo\\Sub", false},
        {"Software\\Kelvario", false},
        {"Software\\Kase", false},
        {"\\Software\\Kelvarion\\Zarvo", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(file.findKey(c.path) != nullptr, c.found);
    }
    const WineKey* zarvo = file.findKey("software\\kelvarion\\zarvo");
    ASSERT_NE(zarvo, nullptr);
    EXPECT_EQ(zarvo->name(), "Zarvo");
    ASSERT_NE(zarvo->findValue("idir"), nullptr);
    EXPECT_EQ(zarvo->findValue("idir")->name, "IDir");
    EXPECT_EQ(zarvo->findValue("idirx"), nullptr);
    const WineKey* kaese = file.findKey("Software\\K\xC3\x84SE\\\xC3\xA5re");
    ASSERT_NE(kaese, nullptr);
    EXPECT_NE(kaese->findValue("GR\xC3\x96\xC3\x9F"
                               "E"),
              nullptr);
}

TEST(WineRegistryParse, RepeatedKeysAndValuesMerge) {
    const auto file =
        parseOrFail(std::string(kHeader) + "[K]\n\"a\"=\"1\"\n\"Same\"=\"old\"\n"
                                           "[Other]\n"
                                           "[k]\n\"b\"=\"2\"\n\"SAME\"=dword:7\n\"a\"=hex:zz\n");
    const WineKey* key = file.findKey("K");
    ASSERT_NE(key, nullptr);
    ASSERT_EQ(key->values().size(), 3u);
    ASSERT_NE(key->findValue("a"), nullptr);
    ASSERT_NE(key->findValue("b"), nullptr);
    const WineValue* same = key->findValue("same");
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->name, "Same");
    EXPECT_EQ(same->type, RegDword);
    // A repeated value with broken data does not keep the earlier data.
    EXPECT_EQ(key->findValue("a")->type, RegNone);
    EXPECT_EQ(key->findValue("a")->data, "");
}

TEST(WineRegistryParse, ValuesWithoutAValidKeyAreDropped) {
    const auto file = parseOrFail(std::string(kHeader) + "\"early\"=\"x\"\n"
                                                         "[K]\n\"a\"=\"1\"\n"
                                                         "[Unterminated\n\"b\"=\"2\"\n"
                                                         "[\\\\Leading]\n\"c\"=\"3\"\n"
                                                         "  [L]  \n  \"d\"=\"4\"\n");
    EXPECT_TRUE(file.findKey("")->values().empty());
    ASSERT_NE(file.findKey("K"), nullptr);
    EXPECT_EQ(file.findKey("K")->values().size(), 1u);
    EXPECT_EQ(file.findKey("Unterminated"), nullptr);
    EXPECT_EQ(file.findKey("Leading"), nullptr);
    ASSERT_NE(file.findKey("L"), nullptr);
    EXPECT_NE(file.findKey("L")->findValue("d"), nullptr);
}

TEST(WineRegistryParse, Architecture) {
    struct Case {
        std::string_view what;
        std::string body;
        std::optional<bool> is64Bit;
    };
    const Case cases[] = {
        {"win64", "#arch=win64\n", true},
        {"win32", "#arch=win32\n", false},
        {"no line", ";; comment\n", false},
        {"below a key it is a key option", "[K]\n#arch=win64\n", false},
        {"unknown", "#arch=win16\n", std::nullopt},
        {"contradicting", "#arch=win32\n#arch=win64\n", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = WineRegistryFile::parse(std::string(kHeader) + c.body);
        ASSERT_EQ(file.has_value(), c.is64Bit.has_value());
        if (file) {
            EXPECT_EQ(file->is64Bit(), *c.is64Bit);
        }
    }
}

TEST(WineRegistryParse, OnlyWineRegistryFilesAreAccepted) {
    const std::string_view rejected[] = {
        "",
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n",
        "Windows Registry Editor Version 5.00\n",
        "WINE REGISTRY Version 1\n",
        " WINE REGISTRY Version 2\n",
        "\xEF\xBB\xBFWINE REGISTRY Version 2\n",
    };
    for (const auto text : rejected) {
        EXPECT_FALSE(WineRegistryFile::parse(text)) << text;
    }
    EXPECT_TRUE(WineRegistryFile::parse("WINE REGISTRY Version 2"));
    EXPECT_TRUE(WineRegistryFile::parse("WINE REGISTRY Version 2\r\n"));
}

TEST(WineRegistryParse, FileWrittenByWine) {
    const std::string text = readFixture();
    ASSERT_FALSE(text.empty());
    const auto file = parseOrFail(text);
    EXPECT_TRUE(file.is64Bit());
    EXPECT_EQ(file.findKey("Software\\Kelvarion\\Zarvo"), nullptr);
    const WineKey* key = file.findKey("Software\\Wow6432Node\\Kelvarion\\Zarvo");
    ASSERT_NE(key, nullptr);

    struct Expected {
        std::string_view name;
        std::uint32_t type;
        std::string data;
    };
    std::string counting;
    for (int i = 0; i < 60; ++i) {
        counting += static_cast<char>(i);
    }
    const Expected expected[] = {
        {"idir", RegBinary, "C:\\Games\\Zarvo\\\0"s},
        {"long", RegBinary, counting},
        {"dw", RegDword, bytes({0x34, 0x12, 0, 0})},
        {"ex", RegExpandSz, regSz(u"%ProgramFiles%\\Zarvo\\")},
        {"multi", 7, regSz(std::u16string(u"a\0b\0", 4))},
        {"sz", RegSz, regSz(u"C:\\Games\\Z\u00e4rvo \"x\"")},
        {"", RegSz, regSz(u"default")},
    };
    EXPECT_EQ(key->values().size(), std::size(expected));
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const WineValue* value = key->findValue(e.name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, e.type);
        EXPECT_EQ(value->data, e.data);
    }

    const WineKey* link = file.findKey("Software\\Wow6432Node\\Microsoft\\Clients");
    ASSERT_NE(link, nullptr);
    ASSERT_NE(link->findValue("SymbolicLinkValue"), nullptr);
    EXPECT_EQ(link->findValue("SymbolicLinkValue")->type, 6u);
    EXPECT_EQ(link->findValue("SymbolicLinkValue")->data + "\0\0"s,
              regSz(u"\\Registry\\Machine\\Software\\Microsoft\\Clients"));
}

// Damaged files must neither crash nor read outside the text (run with the sanitizers).
TEST(WineRegistryParse, DamagedFilesAreSurvived) {
    const std::string text = readFixture();
    ASSERT_FALSE(text.empty());
    for (std::size_t length = 0; length <= text.size(); ++length) {
        (void)WineRegistryFile::parse(std::string_view(text).substr(0, length));
    }
    constexpr std::string_view replacements = "\\\"[]\n,(x0\xFF"sv;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        std::string damaged = text;
        damaged[pos] = replacements[pos % replacements.size()];
        (void)WineRegistryFile::parse(damaged);
    }

    std::mt19937 random(20240611);
    const std::string_view alphabet = "\\\"[]@#=:,()\n\r\t x0123456789abcdefhexdwordstr\xC3\xA4\xFF"sv;
    for (int round = 0; round < 3000; ++round) {
        std::string garbage(round % 2 == 0 ? kHeader : "");
        const std::size_t length = random() % 300;
        for (std::size_t i = 0; i < length; ++i) {
            garbage +=
                random() % 8 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
        }
        const auto file = WineRegistryFile::parse(garbage);
        if (file) {
            EXPECT_NE(file->findKey(""), nullptr);
        }
    }
}

TEST(WineRegistryParse, VeryDeepKeyIsDroppedNotFollowed) {
    std::string deep = std::string(kHeader) + "[";
    for (int i = 0; i < 200000; ++i) {
        deep += "a\\\\";
    }
    deep += "]\n\"v\"=\"x\"\n";
    const auto file = parseOrFail(deep);
    EXPECT_EQ(file.findKey("a"), nullptr);
}

class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "obrinex-wine-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = fs::canonical(pattern);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

void writeFile(const fs::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

TEST(WinePrefixRegistry, ThirtyTwoBitView) {
    struct Case {
        std::string_view arch;
        std::string_view keyInFile;
        bool found;
    };
    const Case cases[] = {
        {"#arch=win64\n", "Software\\\\Wow6432Node\\\\Kelvarion\\\\Zarvo", true},
        {"#arch=win64\n", "Software\\\\Kelvarion\\\\Zarvo", false},
        {"#arch=win64\n", "software\\\\WOW6432NODE\\\\kelvarion\\\\zarvo", true},
        {"#arch=win32\n", "Software\\\\Kelvarion\\\\Zarvo", true},
        {"#arch=win32\n", "Software\\\\Wow6432Node\\\\Kelvarion\\\\Zarvo", false},
        {"", "Software\\\\Kelvarion\\\\Zarvo", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.arch) + std::string(c.keyInFile));
        TempDir prefix;
        writeFile(prefix.path() / "system.reg", std::string(kHeader) + std::string(c.arch) + "\n[" +
                                                    std::string(c.keyInFile) + "] 1700000000\n" +
                                                    "\"idir\"=hex:43,3a,5c,00\n");
        WinePrefixRegistry registry(prefix.path().string());
        for (const auto access : {RegistryAccess::Read, RegistryAccess::AllAccess}) {
            const auto key = registry.openLocalMachineKey("Software\\Kelvarion\\Zarvo", access);
            ASSERT_EQ(key != nullptr, c.found);
            if (key) {
                const auto info = key->queryValue("idir");
                ASSERT_TRUE(info);
                EXPECT_EQ(info->type, RegBinary);
                EXPECT_EQ(info->size, 4u);
            }
        }
    }
}

TEST(WinePrefixRegistry, ReadsTheValuesOfAPrefix) {
    TempDir prefix;
    writeFile(prefix.path() / "system.reg", readFixture());
    WinePrefixRegistry registry(prefix.path().string() + "/");
    const auto key = registry.openLocalMachineKey("Software\\Kelvarion\\Zarvo", RegistryAccess::AllAccess);
    ASSERT_NE(key, nullptr);

    const auto idir = key->queryValue("idir");
    ASSERT_TRUE(idir);
    EXPECT_EQ(idir->type, RegBinary);
    EXPECT_EQ(idir->size, 16u);
    EXPECT_EQ(key->readValue("idir", 16), "C:\\Games\\Zarvo\\\0"s);
    EXPECT_EQ(key->readValue("IDIR", 3), "C:\\");
    EXPECT_EQ(key->readValue("idir", 1000), "C:\\Games\\Zarvo\\\0"s);

    const auto sz = key->queryValue("sz");
    ASSERT_TRUE(sz);
    EXPECT_EQ(sz->type, RegSz);
    EXPECT_EQ(sz->size, regSz(u"C:\\Games\\Z\u00e4rvo \"x\"").size());
    ASSERT_TRUE(key->queryValue(""));
    EXPECT_EQ(key->queryValue("")->type, RegSz);

    EXPECT_FALSE(key->queryValue("missing"));
    EXPECT_FALSE(key->readValue("missing", 4));
}

TEST(WinePrefixRegistry, NamesInTheProgramsCodePage) {
    TempDir prefix;
    writeFile(prefix.path() / "system.reg", std::string(kHeader) + "#arch=win32\n"
                                                                   "[Software\\\\K\\xe4se] 1700000000\n"
                                                                   "\"Gr\\xf6\\x00dfe\"=dword:00000002\n");
    WinePrefixRegistry registry(prefix.path().string());
    const auto key = registry.openLocalMachineKey("SOFTWARE\\K\xC4SE", RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    const auto info = key->queryValue("GR\xD6\xDF"
                                      "E");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->type, RegDword);
}

TEST(WinePrefixRegistry, NoKeyWithoutAUsableFile) {
    struct Case {
        std::string_view what;
        std::optional<std::string> systemReg;
    };
    const Case cases[] = {
        {"no system.reg", std::nullopt},
        {"not a registry file", "REGEDIT4\n[Software\\\\Kelvarion\\\\Zarvo]\n"},
        {"key missing", std::string(kHeader) + "#arch=win32\n[Software\\\\Kelvarion]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir prefix;
        if (c.systemReg) {
            writeFile(prefix.path() / "system.reg", *c.systemReg);
        }
        WinePrefixRegistry registry(prefix.path().string());
        EXPECT_EQ(registry.openLocalMachineKey("Software\\Kelvarion\\Zarvo", RegistryAccess::Read), nullptr);
    }
    WinePrefixRegistry nowhere("/nonexistent/obrinex/prefix");
    EXPECT_EQ(nowhere.openLocalMachineKey("Software\\Kelvarion\\Zarvo", RegistryAccess::Read), nullptr);
}

TEST(WineDosDevices, DrivesOfAPrefix) {
    TempDir prefix;
    TempDir games;
    const fs::path devices = prefix.path() / "dosdevices";
    fs::create_directories(devices / "g:");
    fs::create_directory(prefix.path() / "drive_c");
    fs::create_directory_symlink("../drive_c", devices / "c:");
    fs::create_directory_symlink(games.path(), devices / "d:");
    fs::create_directory_symlink("/", devices / "z:");
    fs::create_symlink("/dev/null", devices / "d::");
    fs::create_symlink("/dev/null", devices / "com1");
    fs::create_directory_symlink(games.path(), devices / "E:");
    fs::create_directory_symlink(games.path(), devices / "1:");
    fs::create_directory_symlink("../missing", devices / "f:");

    const std::map<char, std::string> expected = {
        {'c', (prefix.path() / "drive_c").string()},
        {'d', games.path().string()},
        {'g', (devices / "g:").string()},
        {'z', "/"},
    };
    EXPECT_EQ(readDosDevices(prefix.path().string()), expected);
}

TEST(WineDosDevices, NoFolderNoDrives) {
    TempDir prefix;
    EXPECT_TRUE(readDosDevices(prefix.path().string()).empty());
    EXPECT_TRUE(readDosDevices("/nonexistent/obrinex/prefix").empty());
}

} // namespace
} // namespace obrinex
