// Any bytes as the registry's folder value: the result is empty or ends with a backslash.
#include "app/game_folder.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto folder = obrinex::gameFolderFromRegistryData(std::string(reinterpret_cast<const char*>(data), size));
    if (folder && (folder->empty() || folder->back() != '\\' || folder->find('\0') != std::string::npos)) {
        __builtin_trap();
    }
    return 0;
}
