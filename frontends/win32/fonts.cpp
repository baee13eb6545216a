#include "frontends/win32/fonts.h"

#include "frontends/win32/dpi.h"

#include <cwchar>
#include <string>

namespace obrinex::win32 {

namespace {

struct FaceQuery {
    bool found = false;
    bool trueType = false;
};

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM data) {
    auto* query = reinterpret_cast<FaceQuery*>(data);
    query->found = true;
    query->trueType = query->trueType || (type & TRUETYPE_FONTTYPE) != 0;
    return 1;
}

FaceQuery queryFace(const wchar_t* face) {
    FaceQuery query;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&query), 0);
    ::ReleaseDC(nullptr, screen);
    return query;
}

// "Microsoft Sans Serif" is the TrueType twin of "MS Sans Serif" on Windows. Wine has no such
// face but draws "MS Sans Serif" itself from an outline font; Tahoma is the last resort.
const std::wstring& sansSerifFace() {
    static const std::wstring face = [] {
        if (queryFace(L"Microsoft Sans Serif").trueType) {
            return std::wstring(L"Microsoft Sans Serif");
        }
        if (queryFace(L"MS Sans Serif").trueType) {
            return std::wstring(L"MS Sans Serif");
        }
        return std::wstring(L"Tahoma");
    }();
    return face;
}

} // namespace

FontCache::~FontCache() {
    for (auto& [key, font] : fonts_) {
        ::DeleteObject(font);
    }
}

HFONT FontCache::get(const FontSpec& design) {
    Key key{design.face, design.height, design.bold, design.underline};
    if (auto it = fonts_.find(key); it != fonts_.end()) {
        return it->second;
    }
    const std::wstring face = design.face == "MS Sans Serif"
                                  ? sansSerifFace()
                                  : std::wstring(design.face.begin(), design.face.end());
    const int height = design.height < 0 ? -scaled(-design.height, dpi_) : scaled(design.height, dpi_);
    HFONT font = ::CreateFontW(height, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, FALSE, design.underline,
                               FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               VARIABLE_PITCH | FF_SWISS, face.c_str());
    fonts_.emplace(key, font);
    return font;
}

COLORREF textColor(TextColor color) {
    switch (color) {
    case TextColor::LinkBlue:
        return RGB(0, 0, 255);
    case TextColor::WindowText:
        break;
    }
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

} // namespace obrinex::win32
