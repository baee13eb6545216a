// The fonts of the layout tables at a window's dots per inch. The design's "MS Sans Serif" is
// a bitmap font on Windows that only comes in a few sizes, so it is drawn with a TrueType face
// of the same look, which scales to any density.
#pragma once

#include "ui/layout.h"

#include <windows.h>

#include <map>
#include <string_view>
#include <tuple>

namespace obrinex::win32 {

class FontCache {
  public:
    explicit FontCache(UINT dpi) : dpi_(dpi) {}
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    UINT dpi() const { return dpi_; }
    // The font a layout line names, owned by the cache.
    HFONT get(const FontSpec& design);

  private:
    using Key = std::tuple<std::string_view, int, bool, bool>;
    UINT dpi_;
    std::map<Key, HFONT> fonts_;
};

// The colour a layout line gives its text.
COLORREF textColor(TextColor color);

} // namespace obrinex::win32
