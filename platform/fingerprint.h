// Fingerprints of file contents: XXH3 with 128 bits, written as 32 lower-case hex digits. Fast
// enough to compute while a file is copied; not meant to resist a forger.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace obrinex {

class Fingerprinter {
  public:
    Fingerprinter();
    ~Fingerprinter();
    Fingerprinter(const Fingerprinter&) = delete;
    Fingerprinter& operator=(const Fingerprinter&) = delete;

    void add(const void* data, std::size_t size);
    // The fingerprint of everything added so far.
    std::string hex() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

std::string fingerprintOf(std::string_view bytes);

// True for a text of 32 lower-case hex digits, as fingerprints are written.
bool isFingerprint(std::string_view text);

} // namespace obrinex
