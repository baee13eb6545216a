#include "app/application.h"

#include "app/errors.h"

namespace obrinex {

Application::Application(Platform& platform)
    : platform_(platform), title_(programTitle(platform.executablePath)) {}

void Application::start() {
    started_ = true;
    mainWindow_ = std::make_unique<MainWindow>(*this, platform_);
    dispatch([this] { mainWindow_->formCreate(); });
    folderBrowser_ = std::make_unique<FolderBrowser>(*mainWindow_);
    variantDialog_ = std::make_unique<VariantDialog>(*mainWindow_);
    mainWindow_->form().setVisible(true);
    dispatch([this] { mainWindow_->formShow(); });
}

Form& Application::form(FormId id) {
    switch (id) {
    case FormId::Form2:
        return folderBrowser_->form();
    case FormId::Form3:
        return variantDialog_->form();
    case FormId::Form1:
        break;
    }
    return mainWindow_->form();
}

void Application::dispatch(const std::function<void()>& handler) {
    dispatchEvent(platform_.boxes, title_, handler);
}

} // namespace obrinex
