// What the wizard's start-up makes of a package folder, and whether the package can be
// installed: the descriptor's values as the introduction page shows them, the colour and car
// variants, the optional content, the readme languages, and every reason the installation
// would be refused or would miss a file. Runs the wizard's own start-up (HeadlessWizard) and
// reads what it left; it writes nothing.
#pragma once

#include "i18n/language.h"
#include "platform/platform.h"

#include <string>
#include <vector>

namespace obrinex {

struct PackageReport {
    // Texts are Windows-1252.
    std::vector<std::string> problems; // empty when installable
    std::vector<std::string> warnings; // errors of start-up that do not stop an installation
    std::string car;
    std::string author;
    std::string email;
    std::string converter;
    std::string converterEmail;
    std::string model;
    std::string extraModel;
    std::vector<std::string> maps;
    std::vector<std::string> colours;  // the "color" folder, in the wizard's order
    std::vector<std::string> variants; // the "cars" folder, in the wizard's order
    std::vector<std::string> sounds;   // of on.wav, off.wav, 0.wav, 1.wav, horn.wav
    bool vehiclesBin = false;
    std::vector<Language> readme; // the languages whose readme section shows a line

    bool installable() const { return problems.empty(); }
};

// `packageFolder`: the folder text with its closing separator.
PackageReport inspectPackage(FileSystem& files, const std::string& packageFolder);

} // namespace obrinex
