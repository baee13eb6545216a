#include "platform/win32/win32_text.h"

#include <windows.h>

namespace obrinex {

namespace {

constexpr UINT kCodePage = 1252;

std::string narrow(const std::wstring& text, BOOL* usedDefault) {
    if (text.empty()) {
        return {};
    }
    int length = static_cast<int>(text.size());
    int size = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                     nullptr, usedDefault);
    std::string out(static_cast<std::size_t>(size), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), size, nullptr,
                              usedDefault);
    }
    return out;
}

} // namespace

std::wstring toWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    int length = static_cast<int>(text.size());
    int size = ::MultiByteToWideChar(kCodePage, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    if (size > 0) {
        ::MultiByteToWideChar(kCodePage, 0, text.data(), length, out.data(), size);
    }
    return out;
}

std::optional<std::wstring> toWidePath(const std::string& path) {
    if (path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return toWide(path);
}

std::optional<std::string> fromWide(const std::wstring& text) {
    BOOL usedDefault = FALSE;
    std::string out = narrow(text, &usedDefault);
    // The round trip also catches what the default-character flag may miss, such as a lone
    // surrogate of a damaged file name.
    if (usedDefault || toWide(out) != text) {
        return std::nullopt;
    }
    return out;
}

std::string fromWideLossy(const std::wstring& text) {
    return narrow(text, nullptr);
}

} // namespace obrinex
