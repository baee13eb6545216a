// The 208 catalogue rows (group headers, blank rows and the game's 169 stock cars) in the
// four languages. A row's index is the same car in every language and is the key that the
// replacement log stores, so the order never changes.
#pragma once

#include "i18n/language.h"

#include <string>
#include <vector>

namespace obrinex {

inline constexpr int kCatalogueRowCount = 208;

// The rows of one language, Windows-1252 bytes, exactly kCatalogueRowCount of them.
const std::vector<std::string>& catalogueRows(Language language);

} // namespace obrinex
