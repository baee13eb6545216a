#include "games/game_record.h"

#include "app/errors.h"
#include "app/game_folder.h"
#include "app/installer_state.h"

namespace obrinex {

std::optional<std::string> readGameFolderRecord(Registry& registry) {
    // Reading is all the lookup does; asking for more is refused to standard users on
    // HKEY_LOCAL_MACHINE, and the game folder would then never be found.
    auto key = registry.openLocalMachineKey(kGameRegistryKey, RegistryAccess::Read);
    if (!key) {
        return std::nullopt;
    }
    const std::string valueName = kGameRegistryValue;
    auto info = key->queryValue(valueName);
    if (!info || info->size == 0) {
        return std::nullopt;
    }
    if (info->type == RegSz || info->type == RegExpandSz || info->type == RegDword) {
        throw AppError("Invalid data type for '" + valueName + "'");
    }
    auto data = key->readValue(valueName, info->size);
    if (!data) {
        throw AppError("Failed to get data for '" + valueName + "'");
    }
    data->resize(info->size, '\0');
    return gameFolderFromRegistryData(std::move(*data));
}

} // namespace obrinex
