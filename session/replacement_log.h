// The replacement log of a game folder as the wizard's start-up loads it (the car list file)
// with the map list file of each row. Reads only.
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace obrinex {

struct LogEntry {
    // Windows-1252 texts, as stored.
    std::string car;      // the row's caption
    std::string replaced; // sub-item 1
    std::string id;       // sub-item 2
    int imageIndex = 0;
    // The names in the row's map list file; none when the row has no such file.
    std::optional<std::vector<std::string>> maps;
};

struct ReplacementLog {
    std::vector<LogEntry> rows;
    // The wizard's messages when the car list file cannot be loaded.
    std::vector<std::string> failures;
};

// `gameFolder`: the folder text with its closing separator. A folder without a car list file
// has an empty log and no failure.
ReplacementLog readReplacementLog(FileSystem& files, const std::string& gameFolder);

} // namespace obrinex
