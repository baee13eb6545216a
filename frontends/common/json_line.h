// One JSON value on one line, written as the front ends print it: ", " between members and
// elements, ": " after a key, members in the order they were added. The escaping and the
// UTF-8 are nlohmann/json's; texts of the core are converted from Windows-1252 first.
#pragma once

#include "text/cp1252.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

using Json = nlohmann::ordered_json;

// A JSON string of a Windows-1252 text.
inline Json jsonText(std::string_view cp1252Text) {
    return Json(cp1252ToUtf8(cp1252Text));
}

inline Json jsonTexts(const std::vector<std::string>& cp1252Texts) {
    Json array = Json::array();
    for (const std::string& text : cp1252Texts) {
        array.push_back(jsonText(text));
    }
    return array;
}

inline void appendJsonLine(std::string& out, const Json& value) {
    if (value.is_object()) {
        out += '{';
        const char* separator = "";
        for (const auto& [key, member] : value.items()) {
            out += separator;
            out += Json(key).dump();
            out += ": ";
            appendJsonLine(out, member);
            separator = ", ";
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        const char* separator = "";
        for (const Json& element : value) {
            out += separator;
            appendJsonLine(out, element);
            separator = ", ";
        }
        out += ']';
    } else {
        // A host path that is not UTF-8 is shown with replacement characters rather than lost.
        out += value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
}

inline std::string jsonLine(const Json& value) {
    std::string out;
    appendJsonLine(out, value);
    return out;
}

} // namespace obrinex
