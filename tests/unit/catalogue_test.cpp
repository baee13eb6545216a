#include "catalogue/catalogue.h"

#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <string_view>

namespace obrinex {
namespace {

std::size_t slot(Language language) {
    return static_cast<std::size_t>(language);
}

// Rows written as the catalogue shows them, German, English, Czech and French.
struct ExpectedRow {
    int row;
    std::array<std::string_view, 4> text;
};

const ExpectedRow kExpectedRows[] = {
    {0, {"[--Bolt Ace--]", "[--Bolt Ace--]", "[--Bolt Ace--]", "[--Bolt Ace--]"}},
    {1,
     {"Bolt Ace Coupe (blau)", "Bolt Ace Coupe (blue)", "Bolt Ace Coupe (modré)", "Bolt Ace Coupe (bleu)"}},
    {2,
     {"Bolt Ace Coupe (dunkelblau)", "Bolt Ace Coupe (darkblue)", "Bolt Ace Coupe (tmavo modré)",
      "Bolt Ace Coupe (bleu foncé)"}},
    {3,
     {"Bolt Ace Coupe (braun)", "Bolt Ace Coupe (brown)", "Bolt Ace Coupe (hnedé)", "Bolt Ace Coupe (brun)"}},
    {4,
     {"Bolt Ace Coupe (grün)", "Bolt Ace Coupe (green)", "Bolt Ace Coupe (zelené)", "Bolt Ace Coupe (vert)"}},
    {5,
     {"Bolt Ace Coupe (rot)", "Bolt Ace Coupe (red)", "Bolt Ace Coupe (cervené)", "Bolt Ace Coupe (rouge)"}},
    {31, {"", "", "", ""}},
    {32, {"[--Bolt Model B--]", "[--Bolt Model B--]", "[--Bolt Model B--]", "[--Bolt Model B--]"}},
    {36,
     {"Bolt Model B Cabriolet (dunkelblau)", "Bolt Model B Cabriolet (darkblue)",
      "Bolt Model B Cabriolet (tmavo modré)", "Bolt Model B Cabriolet (bleu foncé)"}},
    {66, {"Bolt V8 Coupe (grau)", "Bolt V8 Coupe (grey)", "Bolt V8 Coupe (sedé)", "Bolt V8 Coupe (gris)"}},
    {85, {"Brubaker 4WD", "Brubaker 4WD", "Brubaker 4WD", "Brubaker 4WD"}},
    {88,
     {"Kemlo Speedster (silber)", "Kemlo Speedster (silver)", "Kemlo Speedster (stríbrné)",
      "Kemlo Speedster (argenté)"}},
    {93,
     {"Caesar 8C 2300 Racing", "Caesar 8C 2300 Racing", "Caesar 8C 2300 Racing", "Caesar 8C 2300 Racing"}},
    {95,
     {"Caesar 8C Mostro (schwarz)", "Caesar 8C Mostro (black)", "Caesar 8C Mostro (cerné)",
      "Caesar 8C Mostro (noir)"}},
    {98,
     {"Celeste Marquee (weiß)", "Celeste Marquee (white)", "Celeste Marquee (bílé)",
      "Celeste Marquee (blanc)"}},
    {107,
     {"Crusader Chromium Forder (pink)", "Crusader Chromium Forder (purple)",
      "Crusader Chromium Forder (ruzové)", "Crusader Chromium Forder (rosé)"}},
    {114, {"Falconer Gangster", "Falconer Gangster", "Falconer Gangster", "Falconer Gangster"}},
    {119,
     {"Guardian Terraplane Coupe (beige)", "Guardian Terraplane Coupe (beige)",
      "Guardian Terraplane Coupe (bézové)", "Guardian Terraplane Coupe (beige)"}},
    {140,
     {"Schubert Extra Six Fordor Police", "Schubert Extra Six Fordor Police",
      "Schubert Extra Six Fordor Police", "Schubert Extra Six Fordor Police"}},
    {142,
     {"Schubert Extra Six Tudor (weiß) ", "Schubert Extra Six Tudor (white) ",
      "Schubert Extra Six Tudor (bílé) ", "Schubert Extra Six Tudor (blanc) "}},
    {154,
     {"Thor 810 Phaeton (orange)", "Thor 810 Phaeton (orange)", "Thor 810 Phaeton (oranzové)",
      "Thor 810 Phaeton (orange)"}},
    {166,
     {"Ulver Airstream Fordor (grün-gelb)", "Ulver Airstream Fordor (green-yellow)",
      "Ulver Airstream Fordor (tmavozluté)", "Ulver Airstream Fordor (jaune foncé)"}},
    {169,
     {"Ulver Airstream Tudor (dunkelgrün)", "Ulver Airstream Tudor (darkgreen)",
      "Ulver Airstream Tudor (tmavozelené)", "Ulver Airstream Tudor (vert foncé)"}},
    {179, {"", "", "", ""}},
    {180, {"[--andere Autos--]", "[--other cars--]", "[--jiná auta--]", "[--autres voitures--]"}},
    {187, {"", "", "", ""}},
    {188, {"[--Prototypen--]", "[--prototypes--]", "[--prototypy--]", "[--prototypes--]"}},
    {197, {"Masseur Taxi", "Masseur Taxi", "Masseur Taxi", "Masseur Taxi"}},
    {207, {"Manta Taxi", "Manta Taxi", "Manta Taxi", "Manta Taxi"}},
};

TEST(Catalogue, RowsReadAsListedInEveryLanguage) {
    for (const ExpectedRow& expected : kExpectedRows) {
        for (Language language : kLanguages) {
            SCOPED_TRACE(testing::Message() << "row " << expected.row << ", " << languageKey(language));
            EXPECT_EQ(catalogueRows(language).at(static_cast<std::size_t>(expected.row)),
                      cp1252(expected.text[slot(language)]));
        }
    }
}

TEST(Catalogue, RowsAreWindows1252Bytes) {
    EXPECT_EQ(catalogueRows(Language::German)[4], "Bolt Ace Coupe (gr\xFCn)");
    EXPECT_EQ(catalogueRows(Language::German)[146], "Schubert Six (wei\xDF)");
    EXPECT_EQ(catalogueRows(Language::Czech)[146], "Schubert Six (b\xEDl\xE9)");
    EXPECT_EQ(catalogueRows(Language::Czech)[180], "[--jin\xE1 auta--]");
}

TEST(Catalogue, EveryRowHoldsOnlyTheLettersTheCatalogueUses) {
    const std::set<unsigned char> allowedHigh = {0xFC, 0xDF, 0xE1, 0xE9, 0xED}; // ü ß á é í
    for (Language language : kLanguages) {
        const auto& rows = catalogueRows(language);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(kCatalogueRowCount)) << languageKey(language);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", " << languageKey(language));
            EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(rows[row])), rows[row]);
            for (char c : rows[row]) {
                auto byte = static_cast<unsigned char>(c);
                EXPECT_TRUE(byte >= 0x20 && (byte < 0x7F || allowedHigh.contains(byte))) << int(byte);
            }
        }
    }
}

