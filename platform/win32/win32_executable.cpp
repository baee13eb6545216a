#include "platform/win32/win32_executable.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace obrinex {

std::string win32ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD got = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (got == 0) {
            return {};
        }
        if (got < path.size()) {
            path.resize(got);
            break;
        }
        path.resize(path.size() * 2);
    }
    if (auto converted = fromWide(path)) {
        return *converted;
    }
    DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size > 0) {
        std::wstring shortPath(size, L'\0');
        DWORD got = ::GetShortPathNameW(path.c_str(), shortPath.data(), size);
        if (got > 0 && got < size) {
            shortPath.resize(got);
            if (auto converted = fromWide(shortPath)) {
                return *converted;
            }
        }
    }
    return fromWideLossy(path);
}

} // namespace obrinex
