// The program: its three windows, the order of start-up, the end of the run, and the one
// entry through which views deliver user events to the handlers.
#pragma once

#include "app/main_window.h"
#include "dialogs/dialogs.h"
#include "platform/platform.h"

#include <functional>
#include <memory>
#include <string>

namespace obrinex {

class Application {
  public:
    explicit Application(Platform& platform);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Program start: the main window is created (FormCreate), then both dialogs, then the main
    // window is shown (FormShow).
    void start();
    bool started() const { return started_; }
    // The main window has closed and the program has ended.
    bool ended() const { return ended_; }
    void endProgram() { ended_ = true; }

    MainWindow& mainWindow() { return *mainWindow_; }
    FolderBrowser& folderBrowser() { return *folderBrowser_; }
    VariantDialog& variantDialog() { return *variantDialog_; }
    Form& form(FormId id);

    // The title of the standard error box and of the plain message box.
    const std::string& title() const { return title_; }

    // Runs a handler for a user event; an error that ends it is shown in the error box.
    void dispatch(const std::function<void()>& handler);

  private:
    Platform& platform_;
    std::string title_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<FolderBrowser> folderBrowser_;
    std::unique_ptr<VariantDialog> variantDialog_;
    bool started_ = false;
    bool ended_ = false;
};

} // namespace obrinex