TEST(Catalogue, KindsOfRowSitAtTheSameIndexesInEveryLanguage) {
    const std::set<int> headers = {0,   32,  62,  84,  87,  92,  97,  101, 105, 111,
                                   117, 128, 136, 150, 153, 161, 165, 171, 180, 188};
    const std::set<int> blanks = {31,  61,  83,  86,  91,  96,  100, 104, 110, 116,
                                  127, 135, 149, 152, 160, 164, 170, 179, 187};
    ASSERT_EQ(headers.size(), 20u);
    ASSERT_EQ(blanks.size(), 19u);
    for (Language language : kLanguages) {
        const auto& rows = catalogueRows(language);
        int cars = 0;
        for (int row = 0; row < kCatalogueRowCount; ++row) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", " << languageKey(language));
            const std::string& text = rows[static_cast<std::size_t>(row)];
            if (headers.contains(row)) {
                EXPECT_TRUE(text.starts_with("[--") && text.ends_with("--]")) << text;
            } else if (blanks.contains(row)) {
                EXPECT_EQ(text, "");
            } else {
                EXPECT_FALSE(text.empty() || text.starts_with("[--")) << text;
                ++cars;
            }
        }
        EXPECT_EQ(cars, 169) << languageKey(language);
    }
}

// The translations may touch only the colour word and the two named headers; anything else
// that differs would put a different car at an index in one language.
TEST(Catalogue, LanguagesDifferOnlyInColourWordsAndTwoHeaders) {
    const auto& german = catalogueRows(Language::German);
    for (Language language : kLanguages) {
        const auto& rows = catalogueRows(language);
        for (std::size_t row = 0; row < german.size(); ++row) {
            if (row == 180 || row == 188) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "row " << row << ", " << languageKey(language));
            const std::string& original = german[row];
            std::size_t open = original.rfind(" (");
            bool colourVariant =
                open != std::string::npos && (original.ends_with(")") || original.ends_with(") "));
            if (!colourVariant) {
                EXPECT_EQ(rows[row], original);
                continue;
            }
            const std::string& translated = rows[row];
            EXPECT_EQ(translated.substr(0, open + 2), original.substr(0, open + 2));
            EXPECT_EQ(translated.ends_with(") "), original.ends_with(") "));
            EXPECT_TRUE(translated.ends_with(")") || translated.ends_with(") "));
        }
    }
}

} // namespace
} // namespace obrinex
