// Any bytes as a descriptor: the splitter, the line-1 cutting and the name check must never
// crash or read outside their input.
#include "package/descriptor.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto lines = obrinex::splitDescriptorLines(bytes);
    for (const auto& line : lines) {
        auto fields = obrinex::cutLine1(line);
        obrinex::splitCredit(fields.authorField);
        obrinex::splitCredit(fields.emailField);
        obrinex::isPackageRelativeName(line);
    }
    return 0;
}
