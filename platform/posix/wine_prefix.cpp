#include "platform/posix/wine_prefix.h"

#include "platform/wine_registry.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace obrinex {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(content).str();
}

} // namespace

WinePrefixRegistry::WinePrefixRegistry(std::string prefixDir) : prefixDir_(std::move(prefixDir)) {}

std::unique_ptr<RegistryKey> WinePrefixRegistry::openLocalMachineKey(const std::string& path,
                                                                     RegistryAccess access) {
    const auto text = readWholeFile(fs::path(prefixDir_) / "system.reg");
    if (!text) {
        return nullptr;
    }
    auto parsed = WineRegistryFile::parse(*text);
    if (!parsed) {
        return nullptr;
    }
    WineFileRegistry registry(std::make_shared<const WineRegistryFile>(std::move(*parsed)));
    return registry.openLocalMachineKey(path, access);
}

std::map<char, std::string> readDosDevices(const std::string& prefixDir) {
    std::map<char, std::string> drives;
    std::error_code error;
    const fs::path folder = fs::path(prefixDir) / "dosdevices";
    fs::directory_iterator entries(folder, error);
    if (error) {
        return drives;
    }
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        if (error) {
            break;
        }
        // Wine looks up exactly "a:" to "z:", so an upper-case entry is no drive to it.
        const std::string name = entries->path().filename().string();
        if (name.size() != 2 || name[0] < 'a' || name[0] > 'z' || name[1] != ':') {
            continue;
        }
        std::error_code resolveError;
        const fs::path target = fs::canonical(entries->path(), resolveError);
        if (resolveError) {
            continue;
        }
        drives[name[0]] = target.string();
    }
    return drives;
}

} // namespace obrinex
