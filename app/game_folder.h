// The game folder as the registry records it: raw bytes of an ANSI path that ends with a
// backslash, possibly followed by NUL bytes.
#pragma once

#include <optional>
#include <string>

namespace obrinex {

// The folder text for the game folder field: every NUL becomes CR LF, then characters are
// removed from the end until the last one is a backslash. Nothing when no backslash is left.
std::optional<std::string> gameFolderFromRegistryData(std::string data);

} // namespace obrinex
