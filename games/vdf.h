// Valve's KeyValues text, the format of Steam's libraryfolders.vdf: quoted keys, each with a
// quoted value or a braced block of further keys. A pure reader over bytes; it never touches
// a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

struct VdfNode {
    std::string key;
    // The value of a key that has one; empty for a block.
    std::string value;
    std::vector<VdfNode> children;
    bool isBlock = false;
};

// Blocks nest at most this deep; deeper text is taken for damage rather than recursed into.
inline constexpr int kMaxVdfDepth = 64;

// The top-level keys of the text. Tokens are quoted strings (with the escapes \\ \" \n \t) or
// bare words; "//" starts a comment; a "[$CONDITION]" after a value is skipped. Nothing when
// the text is damaged: an unterminated string or block, a stray "}", a key without a value,
// or blocks nested deeper than kMaxVdfDepth.
std::optional<std::vector<VdfNode>> parseVdf(std::string_view text);

// The library folders that a libraryfolders.vdf lists, in its order: the "path" of every
// numbered block, or, in the older form, the value of every numbered key. Nothing when the
// text is damaged.
std::optional<std::vector<std::string>> steamLibraryFolders(std::string_view text);

} // namespace obrinex
