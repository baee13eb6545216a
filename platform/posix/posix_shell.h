// The shell's "open" on a POSIX desktop: xdg-open, started with an argument vector.
#pragma once

#include "platform/platform.h"

namespace obrinex {

class PosixShell : public Shell {
  public:
    // The target goes to xdg-open as one argument and never through a command shell: the
    // text after "mailto:" comes from the package and must not be able to run anything.
    void open(const std::string& target) override;
};

} // namespace obrinex
