// The game folder field filled from the registry at start-up.
#include "app/errors.h"
#include "app/game_folder.h"
#include "app/main_window.h"

namespace obrinex {

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
