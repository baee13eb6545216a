#include "frontends/script/json.h"

#include "text/cp1252.h"

#include <cstdio>

namespace obrinex::script {

std::string jsonString(std::string_view cp1252Text) {
    std::string out = "\"";
    for (char c : cp1252ToUtf8(cp1252Text)) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string jsonStringArray(const std::vector<std::string>& cp1252Texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < cp1252Texts.size(); ++i) {
        out += (i ? ", " : "") + jsonString(cp1252Texts[i]);
    }
    return out + "]";
}

std::string jsonIntArray(const std::vector<int>& numbers) {
    std::string out = "[";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        out += (i ? ", " : "") + std::to_string(numbers[i]);
    }
    return out + "]";
}

} // namespace obrinex::script
