// The window layouts as data, like a resource script: one line per control with its kind,
// page, place, font, starting caption and state. Every view builds its widgets from these
// tables and no coordinate is typed twice.
#pragma once

#include <span>
#include <string_view>

namespace obrinex {

enum class ControlKind {
    Label,
    Button,
    BitBtn, // a button showing a picture
    Edit,
    ComboBox,
    ListBox,
    CheckBox,
    RadioButton,
    Memo,
    ListView,
    Image,
    DirectoryListBox,
    DriveComboBox,
};

enum class FormId { Form1, Form2, Form3 };

// Pages of the main window, addressed by captions the user never sees.
enum class Page { Sprache, Einleitung, Waehlen, Mehrfachauswahl, Advanced, Fertig, Fehler, Autoliste };
inline constexpr int kPageCount = 8;
std::string_view pageCaption(Page page);

// A control that lies on no page (a dialog's control, or a main window control outside the
// page container).
inline constexpr int kNoPage = -1;

enum class TextColor { WindowText, LinkBlue };

struct FontSpec {
    std::string_view face = "MS Sans Serif";
    int height = -11; // in pixels at 96 dots per inch, negative: character height
    bool bold = false;
    bool underline = false;
    TextColor color = TextColor::WindowText;
};

inline constexpr FontSpec kDefaultFont{};
inline constexpr FontSpec kTitleFont{"MS Sans Serif", -20};
inline constexpr FontSpec kBoldFont{"MS Sans Serif", -11, true};
inline constexpr FontSpec kLinkFont{"MS Sans Serif", -11, false, true, TextColor::LinkBlue};

// Style bits beyond the common properties.
enum ControlStyle : unsigned {
    StyleNone = 0,
    StyleAutoSize = 1u << 0,    // a label sized to its caption
    StyleHandCursor = 1u << 1,  // a link
    StyleReadOnly = 1u << 2,    // a memo the user cannot edit
    StyleVScroll = 1u << 3,     // a vertical scroll bar
    StyleMultiSelect = 1u << 4, // each click toggles the row's mark
    StyleArrowGlyph = 1u << 5,  // the green arrow of the picture button
    StyleReportView = 1u << 6,  // a list view in report style
};

struct ControlSpec {
    std::string_view name;
    ControlKind kind;
    FormId form;
    int page; // a Page value, or kNoPage
    int left, top, width, height;
    FontSpec font;
    std::string_view caption; // UTF-8 in the source; the models hold Windows-1252
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    int group = 0; // option buttons with the same group exclude each other
    unsigned style = StyleNone;
    int dropDownCount = 8; // rows shown when a drop-down opens
};

struct FormSpec {
    FormId id;
    std::string_view name;
    std::string_view caption;
    int left, top; // screen position
    int clientWidth, clientHeight;
    int pageLeft, pageTop; // where page contents start in the client area
};

const FormSpec& formSpec(FormId id);
std::span<const ControlSpec> formLayout(FormId id);

// Column captions of the replacement log's list view.
inline constexpr std::string_view kListViewColumns[] = {"neues Auto", "ersetztes Auto", "ID"};

} // namespace obrinex
