#include "package/descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace obrinex {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

TEST(DescriptorLines, SplitsLikeTheRuntime) {
    const SplitCase cases[] = {
        {"empty file", "", {}},
        {"CR LF", "a\r\nb\r\nc", {"a", "b", "c"}},
        {"final CR LF starts no line", "a\r\nb\r\n", {"a", "b"}},
        {"one more CR LF is one empty line", "a\r\nb\r\n\r\n", {"a", "b", ""}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR reads like CR LF", "a\rb\r", {"a", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"NUL ends the text", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {"NUL first", std::string("\0a", 2), {}},
        {"blanks are kept", " a \r\nb \r\n", {" a ", "b "}},
        {"only line ends", "\r\n\r\n", {"", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitDescriptorLines(c.bytes), c.lines) << c.name;
    }
}

TEST(DescriptorLine1, CutsNameAuthorAndMail) {
    struct Case {
        const char* line;
        const char* car;
        const char* author;
        const char* mail;
    };
    const Case cases[] = {
        {"Racer, Ann, a", "Racer", "Ann", "a"},
        {"Racer,Ann,a", "Racer", "nn", ""}, // the character after a comma is skipped
        {", Ann, a", "", "Ann", "a"},       // empty car name
        {"Racer, Ann \xB7 Bob, a \xB7 b", "Racer", "Ann \xB7 Bob", "a \xB7 b"},
        {"Racer, Ann, a, b", "Racer", "Ann", "a, b"}, // the rest of the line is the mail field
        {"Racer", "Racer", "", ""},                   // missing commas: the fields after are empty
        {"Racer, Ann", "Racer", "Ann", ""},
        {"Racer,", "Racer", "", ""},
    };
    for (const auto& c : cases) {
        auto fields = cutLine1(c.line);
        EXPECT_EQ(fields.carName, c.car) << c.line;
        EXPECT_EQ(fields.authorField, c.author) << c.line;
        EXPECT_EQ(fields.emailField, c.mail) << c.line;
    }
}

TEST(DescriptorLine1, SplitsTheConverterCredit) {
    auto credit = splitCredit("Ann \xB7 Bob");
    ASSERT_TRUE(credit);
    EXPECT_EQ(credit->authorPart, "Ann");
    EXPECT_EQ(credit->converterPart, "Bob");

    auto nothingAfter = splitCredit("Ann \xB7 ");
    ASSERT_TRUE(nothingAfter);
    EXPECT_EQ(nothingAfter->converterPart, "");

    EXPECT_FALSE(splitCredit("Ann"));
    EXPECT_FALSE(splitCredit("Ann\xB7"
                             "Bob")); // the dot needs its blanks
    EXPECT_EQ(splitCredit("A \xB7 B \xB7 C")->converterPart, "B \xB7 C");
}

TEST(DescriptorNames, RefusesNamesThatLeaveThePackage) {
    const char* safe[] = {"car.4ds",  "",        "sub\\car.4ds", "sub/car.4ds",
                          "car.4ds ", ".hidden", "a..b",         "x\\.\\y"};
    const char* unsafe[] = {
        "..\\car.4ds", "../car.4ds", "models\\..\\..\\x",    "\\car.4ds", "/etc/passwd", "C:\\Windows\\x",
        "c:x",         "a:b",        "\\\\server\\share\\x", "...\\x",    ".. \\x",      "x\\..",
        ". .\\x"};
    for (const char* name : safe) {
        EXPECT_TRUE(isPackageRelativeName(name)) << name;
    }
    for (const char* name : unsafe) {
        EXPECT_FALSE(isPackageRelativeName(name)) << name;
    }
}

} // namespace
} // namespace obrinex
