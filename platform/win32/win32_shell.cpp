#include "platform/win32/win32_shell.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

#include <shellapi.h>

namespace obrinex {

void Win32Shell::open(const std::string& target) {
    auto wide = toWidePath(target);
    if (!wide) {
        return;
    }
    ::ShellExecuteW(nullptr, L"open", wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace obrinex
