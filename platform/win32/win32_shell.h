// The shell's "open" through ShellExecuteW. The calling thread should have initialised COM,
// since the handler of a "mailto:" address may be a shell extension that needs it.
#pragma once

#include "platform/platform.h"

#include <string>

namespace obrinex {

class Win32Shell : public Shell {
  public:
    void open(const std::string& target) override;
};

} // namespace obrinex
