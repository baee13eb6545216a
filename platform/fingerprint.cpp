#include "platform/fingerprint.h"

#define XXH_INLINE_ALL
#define XXH_STATIC_LINKING_ONLY
#include <xxhash.h>

#include <algorithm>

namespace obrinex {

struct Fingerprinter::State {
    XXH3_state_t xxh;
};

Fingerprinter::Fingerprinter() : state_(std::make_unique<State>()) {
    XXH3_128bits_reset(&state_->xxh);
}

Fingerprinter::~Fingerprinter() = default;

void Fingerprinter::add(const void* data, std::size_t size) {
    XXH3_128bits_update(&state_->xxh, data, size);
}

std::string Fingerprinter::hex() const {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(&state_->xxh));
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char byte : canonical.digest) {
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

std::string fingerprintOf(std::string_view bytes) {
    Fingerprinter fingerprint;
    fingerprint.add(bytes.data(), bytes.size());
    return fingerprint.hex();
}

bool isFingerprint(std::string_view text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

} // namespace obrinex
