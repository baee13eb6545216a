#include "text/cp1252.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace obrinex {

namespace {

// Unicode code points of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t toCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> fromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<unsigned char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        appendUtf8(out, toCodePoint(static_cast<unsigned char>(c)));
    }
    return out;
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto b0 = static_cast<unsigned char>(utf8[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (b0 < 0x80) {
            cp = b0;
            len = 1;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F;
            len = 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            cp = b0 & 0x0F;
            len = 3;
        } else if ((b0 & 0xF8) == 0xF0) {
            cp = b0 & 0x07;
            len = 4;
        } else {
            return std::nullopt;
        }
        if (i + len > utf8.size()) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < len; ++k) {
            auto b = static_cast<unsigned char>(utf8[i + k]);
            if ((b & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (b & 0x3F);
        }
        // Overlong forms would let one byte hide behind another spelling.
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000)) {
            return std::nullopt;
        }
        auto byte = fromCodePoint(cp);
        if (!byte) {
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
        i += len;
    }
    return out;
}

std::string cp1252(std::string_view utf8) {
    auto converted = utf8ToCp1252(utf8);
    if (!converted) {
        std::fprintf(stderr, "text table entry is not Windows-1252: %.*s\n", static_cast<int>(utf8.size()),
                     utf8.data());
        std::abort();
    }
    return *converted;
}

char lowerCp1252(char c) {
    auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
        return static_cast<char>(b + 0x20);
    }
    if (b == 0x8A || b == 0x8C || b == 0x8E) {
        return static_cast<char>(b + 0x10);
    }
    if (b == 0x9F) {
        return static_cast<char>(0xFF);
    }
    return c;
}

char upperCp1252(char c) {
    auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
        return static_cast<char>(b - 0x20);
    }
    if (b == 0x9A || b == 0x9C || b == 0x9E) {
        return static_cast<char>(b - 0x10);
    }
    if (b == 0xFF) {
        return static_cast<char>(0x9F);
    }
    return c;
}

std::string lowerCp1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = lowerCp1252(c);
    }
    return out;
}

int compareNoCase(std::string_view a, std::string_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(lowerCp1252(a[i]));
        auto y = static_cast<unsigned char>(lowerCp1252(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) == 0;
}

} // namespace obrinex
