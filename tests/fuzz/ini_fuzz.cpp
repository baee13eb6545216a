// Any bytes as a readme: reading the sections of the four languages must never crash.
#include "i18n/ini_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    obrinex::IniReader reader(std::string(reinterpret_cast<const char*>(data), size));
    for (const char* section : {"deutsch", "english", "cesky", "francais"}) {
        for (int key = 0; key <= 101; key += 7) {
            auto value = reader.readString(section, std::to_string(key), "");
            if (value.size() > 2047) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
