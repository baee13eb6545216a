// Reads the text files in which Wine keeps a prefix's registry (system.reg, user.reg) into a tree
// of keys and values, the way Wine's server loads them. Pure: the caller reads the file and
// chooses the registry view.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

struct WineValue {
    // UTF-8; empty for the key's default value ("@").
    std::string name;
    std::uint32_t type = 0;
    // The bytes as Windows stores them: strings as UTF-16LE with their terminating NUL.
    std::string data;
};

class WineKey {
  public:
    // UTF-8, as first written in the file; empty for the file's root.
    const std::string& name() const { return name_; }
    const std::vector<WineValue>& values() const { return values_; }
    // The value of that UTF-8 name, without regard to case; "" is the default value.
    const WineValue* findValue(std::string_view name) const;

  private:
    friend class WineRegistryFile;

    std::string name_;
    std::vector<WineValue> values_;
    // Both keyed by the case-folded UTF-16 name, since that is what Wine compares.
    std::map<std::u16string, std::size_t> valueIndex_;
    std::map<std::u16string, std::unique_ptr<WineKey>> subkeys_;
};

class WineRegistryFile {
  public:
    // Nothing when the text is not a Wine registry file (no "WINE REGISTRY Version 2" first line,
    // or an unknown or contradicting "#arch="). Damaged lines after the header are skipped as Wine
    // skips them: a broken key line drops the values below it, and a value whose data cannot be
    // read stays as an empty REG_NONE.
    static std::optional<WineRegistryFile> parse(std::string_view text);

    // "#arch=win64"; a file without the line belongs to a 32-bit prefix.
    bool is64Bit() const { return is64Bit_; }

    // The key at a UTF-8 path such as "Software\Kelvarion\Zarvo" relative to the file's root,
    // matched without regard to case. Parents of a key listed in the file exist too, as in Wine.
    // nullptr when there is no such key or the path starts with a backslash.
    const WineKey* findKey(std::string_view path) const;

  private:
    WineRegistryFile();

    bool is64Bit_ = false;
    std::unique_ptr<WineKey> root_;
};

// HKEY_LOCAL_MACHINE of a parsed system.reg as Windows shows it to a 32-bit program: in a 64-bit
// prefix "Software\X" is read from "Software\Wow6432Node\X". Every access is granted, as Wine
// grants it to the prefix's owner. Names are the program's Windows-1252 texts.
class WineFileRegistry : public Registry {
  public:
    explicit WineFileRegistry(std::shared_ptr<const WineRegistryFile> file);
    std::unique_ptr<RegistryKey> openLocalMachineKey(const std::string& path, RegistryAccess access) override;

  private:
    std::shared_ptr<const WineRegistryFile> file_;
};

} // namespace obrinex
