// One window of the program as real Win32 windows, built from its layout table: a native
// control for every control model a user can ever see, placed and lettered at the window's
// screen density; for the main window also the stack of page panels, the side strip and the
// picture. User actions go to the view, which runs the handlers; `sync` then writes the models
// back into the controls.
#pragma once

#include "frontends/win32/fonts.h"
#include "ui/form.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace obrinex::win32 {

class View;

class FormWindow {
  public:
    // Creates the window hidden; `owner` is the main window for the dialogs.
    FormWindow(View& view, Form& form, HWND owner);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    static void registerClasses(HINSTANCE instance);

    HWND hwnd() const { return hwnd_; }
    FormId id() const { return form_.layout().id; }

    // Brings the window and every native control in line with the models. Notifications the
    // controls send meanwhile are ignored by the view.
    void sync();
    void hide();
    // Appends this window's lines of the layout report (see layout_report.h).
    void report(std::string& out);
    // The layout name of the control that has the keyboard focus in this window, or "".
    std::string focusedName();

  private:
    // A control model and its native window, with what was last written to the parts that
    // only the view changes (rows, memo lines), so that they are rewritten only when changed.
    struct Widget {
        Control* model = nullptr;
        HWND hwnd = nullptr;
        HWND parent = nullptr;
        std::vector<std::wstring> rows;
        std::vector<std::string> lines;
        int topLine = 0;
        int left = 0, top = 0, width = 0, height = 0; // the model's bounds last placed
    };

    // A picture box with the picture it shows.
    struct Picture {
        Image* model = nullptr;
        std::string path;
        HBITMAP bitmap = nullptr;
        int width = 0, height = 0;
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createPages();
    void createControls();
    void applyDpi(UINT dpi);
    void place(Widget& widget);
    void placePages();
    RECT surfaceRect(const Control& control) const;
    HWND surfaceOf(const Control& control) const;
    bool hasPages() const { return pages_[0] != nullptr; }

    Widget* widgetOf(HWND window);
    Widget* widgetOf(const Control* control);

    void command(Widget& widget, UINT code);
    void pressEnter();
    void act(Control* focus, std::function<void()> handler);
    void openFolderRow(Widget& widget, int row);
    bool coveredByPicture(const Widget& label) const;
    LRESULT controlColor(HDC dc, HWND control);

    void syncWidget(Widget& widget);
    void syncComboBox(Widget& widget);
    void syncListBox(Widget& widget);
    void syncMemo(Widget& widget);
    void syncPictures();
    void syncPage();
    void syncFocus();
    void focusFirst();

    void paint(HWND surface);

    View& view_;
    Form& form_;
    HWND hwnd_ = nullptr;
    UINT dpi_;
    std::unique_ptr<FontCache> fonts_;
    HICON arrow_ = nullptr;
    std::array<HWND, kPageCount> pages_{};
    int shownPage_ = -1;
    std::vector<Widget> widgets_;
    std::vector<Picture> pictures_;
    Control* syncedFocus_ = nullptr;
    Control* leftPage_ = nullptr; // the focused control of the page just hidden
    HWND savedFocus_ = nullptr;
};

} // namespace obrinex::win32
