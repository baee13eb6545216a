#include "catalogue/target_files.h"

#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace obrinex {
namespace {

TargetFileSet entryOf(int row) {
    TargetFileSet set;
    lookupTargetFiles(row, set);
    return set;
}

bool hasEngineSounds(const TargetFileSet& set) {
    return !set.TargetSoundOn.empty() && !set.TargetSoundOff.empty() && !set.TargetSound0.empty() &&
           !set.TargetSound1.empty();
}

bool lacksEngineSounds(const TargetFileSet& set) {
    return set.TargetSoundOn.empty() && set.TargetSoundOff.empty() && set.TargetSound0.empty() &&
           set.TargetSound1.empty();
}

const std::set<int> kRowsWithoutFiles = {0,   31,  32,  61,  62,  83,  84,  86,  87,  91,  92,  96,  97,
                                         100, 101, 104, 105, 110, 111, 116, 117, 127, 128, 135, 136, 149,
                                         150, 152, 153, 160, 161, 164, 165, 170, 171, 179, 180, 187, 188};

TEST(TargetFiles, HeaderAndBlankRowsHaveNoFiles) {
    ASSERT_EQ(kRowsWithoutFiles.size(), 39u);
    for (int row : kRowsWithoutFiles) {
        EXPECT_EQ(entryOf(row), TargetFileSet{}) << "row " << row;
    }
}

// The counts come from the game's files: 14 cars have no engine sounds of their own and 7 no
// horn, and no car lacks both.
TEST(TargetFiles, CarRowsHaveModelsAndWholeSoundSets) {
    int cars = 0;
    int withoutEngine = 0;
    int withoutHorn = 0;
    for (int row = 0; row < kCatalogueRowCount; ++row) {
        if (kRowsWithoutFiles.contains(row)) {
            continue;
        }
        SCOPED_TRACE(testing::Message() << "row " << row);
        ++cars;
        TargetFileSet set = entryOf(row);
        EXPECT_TRUE(set.TargetModel1.ends_with(".4ds")) << set.TargetModel1;
        EXPECT_TRUE(set.TargetModel2.ends_with(".4ds")) << set.TargetModel2;
        EXPECT_TRUE(set.TargetModel3.ends_with(".4ds")) << set.TargetModel3;
        EXPECT_TRUE(hasEngineSounds(set) || lacksEngineSounds(set));
        for (const std::string* sound : {&set.TargetSoundOn, &set.TargetSoundOff, &set.TargetSound0,
                                         &set.TargetSound1, &set.TargetHorn}) {
            EXPECT_TRUE(sound->empty() || sound->ends_with(".wav")) << *sound;
        }
        if (lacksEngineSounds(set)) {
            ++withoutEngine;
            EXPECT_FALSE(set.TargetHorn.empty());
        }
        if (set.TargetHorn.empty()) {
            ++withoutHorn;
            EXPECT_TRUE(hasEngineSounds(set));
        }
    }
    EXPECT_EQ(cars, 169);
    EXPECT_EQ(withoutEngine, 14);
    EXPECT_EQ(withoutHorn, 7);
}

// An empty first model is how every consumer tells a car from a header or blank row, so it
// must agree with the catalogue's own kinds of row.
TEST(TargetFiles, FirstModelMarksExactlyTheCatalogueCarRows) {
    const auto& rows = catalogueRows(Language::German);
    for (int row = 0; row < kCatalogueRowCount; ++row) {
        const std::string& text = rows[static_cast<std::size_t>(row)];
        bool car = !text.empty() && !text.starts_with("[--");
        EXPECT_EQ(!entryOf(row).TargetModel1.empty(), car) << "row " << row << " " << text;
    }
}

struct ExpectedEntry {
    int row;
    TargetFileSet files;
};

// The first row, the last, and the rows whose names break their group's pattern.
const ExpectedEntry kExpectedEntries[] = {
    {1,
     {"fordtco00.4ds", "fordtco10.4ds", "fordTrun.4ds", "fordT_on.wav", "fordT_off.wav", "fordT_0.wav",
      "fordT_1.wav", "horn11.wav"}},
    {33,
     {"ForAca00.4ds", "ForAca11.4ds", "coupe.4ds", "fordA_on.wav", "fordA_off.wav", "fordA_0.wav",
      "fordA_1.wav", "horn1.wav"}},
    {34,
     {"ForAca01.4ds", "ForAca12.4ds", "coupe.4ds", "fordA_on.wav", "fordA_off.wav", "fordA_0.wav",
      "fordA_1.wav", "horn1.wav"}},
    {35,
     {"ForAca02.4ds", "ForAca13.4ds", "coupe.4ds", "fordA_on.wav", "fordA_off.wav", "fordA_0.wav",
      "fordA_1.wav", "horn1.wav"}},
    {36,
     {"ForAca03.4ds", "ForAca10.4ds", "coupe.4ds", "fordA_on.wav", "fordA_off.wav", "fordA_0.wav",
      "fordA_1.wav", "horn1.wav"}},
    {85,
     {"miller00.4ds", "miller10.4ds", "millerRacing.4ds", "bug_on.wav", "bug_off.wav", "miller_0.wav",
      "miller_1.wav", ""}},
    {93,
     {"alfa00.4ds", "alfa10.4ds", "alfaMonza.4ds", "alfa8C_on.wav", "alfa8C_of.wav", "alfa8C_0.wav",
      "alfa_1.wav", ""}},
    {102,
     {"bugatti00.4ds", "bugatti10.4ds", "bugattiRacing.4ds", "bug_on.wav", "bug_off.wav", "bug_0.wav",
      "bug_2.wav", ""}},
    {103,
     {"bugatti01.4ds", "bugatti11.4ds", "bugattiRacing.4ds", "bug_on.wav", "bug_off.wav", "bug_0.wav",
      "bug_2.wav", ""}},
    {118,
     {"hudcou00.4ds", "hudcou10.4ds", "pont_coup.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {119,
     {"hudcou01.4ds", "hudcou11.4ds", "pont_coup.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {120,
     {"hudcou02.4ds", "hudcou12.4ds", "pont_coup.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {121,
     {"hudfor00.4ds", "hudfor10.4ds", "pont_ford.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {122,
     {"hudfor01.4ds", "hudfor11.4ds", "pont_ford.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {123,
     {"hudfor02.4ds", "hudfor12.4ds", "pont_ford.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {124,
     {"hudtu00.4ds", "hudtu10.4ds", "pont_ford.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {125,
     {"hudtu01.4ds", "hudtu11.4ds", "pont_ford.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {126,
     {"hudtu02.4ds", "hudtu12.4ds", "pont_ford.4ds", "hudson_on.wav", "hudson_off.wav", "hudson_0.wav",
      "pontiac_1.wav", "horn7.wav"}},
    {145,
     {"chev00.4ds", "chev00.4ds", "fordor.4ds", "chev6_on.wav", "chev6_off.wav", "chev6_0.wav", "chev6_1.wav",
      "horn10.wav"}},
    {146,
     {"chev01.4ds", "chev01.4ds", "fordor.4ds", "chev6_on.wav", "chev6_off.wav", "chev6_0.wav", "chev6_1.wav",
      "horn10.wav"}},
    {147,
     {"chev02.4ds", "chev02.4ds", "fordor.4ds", "chev6_on.wav", "chev6_off.wav", "chev6_0.wav", "chev6_1.wav",
      "horn10.wav"}},
    {148,
     {"poli00.4ds", "poli10.4ds", "fordor.4ds", "chev6_on.wav", "chev6_off.wav", "chev6_0.wav", "chev6_1.wav",
      "horn10.wav"}},
    {154,
     {"cordPh00.4ds", "cordPh10.4ds", "cord_ph.4ds", "cord_on.wav", "cord_off.wav", "cord_0.wav",
      "cord10_1.wav", "horn9.wav"}},
    {155,
     {"cordPh01.4ds", "cordPh11.4ds", "cord_ph.4ds", "cord_on.wav", "cord_off.wav", "cord_0.wav",
      "cord10_1.wav", "horn9.wav"}},
    {156,
     {"cordSe00.4ds", "cordSe10.4ds", "cord_se.4ds", "cord_on.wav", "cord_off.wav", "cord_0.wav",
      "cord10_1.wav", "horn9.wav"}},
    {157,
     {"cordSe01.4ds", "cordSe11.4ds", "cord_se.4ds", "cord_on.wav", "cord_off.wav", "cord_0.wav",
      "cord10_1.wav", "horn9.wav"}},
    {158,
     {"cordCa00.4ds", "cordCa10.4ds", "cord_cab.4ds", "cord_on.wav", "cord_off.wav", "cord_0.wav",
      "cord_1.wav", "horn9.wav"}},
    {159,
     {"cordCa01.4ds", "cordCa11.4ds", "cord_cab.4ds", "cord_on.wav", "cord_off.wav", "cord_0.wav",
      "cord_1.wav", "horn9.wav"}},
    {163,
     {"duesenberg00.4ds", "duesenberg10.4ds", "dueseRacing.4ds", "bug_on.wav", "bug_off.wav", "deu_0.wav",
      "deu_1.wav", ""}},
    {189, {"Flamer00.4ds", "Flamer10.4ds", "FlamerCRASH.4ds", "", "", "", "", "horn13.wav"}},
    {194,
     {"hotrodp600.4ds", "hotrodp610.4ds", "hotrodp6CRASH.4ds", "jet_on.wav", "jet_off.wav", "jet_0.wav",
      "jet_1.wav", ""}},
    {201,
     {"cord_sedanH00.4ds", "cord_sedanH10.4ds", "cord_sedanHD.4ds", "ele_on.wav", "ele_off.wav", "ele0.wav",
      "ele1.wav", "horn9.wav"}},
    {207,
     {"phantomtaxi00.4ds", "phantomtaxi10.4ds", "phantom.4ds", "phant_on.wav", "phant_off.wav", "phant_0.wav",
      "phant_1.wav", "horn14.wav"}},
};

TEST(TargetFiles, EntriesAsListed) {
    for (const ExpectedEntry& expected : kExpectedEntries) {
        EXPECT_EQ(entryOf(expected.row), expected.files) << "row " << expected.row;
    }
}

TEST(TargetFiles, LookupOutsideTheCatalogueKeepsThePreviousNames) {
    const TargetFileSet row1 = entryOf(1);
    for (int index : {-1, 208, 1000}) {
        TargetFileSet set = row1;
        lookupTargetFiles(index, set);
        EXPECT_EQ(set, row1) << "index " << index;

        TargetFileSet fresh;
        lookupTargetFiles(index, fresh);
        EXPECT_EQ(fresh, TargetFileSet{}) << "index " << index;
    }
}

TEST(TargetFiles, LookupOverwritesEveryField) {
    TargetFileSet set;
    lookupTargetFiles(207, set);
    ASSERT_FALSE(set.TargetHorn.empty());
    lookupTargetFiles(188, set);
    EXPECT_EQ(set, TargetFileSet{});

    // From a car with a horn to one without: the old horn must not survive.
    lookupTargetFiles(201, set);
    lookupTargetFiles(202, set);
    EXPECT_EQ(set.TargetHorn, "");
    EXPECT_EQ(set.TargetSound0, "m6H_0.wav");
}

} // namespace
} // namespace obrinex
