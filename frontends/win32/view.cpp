#include "frontends/win32/view.h"

#include "app/main_window.h"
#include "frontends/win32/layout_report.h"

#include <cstdio>

namespace obrinex::win32 {

namespace {

// Labels and pictures never take the keyboard focus.
bool takesFocus(const Control& control) {
    return control.kind() != ControlKind::Label && control.kind() != ControlKind::Image;
}

} // namespace

View::View(Application& app, HINSTANCE instance) : app_(app), instance_(instance) {
    FormWindow::registerClasses(instance);
}

View::~View() {
    // The dialogs are owned by the main window and go first.
    for (int i = 2; i >= 0; --i) {
        windows_[i].reset();
    }
}

void View::open() {
    windows_[0] = std::make_unique<FormWindow>(*this, app_.form(FormId::Form1), nullptr);
    HWND owner = windows_[0]->hwnd();
    windows_[1] = std::make_unique<FormWindow>(*this, app_.form(FormId::Form2), owner);
    windows_[2] = std::make_unique<FormWindow>(*this, app_.form(FormId::Form3), owner);
    sync();
}

bool View::translate(MSG& message) {
    HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    for (auto& window : windows_) {
        if (window && root != nullptr && window->hwnd() == root) {
            const bool used = ::IsDialogMessageW(root, &message) != FALSE;
            // The focus may have moved: the report follows it.
            if (used && !layoutReportPath().empty() && message.message == WM_KEYUP && !app_.ended()) {
                report();
            }
            return used;
        }
    }
    return false;
}

void View::act(FormId form, Control* focus, const std::function<void()>& handler) {
    if (!acceptsInput() || app_.ended()) {
        return;
    }
    busy_ = true;
    if (focus != nullptr && takesFocus(*focus)) {
        app_.form(form).setFocus(focus);
    }
    app_.dispatch(handler);
    busy_ = false;
    if (app_.ended()) {
        // The windows go with the view once the message loop has stopped.
        for (auto& window : windows_) {
            window->hide();
        }
        ::PostQuitMessage(0);
        return;
    }
    sync();
}

void View::sync() {
    if (app_.ended()) {
        return;
    }
    syncing_ = true;
    for (auto& window : windows_) {
        if (window) {
            window->sync();
        }
    }
    syncing_ = false;
    if (!layoutReportPath().empty()) {
        report();
    }
}

void View::report() {
    std::string block;
    std::string focus;
    for (auto& window : windows_) {
        if (window) {
            window->report(block);
            if (focus.empty()) {
                focus = window->focusedName();
            }
        }
    }
    block = "page\t" + std::string(pageCaption(app_.mainWindow().activePage())) + "\tfocus\t" + focus + "\n" +
            block;
    if (block == lastReport_) {
        return;
    }
    lastReport_ = block;
    if (FILE* file = ::_wfopen(layoutReportPath().c_str(), L"ab")) {
        std::fputs(block.c_str(), file);
        std::fputs("end\n", file);
        std::fclose(file);
    }
}

} // namespace obrinex::win32
