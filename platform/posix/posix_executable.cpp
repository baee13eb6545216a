#include "platform/posix/posix_executable.h"

#include "text/cp1252.h"

#include <unistd.h>

namespace obrinex {

std::string posixExecutablePath() {
    char buffer[4096];
    ssize_t got = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (got <= 0) {
        return "";
    }
    return utf8ToCp1252(std::string(buffer, static_cast<std::size_t>(got))).value_or("");
}

} // namespace obrinex
