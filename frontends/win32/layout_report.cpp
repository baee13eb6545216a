#include "frontends/win32/layout_report.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace obrinex::win32 {

const std::wstring& layoutReportPath() {
    static const std::wstring path = [] {
        const wchar_t* value = ::_wgetenv(L"OBRINEX_LAYOUT_REPORT");
        return std::wstring(value != nullptr ? value : L"");
    }();
    return path;
}

SIZE inkExtent(HWND control, HFONT font, const std::wstring& text, UINT format, int width) {
    if (text.empty()) {
        return SIZE{0, 0};
    }
    // Room enough for any caption: four times the box's width and twenty lines of the font.
    HDC screen = ::GetDC(control);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int canvasWidth = std::max(width, 1) * 4 + 64;
    const int canvasHeight = metrics.tmHeight * 20 + 16;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvasWidth;
    info.bmiHeader.biHeight = -canvasHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SIZE ink{0, 0};
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        RECT all{0, 0, canvasWidth, canvasHeight};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkMode(dc, TRANSPARENT);
        RECT box{0, 0, width, canvasHeight};
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_NOCLIP);
        ::GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        for (int y = 0; y < canvasHeight; ++y) {
            for (int x = 0; x < canvasWidth; ++x) {
                if ((pixels[static_cast<std::size_t>(y) * canvasWidth + x] & 0xFFFFFF) != 0xFFFFFF) {
                    ink.cx = std::max<LONG>(ink.cx, x + 1);
                    ink.cy = std::max<LONG>(ink.cy, y + 1);
                }
            }
        }
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(bitmap);
    }
    ::SelectObject(dc, oldFont);
    ::DeleteDC(dc);
    ::ReleaseDC(control, screen);
    return ink;
}

} // namespace obrinex::win32
