#include "app/game_folder.h"

#include "app/errors.h"
#include "app/main_window.h"

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

void MainWindow::readGameFolderFromRegistry() {
    // Reading is all the lookup does; asking for more is refused to standard users on
    // HKEY_LOCAL_MACHINE, and the game folder would then never be found.
    auto key = platform_.registry.openLocalMachineKey(kGameRegistryKey, RegistryAccess::Read);
    if (!key) {
        return;
    }
    const std::string valueName = kGameRegistryValue;
    auto info = key->queryValue(valueName);
    if (!info || info->size == 0) {
        return;
    }
    if (info->type == RegSz || info->type == RegExpandSz || info->type == RegDword) {
        throw AppError("Invalid data type for '" + valueName + "'");
    }
    auto data = key->readValue(valueName, info->size);
    if (!data) {
        throw AppError("Failed to get data for '" + valueName + "'");
    }
    data->resize(info->size, '\0');
    // A value without any backslash leaves the field as it was rather than empty.
    if (auto folder = gameFolderFromRegistryData(std::move(*data))) {
        edit1.setText(*folder);
    }
}

} // namespace obrinex
