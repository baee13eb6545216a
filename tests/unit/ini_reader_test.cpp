#include "i18n/ini_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace obrinex {
namespace {

using namespace std::literals;

constexpr std::string_view kDefault = "<default>";

struct ReadCase {
    std::string_view what;
    std::string content;
    std::string_view section;
    std::string_view key;
    std::string expected;
};

const std::string kLong(3000, 'x');

const ReadCase kReadCases[] = {
    {"section without regard to case", "[ENGLISH]\r\n1=Hello\r\n", "english", "1", "Hello"},
    {"key without regard to case", "[english]\r\nName=Hello\r\n", "English", "nAME", "Hello"},
    {"case of code page letters",
     "[FRAN\xC7"
     "AIS]\r\n1=Salut\r\n",
     "fran\xE7"
     "ais",
     "1", "Salut"},
    {"cedilla is not the plain letter",
     "[fran\xE7"
     "ais]\r\n1=Salut\r\n",
     "francais", "1", std::string(kDefault)},
    {"blanks around everything", "  [ \t english \v ]  \r\n \t 1 \t = \t Hello  world \t \r\n", "english",
     "1", "Hello  world"},
    {"spaces around the names asked for", "[english]\n1=Hello\n", " english ", " 1 ", "Hello"},
    {"double quotes", "[english]\n1= \"  quoted  \" \n", "english", "1", "  quoted  "},
    {"single quotes", "[english]\n1='quoted'\n", "english", "1", "quoted"},
    {"only the outer pair of quotes", "[english]\n1=\"\"a\"\"\n", "english", "1", "\"a\""},
    {"mismatched quotes stay", "[english]\n1=\"quoted'\n", "english", "1", "\"quoted'"},
    {"a lone quote stays", "[english]\n1=\"\n", "english", "1", "\""},
    {"quote only at the start stays", "[english]\n1=\"a\" b\n", "english", "1", "\"a\" b"},
    {"equals sign inside the value", "[english]\n1=a=b\n", "english", "1", "a=b"},
    {"first of duplicate keys", "[english]\n1=first\n1=second\n", "english", "1", "first"},
    {"first of duplicate sections", "[english]\n1=first\n[English]\n1=second\n", "english", "1", "first"},
    {"later duplicate section ignored", "[english]\n1=first\n[english]\n2=second\n", "english", "2",
     std::string(kDefault)},
    {"long value cut", "[english]\n1=" + kLong + "\n", "english", "1", std::string(2047, 'x')},
    {"long value cut after unquoting", "[english]\n1=\"" + kLong + "\"\n", "english", "1",
     std::string(2047, 'x')},
    {"CR LF lines", "[english]\r\n1=a\r\n2=b\r\n", "english", "2", "b"},
    {"LF lines", "[english]\n1=a\n2=b\n", "english", "2", "b"},
    {"lone CR lines", "[english]\r1=a\r2=b\r", "english", "2", "b"},
    {"no line break at the end", "[english]\n1=a", "english", "1", "a"},
    {"leading zero in the file", "[english]\n05=x\n", "english", "5", std::string(kDefault)},
    {"leading zero asked for", "[english]\n5=x\n", "english", "05", std::string(kDefault)},
    {"missing section", "[english]\n1=a\n", "deutsch", "1", std::string(kDefault)},
    {"missing key", "[english]\n1=a\n", "english", "2", std::string(kDefault)},
    {"empty file", "", "english", "1", std::string(kDefault)},
    {"empty value", "[english]\n1=\n", "english", "1", ""},
    {"blank value", "[english]\n1= \t \n", "english", "1", ""},
    {"empty quoted value", "[english]\n1=\"\"\n", "english", "1", ""},
    {"line without equals sign", "[english]\n1\n", "english", "1", std::string(kDefault)},
    {"later section does not leak back", "[english]\n1=a\n[deutsch]\n2=b\n", "english", "2",
     std::string(kDefault)},
    {"earlier section does not leak forward", "[english]\n1=a\n[deutsch]\n2=b\n", "deutsch", "1",
     std::string(kDefault)},
    {"keys before the first section", "1=a\n[english]\n2=b\n", "english", "1", std::string(kDefault)},
    {"text after the closing bracket", "[english] old\n1=a\n", "english", "1", "a"},
    {"key on the header line", "[english]1=a\n", "english", "1", std::string(kDefault)},
    {"header without closing bracket", "[english  \n1=a\n", "english", "1", "a"},
    {"empty section name", "[]\n1=a\n", "", "1", "a"},
    // No comment syntax: a line starting with ";" is a key like any other, as the system reads it.
    {"semicolon line", "[english]\n;1=a\n", "english", ";1", "a"},
    {"semicolon key is not the key", "[english]\n;1=a\n", "english", "1", std::string(kDefault)},
    {"UTF-8 byte order mark hides the first header", "\xEF\xBB\xBF[english]\n1=a\n", "english", "1",
     std::string(kDefault)},
    {"NUL ends the value", "[english]\n1=ab\0cd\n2=e\n"s, "english", "1", "ab"},
    {"line after a NUL still read", "[english]\n1=ab\0cd\n2=e\n"s, "english", "2", "e"},
    {"NUL inside a header", "[eng\0lish]\n1=a\n"s, "eng", "1", "a"},
};

TEST(IniReaderTest, ReadString) {
    for (const auto& c : kReadCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(IniReader(c.content).readString(c.section, c.key, kDefault), c.expected);
    }
}

// The readme comes from whatever package the user opened; no content may crash the reader.
TEST(IniReaderTest, ArbitraryContentIsReadSafely) {
    constexpr std::string_view kAlphabet = "[]=;\"' \t\v\r\n\0aA1\xC7\xE7"sv;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 64);
    for (int round = 0; round < 20000; ++round) {
        std::string content;
        const std::size_t n = length(random);
        for (std::size_t i = 0; i < n; ++i) {
            content += kAlphabet[pick(random)];
        }
        const IniReader reader(content);
        for (std::string_view section : {"a", "", "A1"}) {
            for (std::string_view key : {"1", "a", ""}) {
                EXPECT_LE(reader.readString(section, key, "").size(), content.size()) << content;
            }
        }
    }
}

} // namespace
} // namespace obrinex
