#include "app/game_folder.h"

namespace obrinex {

std::optional<std::string> gameFolderFromRegistryData(std::string data) {
    for (auto nul = data.find('\0'); nul != std::string::npos; nul = data.find('\0', nul + 2)) {
        data.replace(nul, 1, "\r\n");
    }
    auto lastBackslash = data.rfind('\\');
    if (lastBackslash == std::string::npos) {
        return std::nullopt;
    }
    data.resize(lastBackslash + 1);
    return data;
}

} // namespace obrinex
