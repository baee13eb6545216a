// The car list file "carlist.sav": the rows of the replacement log in a small binary format
// (magic "LVF", 16-bit counts and lengths, little-endian). Encoding and decoding only;
// reading and writing the file is the main window's.
#pragma once

#include "ui/controls.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

// Why these rows do not fit the format's 16-bit counts and lengths (more than 65535 rows,
// sub-items of a row, or bytes of a text); nothing when they fit.
std::optional<std::string> carListLimitProblem(const std::vector<ListViewRow>& rows);

// The file's bytes for these rows. Never cuts: rows that do not fit (see carListLimitProblem)
// raise std::length_error.
std::string encodeCarList(const std::vector<ListViewRow>& rows);

struct DecodedCarList {
    std::vector<ListViewRow> rows;
    // False when the file ended before its row count was satisfied; the rows read in full
    // are kept, no row is invented.
    bool complete = true;
};

// The rows of a car list file; nothing when its first three bytes, up to a NUL among them,
// are not "LVF". A NUL inside a stored text ends the text.
std::optional<DecodedCarList> decodeCarList(std::string_view bytes);

} // namespace obrinex
