// Any bytes as a car list file: decoding never crashes, and what it decodes encodes back to
// a file that decodes to the same rows.
#include "carlog/car_list.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto list = obrinex::decodeCarList(std::string_view(reinterpret_cast<const char*>(data), size));
    if (list) {
        auto again = obrinex::decodeCarList(obrinex::encodeCarList(list->rows));
        if (!again || !again->complete || again->rows != list->rows) {
            __builtin_trap();
        }
    }
    return 0;
}
