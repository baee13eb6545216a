// The installer state: the one record of values that the main window and its dialogs share
// for the whole run. Zero-initialised at program start, written and read by the handlers.
#pragma once

#include "catalogue/target_files.h"
#include "i18n/ui_text.h"
#include "package/descriptor.h"

#include <array>
#include <cstdint>
#include <string>

namespace obrinex {

// The game's registry record of its folder.
inline constexpr const char* kGameRegistryKey = "Software\\Kelvarion\\Zarvo";
inline constexpr const char* kGameRegistryValue = "idir";

// The TargetFileSet fields (TargetModel1 ... TargetHorn) come first, as the game file names
// of the catalogue row looked up last.
struct InstallerState : TargetFileSet {
    std::string PackageDir;           // the executable's folder, with its separator
    std::string SourceModelPath;      // the package model that replaces the car's first model
    std::string SourceExtraModelPath; // the package's further model, or empty
    std::string LanguageName;         // "deutsch", "english", "cesky" or "francais"
    std::int32_t SetupLineCount = 0;
    std::int32_t ColorVariantCount = 0;
    std::int32_t HasOptionalContent = 0;
    std::int32_t HasVehiclesBin = 0;
    std::int32_t CatalogueIndex = 0;
    std::array<std::string, kMaxMapFiles> MapFiles; // descriptor lines 4, 5, 6 ...
    UiText uiText;
};

} // namespace obrinex
