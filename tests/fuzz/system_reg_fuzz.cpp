// Any bytes as a Wine prefix's system.reg: parsing and looking up the game's key must never
// crash or read outside the input.
#include "platform/wine_registry.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto file = obrinex::WineRegistryFile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (file) {
        for (const char* path :
             {"Software\\Kelvarion\\Zarvo", "Software\\Wow6432Node\\Kelvarion\\Zarvo", "A"}) {
            if (const auto* key = file->findKey(path)) {
                key->findValue("idir");
            }
        }
    }
    return 0;
}
