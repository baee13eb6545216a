#include "carlog/car_list.h"

#include <gtest/gtest.h>

namespace obrinex {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

const std::string kOneRow =
    bytes({0x4C, 0x56, 0x46, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, 0x00, 0x28, 0x6E, 0x6F,
           0x20, 0x6E, 0x61, 0x6D, 0x65, 0x29, 0x14, 0x00, 0x42, 0x6F, 0x6C, 0x74, 0x20, 0x41, 0x63, 0x65,
           0x20, 0x43, 0x6F, 0x75, 0x70, 0x65, 0x20, 0x28, 0x72, 0x6F, 0x74, 0x29, 0x01, 0x00, 0x35});

TEST(CarList, EncodesTheDocumentedBytes) {
    EXPECT_EQ(encodeCarList({}), bytes({0x4C, 0x56, 0x46, 0x00, 0x00}));
    EXPECT_EQ(encodeCarList({{"(no name)", {"Bolt Ace Coupe (rot)", "5"}, 0}}), kOneRow);
    // A row without sub-items is its count, image index and caption only.
    EXPECT_EQ(encodeCarList({{"A", {}, -2}}),
              bytes({0x4C, 0x56, 0x46, 0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x41}));
}

TEST(CarList, DecodesWhatItEncodes) {
    auto one = decodeCarList(kOneRow);
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->complete);
    EXPECT_EQ(one->rows, (std::vector<ListViewRow>{{"(no name)", {"Bolt Ace Coupe (rot)", "5"}, 0}}));

    const std::vector<ListViewRow> rows = {{"Racer", {"Bolt Ace Coupe (gr\xFCn)", "4"}, 0},
                                           {"", {"Schubert Extra Six Tudor (wei\xDF) ", "142"}, 7},
                                           {"Solo", {}, -1}};
    const std::string encoded = encodeCarList(rows);
    EXPECT_NE(encoded.find("(gr\xFCn)"), std::string::npos); // one byte FC for the u-umlaut
    auto decoded = decodeCarList(encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->rows, rows);

    auto empty = decodeCarList(bytes({0x4C, 0x56, 0x46, 0x00, 0x00}));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->rows.empty());
}

TEST(CarList, RefusesOtherMagic) {
    const std::string notCarLists[] = {"lvf\x01\x00", std::string("LV\0\x00\x00", 5), "", "LV", "XLVF"};
    for (const auto& file : notCarLists) {
        EXPECT_FALSE(decodeCarList(file)) << file;
    }
}

TEST(CarList, ShortFilesKeepOnlyWholeRows) {
    const std::string two = encodeCarList({{"A", {"x", "1"}, 0}, {"B", {"y", "2"}, 0}});
    for (std::size_t cut = 3; cut < two.size(); ++cut) {
        auto decoded = decodeCarList(two.substr(0, cut));
        ASSERT_TRUE(decoded) << cut;
        EXPECT_FALSE(decoded->complete) << cut;
        ASSERT_LE(decoded->rows.size(), 1u) << cut;
        if (!decoded->rows.empty()) {
            EXPECT_EQ(decoded->rows[0], (ListViewRow{"A", {"x", "1"}, 0}));
        }
    }
}

TEST(CarList, NulEndsAStoredText) {
    std::string file = encodeCarList({{"AB", {"xy"}, 0}});
    file[file.find("AB") + 1] = '\0';
    auto decoded = decodeCarList(file);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->rows[0].caption, "A");
    EXPECT_EQ(decoded->rows[0].subItems, std::vector<std::string>{"xy"});
}

} // namespace
} // namespace obrinex

namespace obrinex {
namespace {

TEST(CarList, RefusesWhatTheFormatCannotHoldInsteadOfCuttingIt) {
    std::vector<ListViewRow> rows(65535, ListViewRow{"Racer", {"Bolt Ace Coupe (rot)", "5"}, 0});
    EXPECT_FALSE(carListLimitProblem(rows));
    EXPECT_EQ(encodeCarList(rows).size(), 5u + 65535u * (2 + 4 + 2 + 5 + 2 + 20 + 2 + 1));
    rows.push_back(rows.front());
    EXPECT_EQ(carListLimitProblem(rows),
              "The replacement log has 65536 rows; a car list file holds at most 65535");
    EXPECT_THROW(encodeCarList(rows), std::length_error);

    const std::vector<ListViewRow> longText = {{"A", {}, 0}, {"B", {"x", std::string(65536, 'y')}, 0}};
    EXPECT_EQ(carListLimitProblem(longText),
              "A text of row 2 of the replacement log is 65536 bytes long; a car "
              "list file holds at most 65535 bytes per text");
    EXPECT_THROW(encodeCarList(longText), std::length_error);
    EXPECT_FALSE(carListLimitProblem({{std::string(65535, 'c'), {}, 0}}));
}

} // namespace
} // namespace obrinex
