// Taking catalogue rows out of a game folder's replacement log: their rows of the car list
// file (found by their ID) and their map list files. For putting cars back; the wizard itself
// never removes a log row.
#pragma once

#include "platform/platform.h"

#include <set>
#include <string>
#include <vector>

namespace obrinex {

struct LogRemoval {
    std::vector<int> removed; // the rows that had a log row, ascending
    std::string error;        // "" when done
};

// `gameDir` ends with a separator. A folder without a car list file has no rows to remove;
// map list files of the rows are removed either way.
LogRemoval removeLogRows(FileSystem& files, const std::string& gameDir, const std::set<int>& rows);

} // namespace obrinex
