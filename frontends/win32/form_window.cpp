#include "frontends/win32/form_window.h"

#include "app/main_window.h"
#include "frontends/win32/dpi.h"
#include "frontends/win32/glyphs.h"
#include "frontends/win32/layout_report.h"
#include "frontends/win32/resource.h"
#include "frontends/win32/view.h"
#include "platform/win32/win32_text.h"
#include "text/cp1252.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace obrinex::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"ObrinexForm";
constexpr wchar_t kPageClass[] = L"ObrinexPage";

// Native control ids: the control's row in its layout table, past the ids the dialog manager
// sends for Enter and Escape (IDOK, IDCANCEL).
constexpr int kFirstControlId = 100;

// The page container's sheets start this far inside it, so that the container covers the
// picture's last columns, as the design has it.
constexpr int kSheetInset = 4;

// Design room kept free between a text and the window's right edge.
constexpr int kEdgeMargin = 0;

// Design room a push button keeps between its caption and each side of its frame: the frame
// itself, the focus rectangle and a pixel between them and the text.
constexpr int kButtonTextMargin = 4;

// Design size of the arrow glyph on the picture button.
constexpr int kArrowSize = 12;

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME;

bool has(const Control& control, ControlStyle style) {
    return (control.layout().style & style) != 0;
}

bool isEditable(const Control& control) {
    return control.kind() == ControlKind::ComboBox;
}

std::wstring windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// Only controls a user can ever see become windows: the pictures are painted, and the lists
// that only hold the program's working data keep living in the models alone.
bool becomesWindow(const Control& control) {
    if (control.kind() == ControlKind::Image || control.kind() == ControlKind::ListView) {
        return false;
    }
    if (control.page() == static_cast<int>(Page::Autoliste)) {
        return false;
    }
    return !(control.form() == FormId::Form1 && control.page() == kNoPage);
}

struct NativeClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

NativeClass nativeClass(const Control& control) {
    switch (control.kind()) {
    case ControlKind::Label: {
        DWORD style = has(control, StyleAutoSize) ? SS_LEFTNOWORDWRAP : SS_LEFT;
        // Only a label with a handler answers clicks; the others let them through.
        if (control.onClick) {
            style |= SS_NOTIFY;
        }
        return {WC_STATICW, style, 0};
    }
    case ControlKind::Button:
        return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::BitBtn:
        return {WC_BUTTONW, BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, 0};
    case ControlKind::Edit:
        return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Memo: {
        DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP;
        style |= has(control, StyleReadOnly) ? ES_READONLY : 0;
        style |= has(control, StyleVScroll) ? WS_VSCROLL : 0;
        return {WC_EDITW, style, WS_EX_CLIENTEDGE};
    }
    case ControlKind::ComboBox:
        return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::DriveComboBox:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::ListBox: {
        DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
        style |= has(control, StyleMultiSelect) ? LBS_MULTIPLESEL : 0;
        return {WC_LISTBOXW, style, WS_EX_CLIENTEDGE};
    }
    case ControlKind::DirectoryListBox:
        return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
        return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ControlKind::RadioButton:
        return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case ControlKind::ListView:
    case ControlKind::Image:
        break;
    }
    return {WC_STATICW, 0, 0};
}

// The DrawText format of a static control's text, as the control itself draws it.
UINT labelFormat(bool wrapped) {
    return DT_LEFT | DT_EXPANDTABS | (wrapped ? DT_WORDBREAK : 0);
}

// The size a label takes for its caption, as an auto-sized label does: one line, or lines
// broken at words to fit `wrapWidth` when that is not 0. The size is that of the ink the text
// leaves when drawn, not the sum of its advance widths: the outline fonts that stand in for
// "MS Sans Serif" place their glyphs apart from the rounded advances the text functions
// report, and at small sizes a line is drawn some pixels wider than they measure it. The blank
// advance after the last glyph is left out, so that a caption reaches no neighbour it does not
// touch.
SIZE measureLabel(HWND label, HFONT font, const std::wstring& caption, int wrapWidth) {
    HDC dc = ::GetDC(label);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    RECT rect{0, 0, wrapWidth, 0};
    const UINT format = labelFormat(wrapWidth > 0);
    if (!caption.empty()) {
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format | DT_CALCRECT);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    const SIZE ink = inkExtent(label, font, caption, format, wrapWidth > 0 ? wrapWidth : rect.right);
    return SIZE{ink.cx, std::max(ink.cy, metrics.tmHeight)};
}

// Switches a label between one line and lines broken at words.
void setWrapped(HWND label, bool wrapped) {
    const LONG_PTR style = ::GetWindowLongPtrW(label, GWL_STYLE);
    const LONG_PTR type = wrapped ? SS_LEFT : SS_LEFTNOWORDWRAP;
    if ((style & SS_TYPEMASK) != type) {
        ::SetWindowLongPtrW(label, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | type);
    }
}

