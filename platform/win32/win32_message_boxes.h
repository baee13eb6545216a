// Modal message boxes through MessageBoxW, owned by the program's active window.
#pragma once

#include "platform/platform.h"

#include <string>

namespace obrinex {

class Win32MessageBoxes : public MessageBoxes {
  public:
    BoxAnswer show(BoxKind kind, const std::string& title, const std::string& text) override;
};

} // namespace obrinex
