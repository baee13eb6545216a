// The native view of the program: the three windows, the one path by which a user's action
// reaches the handlers (as the script driver delivers them), and the one pass that writes the
// models back into the windows afterwards.
#pragma once

#include "app/application.h"
#include "frontends/win32/form_window.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace obrinex::win32 {

class View {
  public:
    View(Application& app, HINSTANCE instance);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Builds the windows of the started program and shows the main window.
    void open();
    // Keyboard navigation between the controls; true when the message was used.
    bool translate(MSG& message);

    Application& app() { return app_; }
    HINSTANCE instance() const { return instance_; }

    // A user's action on `form`: `focus` (when a control that takes the focus) becomes the
    // form's focused control, the handler runs through the application's dispatcher, then
    // every window is brought in line with the models. Ignored while another handler runs.
    void act(FormId form, Control* focus, const std::function<void()>& handler);
    // Notifications are not user actions while the view writes to its controls or a handler
    // runs (its message box keeps its own message loop going).
    bool acceptsInput() const { return !syncing_ && !busy_; }
    void sync();

  private:
    void report();

    Application& app_;
    HINSTANCE instance_;
    std::unique_ptr<FormWindow> windows_[3];
    bool syncing_ = false;
    bool busy_ = false;
    std::string lastReport_;
};

} // namespace obrinex::win32
