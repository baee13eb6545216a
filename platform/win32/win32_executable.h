// The running executable's full path, as the program's Windows-1252 text.
#pragma once

#include <string>

namespace obrinex {

// A character Windows-1252 lacks is avoided through the file's short name when the volume
// keeps short names; otherwise it becomes '?'.
std::string win32ExecutablePath();

} // namespace obrinex
