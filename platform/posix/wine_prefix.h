// What the program needs from a player's Wine or Proton prefix: HKEY_LOCAL_MACHINE as Windows
// shows it to a 32-bit program, read from the prefix's system.reg, and the prefix's drive
// letters. Reads files only; never starts Wine, and never writes to the prefix.
#pragma once

#include "platform/platform.h"

#include <map>
#include <memory>
#include <string>

namespace obrinex {

class WinePrefixRegistry : public Registry {
  public:
    // `prefixDir`: the prefix folder as a host path (the folder that holds system.reg).
    explicit WinePrefixRegistry(std::string prefixDir);

    // Reads system.reg afresh on every call, so a change Wine saved since is seen. In a 64-bit
    // prefix "Software\X" is read from "Software\Wow6432Node\X". Every access is granted, as Wine
    // grants it to the prefix's owner.
    std::unique_ptr<RegistryKey> openLocalMachineKey(const std::string& path, RegistryAccess access) override;

  private:
    std::string prefixDir_;
};

// The drives of the prefix's dosdevices folder that Wine would see: lower-case letter to the
// absolute host folder its link leads to. Device entries ("d::", "com1") and links that lead
// nowhere are left out; an empty map when the folder is missing.
std::map<char, std::string> readDosDevices(const std::string& prefixDir);

} // namespace obrinex
