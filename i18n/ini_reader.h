// A reader for INI files in the Windows profile-file form, with the lookup rules of the
// system's profile functions. Used for the package readme on every platform.
#pragma once

#include <string>
#include <string_view>

namespace obrinex {

class IniReader {
  public:
    // `content` is the whole file, 8-bit bytes.
    explicit IniReader(std::string content);

    // The value of `key` in `section`, or `defaultValue` when there is none. Section and
    // key names match without regard to case; the first of duplicate keys wins; the value
    // is trimmed of blanks, loses one pair of matching enclosing quotes, and is cut to 2047
    // characters.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;

  private:
    std::string content_;
};

} // namespace obrinex
