// The running executable's full path on a POSIX host, in the program's code page.
#pragma once

#include <string>

namespace obrinex {

// The path of /proc/self/exe; "" when it cannot be read or has no Windows-1252 spelling.
std::string posixExecutablePath();

} // namespace obrinex
