// The green arrow of the picture button, drawn in code at any size so that it stays sharp at
// every screen density.
#pragma once

#include <windows.h>

namespace obrinex::win32 {

// A square icon of `size` pixels with a green arrow pointing right; the caller destroys it.
HICON makeArrowIcon(int size);

} // namespace obrinex::win32
