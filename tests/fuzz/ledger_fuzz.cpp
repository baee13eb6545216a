// Any bytes as the ledger's index: reading never crashes, and what it reads writes back to a
// text that reads the same.
#include "ledger/ledger.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto ledger = obrinex::decodeLedger(std::string_view(reinterpret_cast<const char*>(data), size));
    if (ledger) {
        auto again = obrinex::decodeLedger(obrinex::encodeLedger(*ledger));
        if (!again || again->layers != ledger->layers || again->installations.size() != ledger->installations.size()) {
            __builtin_trap();
        }
    }
    return 0;
}
