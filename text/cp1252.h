// Conversion between the program's 8-bit code page (Windows-1252) and UTF-8, and the
// code page's case rules. Only the edges of the program convert; the core keeps 8-bit bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace obrinex {

// UTF-8 of an 8-bit text. The five bytes that Windows-1252 leaves undefined map to the
// C1 control characters of the same value, as Windows does.
std::string cp1252ToUtf8(std::string_view text);

// The 8-bit text of a UTF-8 string; nothing when the string is not valid UTF-8 or holds a
// character that Windows-1252 lacks.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

// For constant tables written as UTF-8 in the source: converts or aborts the program,
// since a table that does not convert is a programming error a test catches.
std::string cp1252(std::string_view utf8);

char lowerCp1252(char c);
char upperCp1252(char c);
std::string lowerCp1252(std::string_view text);

// Comparison without regard to case, by the code page's letters; < 0, 0 or > 0.
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);

} // namespace obrinex
