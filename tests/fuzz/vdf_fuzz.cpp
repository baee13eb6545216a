// Any bytes as a Steam libraryfolders.vdf: reading the tree and the library folders must never
// crash, recurse without bound or read outside the input.
#include "games/vdf.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    obrinex::parseVdf(text);
    obrinex::steamLibraryFolders(text);
    return 0;
}
