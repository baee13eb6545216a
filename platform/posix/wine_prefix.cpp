#include "platform/posix/wine_prefix.h"

#include "platform/wine_registry.h"
#include "text/cp1252.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace obrinex {

namespace fs = std::filesystem;

namespace {

class WineRegistryKey : public RegistryKey {
  public:
    WineRegistryKey(std::shared_ptr<const WineRegistryFile> file, const WineKey& key)
        : file_(std::move(file)), key_(key) {}

    std::optional<RegistryValueInfo> queryValue(const std::string& name) override {
        const WineValue* value = key_.findValue(cp1252ToUtf8(name));
        if (value == nullptr) {
            return std::nullopt;
        }
        return RegistryValueInfo{value->type, static_cast<std::uint32_t>(value->data.size())};
    }

    std::optional<std::string> readValue(const std::string& name, std::uint32_t size) override {
        const WineValue* value = key_.findValue(cp1252ToUtf8(name));
        if (value == nullptr) {
            return std::nullopt;
        }
        return value->data.substr(0, size);
    }

  private:
    // Keeps the tree alive that key_ points into.
    std::shared_ptr<const WineRegistryFile> file_;
    const WineKey& key_;
};

bool startsWithName(std::string_view path, std::string_view name) {
    return path.size() >= name.size() && equalNoCase(path.substr(0, name.size()), name) &&
           (path.size() == name.size() || path[name.size()] == '\\');
}

// The path a 32-bit program reaches in a 64-bit prefix when it asks for `path`.
std::string redirectTo32BitView(const std::string& path) {
    constexpr std::string_view software = "Software";
    constexpr std::string_view wow = "Wow6432Node";
    if (!startsWithName(path, software)) {
        return path;
    }
    std::string_view rest = std::string_view(path).substr(software.size());
    if (!rest.empty()) {
        rest.remove_prefix(1);
    }
    if (startsWithName(rest, wow)) {
        return path;
    }
    std::string redirected = path.substr(0, software.size()) + "\\" + std::string(wow);
    if (!rest.empty()) {
        redirected += "\\";
        redirected += rest;
    }
    return redirected;
}

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
                                                                     RegistryAccess /*access*/) {
    const auto text = readWholeFile(fs::path(prefixDir_) / "system.reg");
    if (!text) {
        return nullptr;
    }
    auto parsed = WineRegistryFile::parse(*text);
    if (!parsed) {
        return nullptr;
    }
    auto file = std::make_shared<const WineRegistryFile>(std::move(*parsed));
    const std::string viewPath = file->is64Bit() ? redirectTo32BitView(path) : path;
    const WineKey* key = file->findKey(cp1252ToUtf8(viewPath));
    if (key == nullptr) {
        return nullptr;
    }
    return std::make_unique<WineRegistryKey>(std::move(file), *key);
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
