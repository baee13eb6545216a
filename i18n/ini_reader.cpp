#include "i18n/ini_reader.h"

#include "text/cp1252.h"

#include <cstddef>
#include <utility>

namespace obrinex {

namespace {

// The system reader hands values over in a buffer of 2048 bytes, one of them the terminator.
constexpr std::size_t kMaxValueLength = 2047;

// The system reader strips vertical tabs from file content along with spaces and tabs.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin])) {
        ++begin;
    }
    std::size_t end = text.size();
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// The names a caller asks for lose spaces only, as with the system reader.
std::string_view trimSpaces(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// Takes the next line off `rest`. CR LF, LF and a lone CR all end a line, so readmes saved
// with any of the three conventions read alike.
std::string_view takeLine(std::string_view& rest) {
    const auto end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        return std::exchange(rest, std::string_view{});
    }
    const auto line = rest.substr(0, end);
    const std::size_t breakLength =
        (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? 2 : 1;
    rest.remove_prefix(end + breakLength);
    return line;
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

IniReader::IniReader(std::string content) : content_(std::move(content)) {}

std::string IniReader::readString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    section = trimSpaces(section);
    key = trimSpaces(key);
    std::string_view rest = content_;
    bool inSection = false;
    while (!rest.empty()) {
        auto line = takeLine(rest);
        // Values reach the user as C strings, so a NUL ends the line's text wherever it stands.
        line = trimBlanks(line.substr(0, line.find('\0')));
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            // Only the first section of a name counts, as with the system reader.
            if (inSection) {
                break;
            }
            // The name ends at the first "]" or, when there is none, at the end of the line.
            const auto name = line.substr(1, line.find(']', 1) - 1);
            inSection = equalNoCase(trimBlanks(name), section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || !equalNoCase(trimBlanks(line.substr(0, equals)), key)) {
            continue;
        }
        const auto value = unquote(trimBlanks(line.substr(equals + 1)));
        return std::string(value.substr(0, kMaxValueLength));
    }
    return std::string(defaultValue);
}

} // namespace obrinex
