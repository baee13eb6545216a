#include "package/descriptor.h"

namespace obrinex {

std::vector<std::string> splitDescriptorLines(std::string_view bytes) {
    auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
    }
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        auto end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(pos));
            break;
        }
        lines.emplace_back(bytes.substr(pos, end - pos));
        pos = end + 1;
        if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    }
    return lines;
}

namespace {

// Takes the text before the next comma and removes it with the comma and one character after.
std::string takeField(std::string_view& rest) {
    auto comma = rest.find(',');
    if (comma == std::string_view::npos) {
        std::string field(rest);
        rest = {};
        return field;
    }
    std::string field(rest.substr(0, comma));
    rest.remove_prefix(std::min(rest.size(), comma + 2));
    return field;
}

} // namespace

Line1Fields cutLine1(std::string_view line) {
    Line1Fields fields;
    fields.carName = takeField(line);
    fields.authorField = takeField(line);
    fields.emailField = std::string(line);
    return fields;
}

std::optional<CreditParts> splitCredit(std::string_view field) {
    auto at = field.find(kCreditSeparator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return CreditParts{std::string(field.substr(0, at)),
                       std::string(field.substr(at + kCreditSeparator.size()))};
}

bool isPackageRelativeName(std::string_view name) {
    if (name.empty()) {
        return true;
    }
    if (name.front() == '\\' || name.front() == '/' || name.find(':') != std::string_view::npos) {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        auto end = name.find_first_of("\\/", start);
        auto part = name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        bool onlyDotsAndBlanks = !part.empty() && part.find_first_not_of(". ") == std::string_view::npos;
        if (onlyDotsAndBlanks && part != ".") {
            return false;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

} // namespace obrinex
