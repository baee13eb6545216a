// HKEY_LOCAL_MACHINE through the Win32 W functions, always in the registry view Windows gives
// 32-bit programs, so that the 32-bit and the 64-bit build find the same keys.
#pragma once

#include "platform/platform.h"

#include <memory>
#include <string>

namespace obrinex {

class Win32Registry : public Registry {
  public:
    std::unique_ptr<RegistryKey> openLocalMachineKey(const std::string& path, RegistryAccess access) override;
};

} // namespace obrinex
