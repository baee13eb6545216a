// Conversion between the program's 8-bit texts and the UTF-16 of the W functions, always through
// Windows-1252 rather than the system's ANSI code page, so that it matches the core's texts.
#pragma once

#include <optional>
#include <string>

namespace obrinex {

// UTF-16 of an 8-bit text; every byte converts.
std::wstring toWide(const std::string& text);

// The same for a path or a name handed to the system: nothing when the text holds a NUL byte,
// which the system would take for its end and so reach another file.
std::optional<std::wstring> toWidePath(const std::string& path);

// The 8-bit text of a UTF-16 string; nothing when a character has no Windows-1252 byte.
std::optional<std::string> fromWide(const std::wstring& text);

// The same, with '?' for each character that has no byte.
std::string fromWideLossy(const std::wstring& text);

} // namespace obrinex
