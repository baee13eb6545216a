// Dots per inch of a window, and design coordinates (at 96 dots per inch) scaled to them. The
// per-monitor functions exist only from Windows 10 on, so they are looked up at run time and
// older systems get the system's one density.
#pragma once

#include <windows.h>

namespace obrinex::win32 {

inline constexpr int kDesignDpi = 96;

// A design length at `dpi`. Every edge is scaled from its design position, so that the edges
// of neighbouring controls stay where the design puts them, whatever the rounding.
inline int scaled(int designLength, UINT dpi) {
    return ::MulDiv(designLength, static_cast<int>(dpi), kDesignDpi);
}

// A design rectangle (left, top, width, height) in pixels at `dpi`.
RECT scaledRect(int left, int top, int width, int height, UINT dpi);

UINT systemDpi();
UINT windowDpi(HWND window);

// The outer size of a window of `style` whose client area is `width` × `height` pixels.
SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

} // namespace obrinex::win32