// A read-only memo has no use for Tab and Enter: they go on to the dialog manager, so that the
// Tab key leaves the memo as it leaves every other control.
LRESULT CALLBACK readOnlyMemoKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETDLGCODE) {
        result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    return result;
}

// Rewrites the text of an edit field or a combo box's edit part, keeping the caret where the
// user left it.
void setEditText(HWND window, bool comboBox, const std::wstring& text) {
    DWORD start = 0, end = 0;
    if (comboBox) {
        ::SendMessageW(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
    } else {
        ::SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    }
    ::SetWindowTextW(window, text.c_str());
    if (::GetFocus() == window || ::IsChild(window, ::GetFocus())) {
        if (comboBox) {
            ::SendMessageW(window, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
        } else {
            ::SendMessageW(window, EM_SETSEL, start, end);
        }
    }
}

// The rows of the folder list as shown: each folder indented by its depth.
std::vector<std::wstring> folderRows(const DirectoryListBox& list) {
    std::vector<std::wstring> rows;
    const int open = list.itemIndex();
    for (int i = 0; i < list.count(); ++i) {
        const int depth = i <= open ? i : open + 1;
        rows.push_back(std::wstring(static_cast<std::size_t>(depth) * 3, L' ') +
                       toWide(list.items()[static_cast<std::size_t>(i)]));
    }
    return rows;
}

std::vector<std::wstring> plainRows(const ItemList& list) {
    std::vector<std::wstring> rows;
    rows.reserve(list.items().size());
    for (const auto& item : list.items()) {
        rows.push_back(toWide(item));
    }
    return rows;
}

} // namespace

// --- creation ------------------------------------------------------------------------------

void FormWindow::registerClasses(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = windowProc;
    form.hInstance = instance;
    form.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.hIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_OBRINEX), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    form.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_OBRINEX), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    form.lpszClassName = kFormClass;
    ::RegisterClassExW(&form);

    WNDCLASSEXW page = form;
    page.hIcon = nullptr;
    page.hIconSm = nullptr;
    page.lpszClassName = kPageClass;
    ::RegisterClassExW(&page);
}

FormWindow::FormWindow(View& view, Form& form, HWND owner) : view_(view), form_(form), dpi_(systemDpi()) {
    const FormSpec& design = form_.layout();
    const DWORD style = owner == nullptr ? kMainStyle : kDialogStyle;
    SIZE outer = outerSize(scaled(design.clientWidth, dpi_), scaled(design.clientHeight, dpi_), style,
                           kFormExStyle, dpi_);
    // The design places each window at a fixed spot on the screen.
    ::CreateWindowExW(kFormExStyle, kFormClass, toWide(form_.caption()).c_str(), style,
                      scaled(design.left, dpi_), scaled(design.top, dpi_), outer.cx, outer.cy, owner, nullptr,
                      view_.instance(), this);
    if (hwnd_ == nullptr) {
        return;
    }
    // On another monitor than the main one the window has a density of its own.
    const UINT dpi = windowDpi(hwnd_);
    if (dpi != dpi_) {
        dpi_ = dpi;
        outer = outerSize(scaled(design.clientWidth, dpi_), scaled(design.clientHeight, dpi_), style,
                          kFormExStyle, dpi_);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fonts_ = std::make_unique<FontCache>(dpi_);
    createPages();
    createControls();
    applyDpi(dpi_);
}

FormWindow::~FormWindow() {
    if (hwnd_ != nullptr) {
        ::DestroyWindow(hwnd_);
    }
    for (auto& picture : pictures_) {
        if (picture.bitmap != nullptr) {
            ::DeleteObject(picture.bitmap);
        }
    }
    if (arrow_ != nullptr) {
        ::DestroyIcon(arrow_);
    }
}

void FormWindow::createPages() {
    bool paged = false;
    for (const auto& control : form_.controls()) {
        paged = paged || control->page() != kNoPage;
    }
    if (!paged) {
        return;
    }
    for (auto& page : pages_) {
        page = ::CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"",
                                 WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd_, nullptr,
                                 view_.instance(), this);
    }
}

