// The driver's output: one JSON object per line, texts in UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace obrinex::script {

// A JSON string literal of an 8-bit (Windows-1252) text.
std::string jsonString(std::string_view cp1252Text);
std::string jsonStringArray(const std::vector<std::string>& cp1252Texts);
std::string jsonIntArray(const std::vector<int>& numbers);
inline std::string jsonBool(bool value) {
    return value ? "true" : "false";
}

} // namespace obrinex::script
