// The game's own file names for every catalogue row: three models in "models\" and five
// sounds in "sounds\". Fixed data; looking a row up is the only operation.
#pragma once

#include <string>

namespace obrinex {

// The eight game file names of one catalogue row; bare names, each possibly empty. An empty
// TargetModel1 marks a header or blank row.
struct TargetFileSet {
    std::string TargetModel1;
    std::string TargetModel2;
    std::string TargetModel3;
    std::string TargetSoundOn;
    std::string TargetSoundOff;
    std::string TargetSound0;
    std::string TargetSound1;
    std::string TargetHorn;

    bool operator==(const TargetFileSet&) const = default;
};

// Overwrites `set` with the entry of row `catalogueIndex`; leaves it untouched when the
// index is outside 0 to 207.
void lookupTargetFiles(int catalogueIndex, TargetFileSet& set);

// True for a row of a car: its first model name is not empty (header and blank rows, and
// indexes outside 0 to 207, are no cars).
bool isCarRow(int catalogueIndex);

} // namespace obrinex
