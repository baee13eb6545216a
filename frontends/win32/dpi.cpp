#include "frontends/win32/dpi.h"

#include <cstring>

namespace obrinex::win32 {

namespace {

template <class Function> Function userFunction(const char* name) {
    FARPROC address = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name);
    Function function = nullptr;
    static_assert(sizeof function == sizeof address);
    std::memcpy(&function, &address, sizeof function);
    return function;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

UINT screenDpi() {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

} // namespace

RECT scaledRect(int left, int top, int width, int height, UINT dpi) {
    return RECT{scaled(left, dpi), scaled(top, dpi), scaled(left + width, dpi), scaled(top + height, dpi)};
}

UINT systemDpi() {
    static const auto getDpiForSystem = userFunction<GetDpiForSystemFn>("GetDpiForSystem");
    return getDpiForSystem != nullptr ? getDpiForSystem() : screenDpi();
}

UINT windowDpi(HWND window) {
    static const auto getDpiForWindow = userFunction<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (UINT dpi = getDpiForWindow(window)) {
            return dpi;
        }
    }
    return systemDpi();
}

SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi = userFunction<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, width, height};
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    } else {
        ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace obrinex::win32
