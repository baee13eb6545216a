// A report of what the windows show, for the tests under Wine: when the environment variable
// OBRINEX_LAYOUT_REPORT names a file, every pass that changes what a window shows appends one
// block to it. Each block names the active page and the focused control, then gives for
// every lettered control its rectangle and the room its text takes as the control draws it.
#pragma once

#include <windows.h>

#include <string>

namespace obrinex::win32 {

// The file named by OBRINEX_LAYOUT_REPORT, or "" when the report is off.
const std::wstring& layoutReportPath();

// The right and bottom edge of the ink that `text` leaves when drawn with `font` and the
// DrawText `format` into a box `width` wide, relative to the box; {0, 0} for no ink. The text
// is drawn unclipped, so ink past the box's edges shows where the control would cut it.
SIZE inkExtent(HWND control, HFONT font, const std::wstring& text, UINT format, int width);

} // namespace obrinex::win32
