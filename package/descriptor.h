// The package descriptor "setup.ini": its line splitting, the cutting of line 1 into car
// name, author and e-mail with the converter credit, and the test that a file name stays
// inside the package. Pure functions; reading the file is the caller's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

// Lines 4 and later name map files; the package carries at most this many.
inline constexpr int kMaxMapFiles = 100;

// Lines end at CR LF, a lone LF or a lone CR; a terminator at the very end starts no further
// line; a NUL byte ends the text. Nothing is trimmed.
std::vector<std::string> splitDescriptorLines(std::string_view bytes);

struct Line1Fields {
    std::string carName;
    std::string authorField;
    std::string emailField;
};

// Cuts "name, author, e-mail": each field ends at a comma and the character after the comma
// is skipped. A field whose comma is missing takes the rest of the line and the fields after
// it are empty.
Line1Fields cutLine1(std::string_view line);

// The separator of the converter credit: blank, middle dot (byte B7), blank.
inline constexpr std::string_view kCreditSeparator = " \xB7 ";

struct CreditParts {
    std::string authorPart;
    std::string converterPart;
};

// Splits a field at its first credit separator; nothing when the field has none.
std::optional<CreditParts> splitCredit(std::string_view field);

// True when a descriptor file name stays inside its folder: not absolute, no drive or other
// colon, no leading separator, no component made only of dots and blanks (".." and the
// spellings Windows reads as "..").
bool isPackageRelativeName(std::string_view name);

} // namespace obrinex
