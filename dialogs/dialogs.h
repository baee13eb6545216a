// The two small dialogs: the folder browser that writes the game folder field, and the car
// variant chooser (which never offers a row). Both are created hidden at start-up and
// closing them only hides them.
#pragma once

#include "ui/form.h"

#include <string>

namespace obrinex {

class MainWindow;

class FolderBrowser {
  public:
    explicit FolderBrowser(MainWindow& mainWindow);
    Form& form() { return form_; }

    // Shows the dialog; its show handler runs only when it was hidden.
    void show();
    void close() { form_.setVisible(false); }
    // The user opens `folder` in the folder list (a drive root written "C:\", any other
    // folder without a trailing backslash).
    void openFolder(const std::string& folder);

  private:
    void formShow();
    void directoryListBox1Change();
    void button1Click();

    MainWindow& mainWindow_;
    Form form_;
    Edit& edit1_;
    DirectoryListBox& directoryListBox1_;
    DriveComboBox& driveComboBox1_;
};

class VariantDialog {
  public:
    explicit VariantDialog(MainWindow& mainWindow);
    Form& form() { return form_; }

    void show() { form_.setVisible(true); }
    void close() { form_.setVisible(false); }

  private:
    void button1Click();

    MainWindow& mainWindow_;
    Form form_;
    ComboBox& comboBox1_;
};

} // namespace obrinex
