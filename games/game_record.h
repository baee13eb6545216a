// The game's registry record of its folder, read as the wizard's start-up reads it: the 32-bit
// view of HKEY_LOCAL_MACHINE, key "Software\Kelvarion\Zarvo", value "idir", raw bytes cut back
// to their last backslash. Reads the registry it is given; knows nothing of Wine or windows.
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>

namespace obrinex {

// The folder text (Windows-1252, ending with a backslash); nothing when the key or the value
// is missing, empty or holds no backslash. Throws AppError with the wizard's text for a value
// of string or number type ("Invalid data type for 'idir'") and for data that cannot be read.
std::optional<std::string> readGameFolderRecord(Registry& registry);

} // namespace obrinex
