#include "dialogs/dialogs.h"

#include "app/application.h"
#include "app/errors.h"
#include "app/main_window.h"

#include "text/cp1252.h"

namespace obrinex {

FolderBrowser::FolderBrowser(MainWindow& mainWindow)
    : mainWindow_(mainWindow), form_(FormId::Form2), edit1_(form_.get<Edit>("Edit1")),
      directoryListBox1_(form_.get<DirectoryListBox>("DirectoryListBox1")),
      driveComboBox1_(form_.get<DriveComboBox>("DriveComboBox1")) {
    directoryListBox1_.setDirectory("C:\\");
    directoryListBox1_.onChange = [this] { directoryListBox1Change(); };
    form_.find("Button1")->onClick = [this] { button1Click(); };
}

void FolderBrowser::show() {
    if (form_.visible()) {
        return;
    }
    form_.setVisible(true);
    formShow();
}

void FolderBrowser::openFolder(const std::string& folder) {
    FileSystem& files = mainWindow_.platform_.files;
    directoryListBox1_.setDirectory(folder);

    // The path's folders from the root down, then the open folder's sub-folders.
    directoryListBox1_.clear();
    std::size_t start = 0;
    if (folder.size() >= 3 && folder[1] == ':') {
        directoryListBox1_.add(folder.substr(0, 3));
        start = 3;
    }
    while (start < folder.size()) {
        auto end = folder.find('\\', start);
        directoryListBox1_.add(
            folder.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    directoryListBox1_.setItemIndex(directoryListBox1_.count() - 1);
    for (const auto& name : files.listDirectories(folder)) {
        directoryListBox1_.add(name);
    }

    driveComboBox1_.clear();
    const char drive = folder.empty() ? 'c' : lowerCp1252(folder[0]);
    for (char letter : files.driveLetters()) {
        driveComboBox1_.add(std::string(1, letter) + ":");
        if (letter == drive) {
            driveComboBox1_.setItemIndex(driveComboBox1_.count() - 1);
        }
    }
    directoryListBox1_.onChange();
}

void FolderBrowser::formShow() {
    openFolder("C:\\");
}

void FolderBrowser::directoryListBox1Change() {
    edit1_.setText(directoryListBox1_.directory());
}

void FolderBrowser::button1Click() {
    std::string folder = edit1_.text();
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    mainWindow_.edit1.setText(folder);
    close();
}

VariantDialog::VariantDialog(MainWindow& mainWindow)
    : mainWindow_(mainWindow), form_(FormId::Form3), comboBox1_(form_.get<ComboBox>("ComboBox1")) {
    form_.find("Button1")->onClick = [this] { button1Click(); };
}

void VariantDialog::button1Click() {
    // The dialog's list never has rows, so in practice this only hides the dialog.
    if (comboBox1_.itemIndex() > 0) {
        mainWindow_.state().SourceModelPath = mainWindow_.state().PackageDir + "cars\\" + comboBox1_.text();
    }
    close();
}

void MainWindow::button16Click() {
    app_.folderBrowser().show();
}

void MainWindow::label6Click() {
    if (platform_.files.directoryExists(state_.PackageDir + "cars") && fileListBox2.count() > 0) {
        app_.variantDialog().show();
    }
}

void MainWindow::comboBox7Change() {
    const int row = comboBox7.itemIndex();
    if (row > 0) {
        state_.SourceModelPath =
            state_.PackageDir + "cars\\" + comboBox7.items()[static_cast<std::size_t>(row)];
    } else {
        if (listBox1.count() < 2) {
            throw AppError("List index out of bounds (1)");
        }
        state_.SourceModelPath = state_.PackageDir + "models\\" + listBox1.items()[1];
    }
}

} // namespace obrinex