void FormWindow::createControls() {
    int previousGroup = -1;
    int id = kFirstControlId;
    for (const auto& owned : form_.controls()) {
        Control& control = *owned;
        const int controlId = id++;
        if (control.kind() == ControlKind::Image) {
            Picture picture;
            picture.model = static_cast<Image*>(&control);
            pictures_.push_back(picture);
        }
        if (!becomesWindow(control)) {
            continue;
        }
        NativeClass native = nativeClass(control);
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style;
        // Each option button group is a group of its own for the arrow keys; any other
        // control ends the group before it.
        const bool radio = control.kind() == ControlKind::RadioButton;
        if (!radio || control.layout().group != previousGroup) {
            style |= WS_GROUP;
        }
        previousGroup = radio ? control.layout().group : -1;

        Widget widget;
        widget.model = &control;
        widget.parent = surfaceOf(control);
        widget.hwnd = ::CreateWindowExW(native.exStyle, native.name, L"", style, 0, 0, 0, 0, widget.parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                        view_.instance(), nullptr);
        if (widget.hwnd == nullptr) {
            continue;
        }
        if (control.kind() == ControlKind::Memo && has(control, StyleReadOnly)) {
            ::SetWindowSubclass(widget.hwnd, readOnlyMemoKeys, 0, 0);
        }
        if (control.kind() == ControlKind::ComboBox || control.kind() == ControlKind::DriveComboBox) {
            ::SendMessageW(widget.hwnd, CB_SETMINVISIBLE, static_cast<WPARAM>(control.layout().dropDownCount),
                           0);
        }
        widgets_.push_back(std::move(widget));
    }
    // Labels lie under every other control, as graphic controls do in the design.
    for (Widget& widget : widgets_) {
        if (widget.model->kind() == ControlKind::Label) {
            ::SetWindowPos(widget.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

// --- placing -------------------------------------------------------------------------------

HWND FormWindow::surfaceOf(const Control& control) const {
    if (hasPages() && control.page() != kNoPage) {
        return pages_[static_cast<std::size_t>(control.page())];
    }
    return hwnd_;
}

// The control's rectangle in pixels, relative to the window it lies on (its page panel or
// the form's client area). Scaled in the form's coordinates first, so that controls on the
// pages and beside them round alike.
RECT FormWindow::surfaceRect(const Control& control) const {
    const FormSpec& design = form_.layout();
    int left = control.left(), top = control.top();
    if (control.page() != kNoPage) {
        left += design.pageLeft;
        top += design.pageTop;
    }
    RECT rect = scaledRect(left, top, control.width(), control.height(), dpi_);
    if (hasPages() && control.page() != kNoPage) {
        const int originX = scaled(design.pageLeft - kSheetInset, dpi_);
        ::OffsetRect(&rect, -originX, 0);
    }
    return rect;
}

void FormWindow::placePages() {
    if (!hasPages()) {
        return;
    }
    const FormSpec& design = form_.layout();
    const int left = scaled(design.pageLeft - kSheetInset, dpi_);
    const int right = scaled(design.clientWidth, dpi_);
    const int bottom = scaled(design.clientHeight, dpi_);
    for (HWND page : pages_) {
        ::SetWindowPos(page, nullptr, left, 0, right - left, bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FormWindow::place(Widget& widget) {
    Control& control = *widget.model;
    widget.left = control.left();
    widget.top = control.top();
    widget.width = control.width();
    widget.height = control.height();
    RECT rect = surfaceRect(control);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HFONT font = fonts_->get(control.layout().font);

    switch (control.kind()) {
    case ControlKind::Label:
        if (has(control, StyleAutoSize)) {
            // A caption wider than the room left to the window's edge is broken into lines
            // that fill the room below it.
            const std::wstring caption = toWide(control.caption());
            SIZE size = measureLabel(widget.hwnd, font, caption, 0);
            RECT surface{};
            ::GetClientRect(widget.parent, &surface);
            const int room = surface.right - rect.left - scaled(kEdgeMargin, dpi_);
            const bool wrapped = size.cx > room && room > 0;
            setWrapped(widget.hwnd, wrapped);
            if (wrapped) {
                size = measureLabel(widget.hwnd, font, caption, room);
            }
            width = size.cx;
            height = size.cy;
        }
        break;
    case ControlKind::Button: {
        // A caption that would touch the button's frame widens the button to the right, as
        // far as the window's edge.
        const SIZE ink =
            inkExtent(widget.hwnd, font, toWide(control.caption()), DT_LEFT | DT_SINGLELINE, width);
        const int wanted = ink.cx + 2 * scaled(kButtonTextMargin, dpi_);
        if (wanted > width) {
            RECT surface{};
            ::GetClientRect(widget.parent, &surface);
            width = std::min<int>(wanted, surface.right - rect.left);
        }
        break;
    }
    case ControlKind::ComboBox:
    case ControlKind::DriveComboBox: {
        // A combo box's window height includes its dropped-down list; closed, it is as high
        // as its edit part, which is set so that it has the design height.
        const int rows = control.layout().dropDownCount;
        const int rowHeight = static_cast<int>(::SendMessageW(widget.hwnd, CB_GETITEMHEIGHT, 0, 0));
        ::SetWindowPos(widget.hwnd, nullptr, rect.left, rect.top, width, height + rows * rowHeight + 2,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        RECT closed{};
        ::GetWindowRect(widget.hwnd, &closed);
        const auto field =
            static_cast<int>(::SendMessageW(widget.hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        const int wanted = field + height - (closed.bottom - closed.top);
        if (wanted > 0 && wanted != field) {
            ::SendMessageW(widget.hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        }
        return;
    }
    default:
        break;
    }
    ::SetWindowPos(widget.hwnd, nullptr, rect.left, rect.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applyDpi(UINT dpi) {
    dpi_ = dpi;
    auto oldFonts = std::move(fonts_);
    fonts_ = std::make_unique<FontCache>(dpi_);
    placePages();
    for (Widget& widget : widgets_) {
        ::SendMessageW(widget.hwnd, WM_SETFONT,
                       reinterpret_cast<WPARAM>(fonts_->get(widget.model->layout().font)), FALSE);
        if (widget.model->kind() == ControlKind::ListBox ||
            widget.model->kind() == ControlKind::DirectoryListBox) {
            HDC dc = ::GetDC(widget.hwnd);
            HGDIOBJ old = ::SelectObject(dc, fonts_->get(widget.model->layout().font));
            TEXTMETRICW metrics{};
            ::GetTextMetricsW(dc, &metrics);
            ::SelectObject(dc, old);
            ::ReleaseDC(widget.hwnd, dc);
            ::SendMessageW(widget.hwnd, LB_SETITEMHEIGHT, 0, metrics.tmHeight);
        }
        if (widget.model->kind() == ControlKind::BitBtn) {
            HICON arrow = makeArrowIcon(scaled(kArrowSize, dpi_));
            ::SendMessageW(widget.hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(arrow));
            if (arrow_ != nullptr) {
                ::DestroyIcon(arrow_);
            }
            arrow_ = arrow;
        }
        place(widget);
    }
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    // The old fonts go once no control uses them any more.
    oldFonts.reset();
}

// --- messages ------------------------------------------------------------------------------

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self != nullptr && self->hwnd_ == nullptr) {
            self->hwnd_ = window;
        }
    }
    auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(window, message, wParam, lParam);
}

LRESULT FormWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool top = window == hwnd_;
    switch (message) {
    case WM_COMMAND: {
        HWND control = reinterpret_cast<HWND>(lParam);
        if (control == nullptr) {
            // Enter and Escape as the dialog manager reports them. Escape closes a dialog as its
            // close box does; on the main window, whose closing ends the program, it does nothing.
            if (LOWORD(wParam) == IDOK) {
                pressEnter();
            } else if (LOWORD(wParam) == IDCANCEL && id() != FormId::Form1) {
                ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            }
            return 0;
        }
        if (Widget* widget = widgetOf(control)) {
            command(*widget, HIWORD(wParam));
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        return controlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR: {
        Widget* widget = widgetOf(reinterpret_cast<HWND>(wParam));
        if (widget != nullptr && has(*widget->model, StyleHandCursor) && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_ERASEBKGND:
        // The main window paints its whole client area itself.
        if (top && id() == FormId::Form1) {
            return 1;
        }
        break;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_CLOSE:
        if (top) {
            Application& app = view_.app();
            const FormId form = id();
            view_.act(form, nullptr, [&app, form] {
                switch (form) {
                case FormId::Form1:
                    app.mainWindow().close();
                    break;
                case FormId::Form2:
                    app.folderBrowser().close();
                    break;
                case FormId::Form3:
                    app.variantDialog().close();
                    break;
                }
            });
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (top) {
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(hwnd_, focus)) {
                    savedFocus_ = focus;
                }
            } else if (savedFocus_ != nullptr && ::IsWindow(savedFocus_) && ::IsWindowVisible(savedFocus_) &&
                       ::IsWindowEnabled(savedFocus_)) {
                ::SetFocus(savedFocus_);
            } else {
                focusFirst();
            }
            return 0;
        }
        break;
    case WM_DPICHANGED:
        if (top) {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            applyDpi(HIWORD(wParam));
            const FormSpec& design = form_.layout();
            const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
            const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
            SIZE outer = outerSize(scaled(design.clientWidth, dpi_), scaled(design.clientHeight, dpi_), style,
                                   exStyle, dpi_);
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, outer.cx, outer.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        if (top) {
            hwnd_ = nullptr;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::controlColor(HDC dc, HWND control) {
    Widget* widget = widgetOf(control);
    // A read-only memo keeps the white of an edit field, as the design shows it.
    if (widget != nullptr && widget->model->kind() == ControlKind::Memo && widget->model->enabled()) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    const TextColor color = widget != nullptr ? widget->model->layout().font.color : TextColor::WindowText;
    ::SetTextColor(dc, textColor(color));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

FormWindow::Widget* FormWindow::widgetOf(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    for (Widget& widget : widgets_) {
        if (widget.hwnd == window) {
            return &widget;
        }
    }
    return nullptr;
}

FormWindow::Widget* FormWindow::widgetOf(const Control* control) {
    for (Widget& widget : widgets_) {
        if (widget.model == control) {
            return &widget;
        }
    }
    return nullptr;
}

// --- user actions --------------------------------------------------------------------------

void FormWindow::act(Control* focus, std::function<void()> handler) {
    view_.act(id(), focus, handler);
}

void FormWindow::command(Widget& widget, UINT code) {
    if (!view_.acceptsInput()) {
        return;
    }
    Control& control = *widget.model;
    switch (control.kind()) {
    case ControlKind::Button:
    case ControlKind::BitBtn:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) {
            act(&control, [&control] { control.click(); });
        }
        break;
    case ControlKind::RadioButton:
        if (code == BN_CLICKED) {
            auto& radio = static_cast<RadioButton&>(control);
            // Its handler runs only when the button becomes checked.
            if (!radio.checked()) {
                act(&control, [&radio] { radio.click(); });
            } else {
                view_.sync();
            }
        }
        break;
    case ControlKind::Label:
        if (code == STN_CLICKED && !coveredByPicture(widget)) {
            act(&control, [&control] { control.click(); });
        }
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE) {
            auto& edit = static_cast<Edit&>(control);
            std::string text = fromWideLossy(windowText(widget.hwnd));
            act(&control, [&edit, text] {
                edit.setText(text);
                if (edit.onChange) {
                    edit.onChange();
                }
            });
        }
        break;
    case ControlKind::ComboBox: {
        auto& combo = static_cast<ComboBox&>(control);
        if (code == CBN_SELCHANGE) {
            const int row = static_cast<int>(::SendMessageW(widget.hwnd, CB_GETCURSEL, 0, 0));
            if (row >= 0 && row < combo.count()) {
                act(&control, [&combo, row] {
                    combo.setItemIndex(row);
                    if (combo.onChange) {
                        combo.onChange();
                    }
                });
            }
        } else if (code == CBN_EDITCHANGE) {
            std::string text = fromWideLossy(windowText(widget.hwnd));
            act(&control, [&combo, text] {
                combo.setItemIndex(-1);
                combo.setText(text);
                if (combo.onChange) {
                    combo.onChange();
                }
            });
        }
        break;
    }
    case ControlKind::DriveComboBox:
        if (code == CBN_SELCHANGE) {
            auto& drives = static_cast<DriveComboBox&>(control);
            const int row = static_cast<int>(::SendMessageW(widget.hwnd, CB_GETCURSEL, 0, 0));
            if (row >= 0 && row < drives.count() && !drives.items()[static_cast<std::size_t>(row)].empty()) {
                // Picking a drive opens its root.
                std::string root =
                    std::string(1, upperCp1252(drives.items()[static_cast<std::size_t>(row)][0])) + ":\\";
                FolderBrowser& browser = view_.app().folderBrowser();
                act(&control, [&browser, root] { browser.openFolder(root); });
            }
        }
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE && has(control, StyleMultiSelect)) {
            auto& list = static_cast<ListBox&>(control);
            std::vector<bool> marks;
            for (int row = 0; row < list.count(); ++row) {
                marks.push_back(::SendMessageW(widget.hwnd, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0);
            }
            const int caret = static_cast<int>(::SendMessageW(widget.hwnd, LB_GETCARETINDEX, 0, 0));
            act(&control, [&list, marks, caret] {
                for (int row = 0; row < static_cast<int>(marks.size()); ++row) {
                    list.setMarked(row, marks[static_cast<std::size_t>(row)]);
                }
                list.setItemIndex(caret);
            });
        }
        break;
    case ControlKind::DirectoryListBox:
        if (code == LBN_DBLCLK) {
            openFolderRow(widget, static_cast<int>(::SendMessageW(widget.hwnd, LB_GETCURSEL, 0, 0)));
        }
        break;
    case ControlKind::Memo:
    case ControlKind::ListView:
    case ControlKind::Image:
        break;
    }
}

// Enter: presses the focused button, or opens the folder of the focused folder list's row.
void FormWindow::pressEnter() {
    HWND focus = ::GetFocus();
    Widget* widget = widgetOf(focus);
    if (widget == nullptr) {
        return;
    }
    switch (widget->model->kind()) {
    case ControlKind::Button:
    case ControlKind::BitBtn:
        command(*widget, BN_CLICKED);
        break;
    case ControlKind::DirectoryListBox:
        openFolderRow(*widget, static_cast<int>(::SendMessageW(widget->hwnd, LB_GETCURSEL, 0, 0)));
        break;
    default:
        break;
    }
}

// The folder a row of the folder list stands for: a row of the path is that folder, from the
// drive's root down; a row below the open folder is one of its sub-folders.
void FormWindow::openFolderRow(Widget& widget, int row) {
    auto& list = static_cast<DirectoryListBox&>(*widget.model);
    if (row < 0 || row >= list.count() || !view_.acceptsInput()) {
        return;
    }
    const auto& items = list.items();
    std::string folder;
    if (row > list.itemIndex()) {
        folder = list.directory();
        if (!folder.empty() && folder.back() != '\\') {
            folder += '\\';
        }
        folder += items[static_cast<std::size_t>(row)];
    } else {
        folder = items[0];
        for (int i = 1; i <= row; ++i) {
            if (!folder.empty() && folder.back() != '\\') {
                folder += '\\';
            }
            folder += items[static_cast<std::size_t>(i)];
        }
    }
    FolderBrowser& browser = view_.app().folderBrowser();
    act(widget.model, [&browser, folder] { browser.openFolder(folder); });
}

// An empty picture box lies over the car name in the design and takes the clicks there, so a
// label reacts only outside every picture box of its page.
bool FormWindow::coveredByPicture(const Widget& label) const {
    const DWORD position = ::GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ScreenToClient(label.parent, &point);
    for (const Picture& picture : pictures_) {
        const Image& image = *picture.model;
        if (image.visible() && image.page() == label.model->page()) {
            RECT rect = surfaceRect(image);
            if (::PtInRect(&rect, point)) {
                return true;
            }
        }
    }
    return false;
}

// --- synchronising -------------------------------------------------------------------------

void FormWindow::sync() {
    if (hwnd_ == nullptr) {
        return;
    }
    for (Widget& widget : widgets_) {
        syncWidget(widget);
    }
    syncPictures();
    syncPage();
    const bool visible = form_.visible();
    if (visible != (::IsWindowVisible(hwnd_) != FALSE)) {
        ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    }
    syncFocus();
}

void FormWindow::hide() {
    if (hwnd_ != nullptr) {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

void FormWindow::syncWidget(Widget& widget) {
    Control& control = *widget.model;
    HWND window = widget.hwnd;
    bool replace = control.left() != widget.left || control.top() != widget.top ||
                   control.width() != widget.width || control.height() != widget.height;

    switch (control.kind()) {
    case ControlKind::Label:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::Edit: {
        const std::wstring text = toWide(control.caption());
        if (windowText(window) != text) {
            if (control.kind() == ControlKind::Edit) {
                setEditText(window, false, text);
            } else {
                ::SetWindowTextW(window, text.c_str());
            }
            replace = replace || has(control, StyleAutoSize) || control.kind() == ControlKind::Button;
        }
        break;
    }
    case ControlKind::ComboBox:
    case ControlKind::DriveComboBox:
        syncComboBox(widget);
        break;
    case ControlKind::ListBox:
    case ControlKind::DirectoryListBox:
        syncListBox(widget);
        break;
    case ControlKind::Memo:
        syncMemo(widget);
        break;
    case ControlKind::BitBtn:
    case ControlKind::ListView:
    case ControlKind::Image:
        break;
    }

    bool checked = false;
    bool checkable = false;
    if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        checkable = true;
        checked = check->checked();
    } else if (auto* radio = dynamic_cast<RadioButton*>(&control)) {
        checkable = true;
        checked = radio->checked();
        // The Tab key reaches a group of option buttons at its checked one.
        LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
        LONG_PTR wanted = checked ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        if (wanted != style) {
            ::SetWindowLongPtrW(window, GWL_STYLE, wanted);
        }
    }
    if (checkable) {
        const bool shown = ::SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (shown != checked) {
            ::SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    if (replace) {
        place(widget);
    }
    if ((::IsWindowEnabled(window) != FALSE) != control.enabled()) {
        ::EnableWindow(window, control.enabled());
    }
    const bool shown = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != control.visible()) {
        ::ShowWindow(window, control.visible() ? SW_SHOWNA : SW_HIDE);
    }
}

void FormWindow::syncComboBox(Widget& widget) {
    auto& list = static_cast<ItemList&>(*widget.model);
    HWND window = widget.hwnd;
    std::vector<std::wstring> rows = plainRows(list);
    if (rows != widget.rows) {
        ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(window, CB_RESETCONTENT, 0, 0);
        for (const auto& row : rows) {
            ::SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        }
        ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window, nullptr, TRUE);
        widget.rows = std::move(rows);
    }
    const int selected = static_cast<int>(::SendMessageW(window, CB_GETCURSEL, 0, 0));
    if (selected != list.itemIndex()) {
        ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(list.itemIndex()), 0);
    }
    if (isEditable(list)) {
        const std::wstring text = toWide(list.caption());
        if (windowText(window) != text) {
            setEditText(window, true, text);
        }
    }
}

void FormWindow::syncListBox(Widget& widget) {
    auto& list = static_cast<ItemList&>(*widget.model);
    HWND window = widget.hwnd;
    auto* folders = dynamic_cast<DirectoryListBox*>(&list);
    std::vector<std::wstring> rows = folders != nullptr ? folderRows(*folders) : plainRows(list);
    if (rows != widget.rows) {
        ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(window, LB_RESETCONTENT, 0, 0);
        for (const auto& row : rows) {
            ::SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
        }
        ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(window, nullptr, TRUE);
        widget.rows = std::move(rows);
    }
    if (auto* marked = dynamic_cast<ListBox*>(&list); marked != nullptr && has(list, StyleMultiSelect)) {
        for (int row = 0; row < marked->count(); ++row) {
            const bool shown = ::SendMessageW(window, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0;
            if (shown != marked->marked(row)) {
                ::SendMessageW(window, LB_SETSEL, marked->marked(row), row);
            }
        }
        return;
    }
    const int selected = static_cast<int>(::SendMessageW(window, LB_GETCURSEL, 0, 0));
    if (selected != list.itemIndex()) {
        ::SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(list.itemIndex()), 0);
    }
}

void FormWindow::syncMemo(Widget& widget) {
    auto& memo = static_cast<Memo&>(*widget.model);
    if (memo.lines() != widget.lines) {
        std::string text;
        for (std::size_t i = 0; i < memo.lines().size(); ++i) {
            text += (i > 0 ? "\r\n" : "") + memo.lines()[i];
        }
        ::SetWindowTextW(widget.hwnd, toWide(text).c_str());
        widget.lines = memo.lines();
        widget.topLine = 0;
    }
    if (memo.topLine() != widget.topLine) {
        const int first = static_cast<int>(::SendMessageW(widget.hwnd, EM_GETFIRSTVISIBLELINE, 0, 0));
        ::SendMessageW(widget.hwnd, EM_LINESCROLL, 0, memo.topLine() - first);
        widget.topLine = memo.topLine();
    }
}

void FormWindow::syncPictures() {
    for (Picture& picture : pictures_) {
        const std::string& path = picture.model->picture();
        if (path == picture.path) {
            continue;
        }
        picture.path = path;
        if (picture.bitmap != nullptr) {
            ::DeleteObject(picture.bitmap);
            picture.bitmap = nullptr;
        }
        if (auto wide = toWidePath(path); wide && !path.empty()) {
            picture.bitmap = static_cast<HBITMAP>(::LoadImageW(nullptr, wide->c_str(), IMAGE_BITMAP, 0, 0,
                                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        }
        if (picture.bitmap != nullptr) {
            BITMAP info{};
            ::GetObjectW(picture.bitmap, sizeof info, &info);
            picture.width = info.bmWidth;
            picture.height = std::abs(info.bmHeight);
        }
        ::InvalidateRect(surfaceOf(*picture.model), nullptr, TRUE);
    }
}

void FormWindow::syncPage() {
    if (!hasPages()) {
        return;
    }
    const int page = static_cast<int>(view_.app().mainWindow().activePage());
    if (page == shownPage_) {
        return;
    }
    HWND focus = ::GetFocus();
    Widget* focused = widgetOf(focus);
    if (focused == nullptr && focus != nullptr) {
        focused = widgetOf(::GetParent(focus)); // the edit part of a combo box
    }
    // Show the new page before hiding the old one, so that nothing flashes between them.
    ::ShowWindow(pages_[static_cast<std::size_t>(page)], SW_SHOWNA);
    if (shownPage_ >= 0) {
        ::ShowWindow(pages_[static_cast<std::size_t>(shownPage_)], SW_HIDE);
    }
    shownPage_ = page;
    if (focused != nullptr && !::IsWindowVisible(focused->hwnd)) {
        leftPage_ = focused->model;
    }
}

void FormWindow::syncFocus() {
    Control* wanted = form_.focused();
    Control* left = std::exchange(leftPage_, nullptr);
    if (wanted != syncedFocus_) {
        // A handler moved the focus.
        syncedFocus_ = wanted;
        Widget* widget = widgetOf(wanted);
        if (widget != nullptr && ::IsWindowVisible(widget->hwnd) && ::IsWindowEnabled(widget->hwnd)) {
            HWND focus = ::GetFocus();
            if (focus != widget->hwnd && !::IsChild(widget->hwnd, focus)) {
                ::SetFocus(widget->hwnd);
            }
            return;
        }
    }
    if (left == nullptr) {
        return;
    }
    // The focus was on the page that went; it moves to the control at the same place on the
    // new page (the wizard's buttons line up from page to page), else to the first one.
    for (Widget& widget : widgets_) {
        const Control& control = *widget.model;
        if (control.page() == shownPage_ && control.kind() != ControlKind::Label && control.visible() &&
            control.enabled() && control.left() == left->left() && control.top() == left->top()) {
            form_.setFocus(widget.model);
            syncedFocus_ = widget.model;
            ::SetFocus(widget.hwnd);
            return;
        }
    }
    if (::GetActiveWindow() == hwnd_) {
        focusFirst();
    }
}

void FormWindow::focusFirst() {
    if (HWND first = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
        ::SetFocus(first);
    }
}

// --- painting ------------------------------------------------------------------------------

void FormWindow::paint(HWND surface) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(surface, &ps);
    RECT client{};
    ::GetClientRect(surface, &client);

    if (surface == hwnd_ && id() == FormId::Form1) {
        // The side strip: one line per design column, each as wide as the column is scaled,
        // grey falling from white to silver; the button face beyond it.
        constexpr int kStripColumns = 161;
        HGDIOBJ brush = ::GetStockObject(DC_BRUSH);
        for (int x = 0; x < kStripColumns; ++x) {
            const int grey = MainWindow::stripGrey(x);
            ::SetDCBrushColor(dc, RGB(grey, grey, grey));
            RECT column{scaled(x, dpi_), client.top, scaled(x + 1, dpi_), client.bottom};
            ::FillRect(dc, &column, static_cast<HBRUSH>(brush));
        }
        RECT rest{scaled(kStripColumns, dpi_), client.top, client.right, client.bottom};
        ::FillRect(dc, &rest, ::GetSysColorBrush(COLOR_BTNFACE));
    }

    // The pictures on this surface at their own size, scaled only by the screen density, and
    // cut to their boxes.
    for (const Picture& picture : pictures_) {
        if (picture.bitmap == nullptr || !picture.model->visible() || surfaceOf(*picture.model) != surface) {
            continue;
        }
        RECT box = surfaceRect(*picture.model);
        HDC memory = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(memory, picture.bitmap);
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
        if (dpi_ == kDesignDpi) {
            ::BitBlt(dc, box.left, box.top, picture.width, picture.height, memory, 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);
            ::StretchBlt(dc, box.left, box.top, scaled(picture.width, dpi_), scaled(picture.height, dpi_),
                         memory, 0, 0, picture.width, picture.height, SRCCOPY);
        }
        ::RestoreDC(dc, saved);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    ::EndPaint(surface, &ps);
}

} // namespace obrinex::win32

// --- the layout report ---------------------------------------------------------------------

namespace obrinex::win32 {

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                          nullptr);
    return out;
}

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::Button:
        return "button";
    case ControlKind::CheckBox:
        return "checkbox";
    case ControlKind::RadioButton:
        return "radio";
    default:
        return "other";
    }
}

} // namespace

std::string FormWindow::focusedName() {
    HWND focus = ::GetFocus();
    Widget* widget = widgetOf(focus);
    if (widget == nullptr && focus != nullptr) {
        widget = widgetOf(::GetParent(focus)); // the edit part of a combo box
    }
    if (widget == nullptr) {
        return {};
    }
    return std::string(form_.layout().name) + "." + widget->model->name();
}

void FormWindow::report(std::string& out) {
    if (hwnd_ == nullptr) {
        return;
    }
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    out += "form\t" + std::string(form_.layout().name) + "\t" + (form_.visible() ? "1" : "0") + "\t" +
           std::to_string(dpi_) + "\t" + std::to_string(client.right) + "\t" + std::to_string(client.bottom) +
           "\n";
    for (Widget& widget : widgets_) {
        const Control& control = *widget.model;
        const ControlKind kind = control.kind();
        if (kind == ControlKind::Edit || kind == ControlKind::ComboBox || kind == ControlKind::ListBox) {
            // Fields and lists report what they hold: the text, or the marked rows.
            std::string held = utf8(windowText(widget.hwnd));
            if (kind == ControlKind::ListBox) {
                held.clear();
                const int rows = static_cast<int>(::SendMessageW(widget.hwnd, LB_GETCOUNT, 0, 0));
                for (int row = 0; row < rows; ++row) {
                    if (::SendMessageW(widget.hwnd, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0) {
                        if (!held.empty()) {
                            held += ',';
                        }
                        held += std::to_string(row);
                    }
                }
            }
            out += "field\t" + std::string(form_.layout().name) + "\t" + control.name() + "\t" + held + "\n";
            continue;
        }
        if (kind != ControlKind::Label && kind != ControlKind::Button && kind != ControlKind::CheckBox &&
            kind != ControlKind::RadioButton) {
            continue;
        }
        RECT rect{};
        ::GetWindowRect(widget.hwnd, &rect);
        ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
        const std::wstring text = windowText(widget.hwnd);
        HFONT font = reinterpret_cast<HFONT>(::SendMessageW(widget.hwnd, WM_GETFONT, 0, 0));
        const LONG_PTR style = ::GetWindowLongPtrW(widget.hwnd, GWL_STYLE);
        SIZE need{0, 0};
        if (kind == ControlKind::Label) {
            // As the static control draws its text: word-wrapped unless told otherwise.
            UINT format = DT_LEFT | DT_EXPANDTABS;
            if ((style & SS_TYPEMASK) == SS_LEFT) {
                format |= DT_WORDBREAK;
            }
            need = inkExtent(widget.hwnd, font, text, format, rect.right - rect.left);
        } else if (kind == ControlKind::Button) {
            need = inkExtent(widget.hwnd, font, text, DT_LEFT | DT_SINGLELINE, rect.right - rect.left);
            need.cx += 2 * scaled(kButtonTextMargin, dpi_);
        } else {
            // The control's own measure of its box and text, at its width when it wraps.
            need.cx = (style & BS_MULTILINE) != 0 ? rect.right - rect.left : 0;
            ::SendMessageW(widget.hwnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&need));
        }
        const bool checkedNow = (kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) &&
                                ::SendMessageW(widget.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        out += "control\t" + std::string(form_.layout().name) + "\t" + control.name() + "\t" +
               kindName(kind) + "\t" + std::to_string(control.page()) + "\t" +
               (control.visible() ? "1" : "0") + "\t" + std::to_string(rect.left) + "\t" +
               std::to_string(rect.top) + "\t" + std::to_string(rect.right) + "\t" +
               std::to_string(rect.bottom) + "\t" + std::to_string(need.cx) + "\t" + std::to_string(need.cy) +
               "\t" + (checkedNow ? "1" : "0") + "\t" + utf8(text) + "\n";
    }
}

} // namespace obrinex::win32
