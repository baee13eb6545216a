// Path texts as the wizard builds them: a folder text ending with a separator, then a name.
#pragma once

#include "text/cp1252.h"

#include <algorithm>
#include <string>

namespace obrinex {

// The folder part of a path, with its separator ("\", "/" or a drive's ":"); "" for a bare name.
inline std::string folderPart(const std::string& path) {
    auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// True when the path ends with a separator, so its last name is empty.
inline bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// A folder text completed with "\" when it does not end with a separator; "" stays "".
inline std::string withFinalSeparator(const std::string& folder) {
    return folder.empty() || endsWithSeparator(folder) ? folder : folder + "\\";
}

// A path as Windows tells names apart: without regard to case, either separator, no closing
// separator. Two paths with the same key name the same file.
inline std::string pathKey(const std::string& path) {
    std::string key = lowerCp1252(path);
    std::replace(key.begin(), key.end(), '/', '\\');
    while (!key.empty() && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

} // namespace obrinex
