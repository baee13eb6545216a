#include "frontends/win32/glyphs.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace obrinex::win32 {

namespace {

struct Point {
    double x, y;
};

// The arrow in a unit square: a shaft and a head pointing right.
bool insideArrow(Point p) {
    if (p.x >= 0.08 && p.x <= 0.54 && p.y >= 0.37 && p.y <= 0.63) {
        return true;
    }
    const Point a{0.46, 0.12}, b{0.94, 0.50}, c{0.46, 0.88};
    auto side = [&](Point from, Point to) {
        return (to.x - from.x) * (p.y - from.y) - (to.y - from.y) * (p.x - from.x);
    };
    return side(a, b) >= 0 && side(b, c) >= 0 && side(c, a) >= 0;
}

} // namespace

HICON makeArrowIcon(int size) {
    size = std::max(size, 8);
    constexpr int kSamples = 4; // per pixel and axis, for smooth edges
    const double pixel = 1.0 / size;
    std::vector<std::uint32_t> bgra(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int covered = 0, edge = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    Point p{(x + (sx + 0.5) / kSamples) * pixel, (y + (sy + 0.5) / kSamples) * pixel};
                    if (!insideArrow(p)) {
                        continue;
                    }
                    ++covered;
                    // Within one pixel of the outline: the darker rim.
                    if (!insideArrow({p.x - pixel, p.y}) || !insideArrow({p.x + pixel, p.y}) ||
                        !insideArrow({p.x, p.y - pixel}) || !insideArrow({p.x, p.y + pixel})) {
                        ++edge;
                    }
                }
            }
            if (covered == 0) {
                continue;
            }
            // Lighter at the top, darker at the bottom, like a lit glyph.
            const double t = static_cast<double>(y) / (size - 1);
            const double fillGreen = 200 - 80 * t, fillRed = 80 - 60 * t;
            const double rim = static_cast<double>(edge) / covered;
            const int red = static_cast<int>(fillRed * (1 - rim));
            const int green = static_cast<int>(fillGreen * (1 - rim) + 100 * rim);
            const int blue = static_cast<int>(fillRed * 0.5 * (1 - rim));
            const int alpha = covered * 255 / (kSamples * kSamples);
            bgra[static_cast<std::size_t>(y * size + x)] =
                static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(red) << 16 |
                static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
        }
    }

    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = size;
    header.bV5Height = -size; // top-down
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP color =
        ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    if (color == nullptr) {
        return nullptr;
    }
    std::memcpy(bits, bgra.data(), bgra.size() * sizeof bgra[0]);
    // With an alpha channel the mask only has to exist.
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>((size + 15) / 16 * 2 * size), 0);
    HBITMAP mask = ::CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO info{TRUE, 0, 0, mask, color};
    HICON icon = ::CreateIconIndirect(&info);
    ::DeleteObject(mask);
    ::DeleteObject(color);
    return icon;
}

} // namespace obrinex::win32
