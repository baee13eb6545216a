#include "app/main_window.h"

#include "app/application.h"
#include "app/errors.h"
#include "app/paths.h"
#include "catalogue/catalogue.h"

#include <cmath>
#include <optional>

namespace obrinex {

namespace {

// The first lines of the descriptor: car name line, model, further model; maps follow.
constexpr int kFirstMapLine = 3;

const std::string& lineAt(const std::vector<std::string>& lines, int index) {
    if (index >= static_cast<int>(lines.size())) {
        throw AppError("List index out of bounds (" + std::to_string(index) + ")");
    }
    return lines[static_cast<std::size_t>(index)];
}

// A file name in the descriptor that could reach outside the package or the game folder
// would let a package read or overwrite any file, and maps beyond the hundred that fit would
// install an incomplete car; such a package is refused whole. The refusal's text, or nothing.
std::optional<std::string> descriptorRefusal(const std::vector<std::string>& lines) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!isPackageRelativeName(lines[i])) {
            return "Line " + std::to_string(i + 1) +
                   " of setup.ini names a file outside the package folder: \"" + lines[i] + "\"";
        }
    }
    int mapLines = static_cast<int>(lines.size()) - kFirstMapLine;
    if (mapLines > kMaxMapFiles) {
        return "setup.ini lists " + std::to_string(mapLines) + " map files; a package can install at most " +
               std::to_string(kMaxMapFiles) + " map files.";
    }
    return std::nullopt;
}

bool isValidBitmap(const std::string& data) {
    auto u16 = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(data[at]) |
                                     (static_cast<unsigned char>(data[at + 1]) << 8));
    };
    auto u32 = [&](std::size_t at) { return u16(at) | (u16(at + 2) << 16); };
    if (data.size() < 26 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    unsigned headerSize = u32(14);
    if (headerSize == 12) {
        return u16(22) == 1;
    }
    if (headerSize < 40 || data.size() < 30) {
        return false;
    }
    unsigned bits = u16(28);
    return u16(26) == 1 && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

} // namespace

MainWindow::MainWindow(Application& app, Platform& platform)
    : app_(app), platform_(platform), form_(FormId::Form1), label6(form_.get<Label>("Label6")),
      label19(form_.get<Label>("Label19")), label21(form_.get<Label>("Label21")),
      label24(form_.get<Label>("Label24")), label33(form_.get<Label>("Label33")),
      label34(form_.get<Label>("Label34")), label35(form_.get<Label>("Label35")),
      label36(form_.get<Label>("Label36")), image2(form_.get<Image>("Image2")),
      edit1(form_.get<Edit>("Edit1")), memo1(form_.get<Memo>("Memo1")),
      comboBox1(form_.get<ComboBox>("ComboBox1")), comboBox2(form_.get<ComboBox>("ComboBox2")),
      comboBox7(form_.get<ComboBox>("ComboBox7")), listBox1(form_.get<ListBox>("ListBox1")),
      listBox2(form_.get<ListBox>("ListBox2")), fileListBox1(form_.get<ListBox>("FileListBox1")),
      fileListBox2(form_.get<ListBox>("FileListBox2")), radioButton1(form_.get<RadioButton>("RadioButton1")),
      radioButton2(form_.get<RadioButton>("RadioButton2")),
      radioButton3(form_.get<RadioButton>("RadioButton3")),
      radioButton4(form_.get<RadioButton>("RadioButton4")),
      radioButton5(form_.get<RadioButton>("RadioButton5")),
      radioButton6(form_.get<RadioButton>("RadioButton6")), button8(form_.get<Button>("Button8")),
      listView1(form_.get<ListView>("ListView1")) {
    // The lists as the window's design holds them: the catalogue in every hidden language
    // list and in the choice box, and all but its last two rows in the multiple choice list.
    const char* hiddenLists[] = {"ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6"};
    for (Language language : kLanguages) {
        auto& list = form_.get<ComboBox>(hiddenLists[static_cast<int>(language)]);
        for (const std::string& row : catalogueRows(language)) {
            list.add(row);
        }
    }
    const auto& german = catalogueRows(Language::German);
    for (std::size_t i = 0; i < german.size(); ++i) {
        comboBox1.add(german[i]);
        if (i + 2 < german.size()) {
            listBox2.add(german[i]);
        }
    }
    bindHandlers();
}

void MainWindow::bindHandlers() {
    auto onClick = [this](std::string_view name, void (MainWindow::*handler)()) {
        form_.find(name)->onClick = [this, handler] { (this->*handler)(); };
    };
    auto onChange = [this](std::string_view name, void (MainWindow::*handler)()) {
        form_.find(name)->onChange = [this, handler] { (this->*handler)(); };
    };
    for (auto name : {"Button1", "Button6", "Button9", "Button19"}) {
        onClick(name, &MainWindow::button1Click);
    }
    for (auto name : {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton6"}) {
        onClick(name, &MainWindow::radioButtonClick);
    }
    onClick("Button2", &MainWindow::button2Click);
    onClick("Button4", &MainWindow::button4Click);
    onClick("Button5", &MainWindow::button5Click);
    onClick("Button7", &MainWindow::button7Click);
    onClick("Button8", &MainWindow::button8Click);
    onClick("Button12", &MainWindow::button12Click);
    onClick("Button15", &MainWindow::button15Click);
    onClick("Button16", &MainWindow::button16Click);
    onClick("Button17", &MainWindow::button17Click);
    onClick("Button18", &MainWindow::button18Click);
    onClick("Button20", &MainWindow::button20Click);
    onClick("Button21", &MainWindow::button21Click);
    onClick("BitBtn1", &MainWindow::bitBtn1Click);
    onClick("Label6", &MainWindow::label6Click);
    onClick("Label21", &MainWindow::label21Click);
    onClick("Label36", &MainWindow::label36Click);
    onChange("ComboBox1", &MainWindow::comboBox1Change);
    onChange("ComboBox7", &MainWindow::comboBox7Change);
}

void MainWindow::showPage(Page page) {
    activePage_ = page;
}

void MainWindow::close() {
    app_.endProgram();
}

void MainWindow::formCreate() {
    radioButton2.setChecked(true);
    radioButton1.setChecked(true);

    state_.PackageDir = folderPart(platform_.executablePath);
    const std::string descriptorPath = state_.PackageDir + "setup.ini";
    if (platform_.files.fileExists(descriptorPath)) {
        std::string content;
        if (auto error = platform_.files.readFile(descriptorPath, content)) {
            throw AppError("Cannot open file \"" + descriptorPath + "\". " + systemErrorMessage(error));
        }
        auto lines = splitDescriptorLines(content);
        listBox1.clear();
        for (const auto& line : lines) {
            listBox1.add(line);
        }
        state_.SetupLineCount = static_cast<std::int32_t>(lines.size());
        if (auto refusal = descriptorRefusal(lines)) {
            showPage(Page::Fehler);
            throw AppError(*refusal);
        }

        const std::string& line1 = lineAt(lines, 0);
        if (!line1.empty()) {
            auto fields = cutLine1(line1);
            label6.setCaption(fields.carName);
            label19.setCaption(fields.authorField);
            label21.setCaption(fields.emailField);
        } else {
            label6.setCaption("---");
        }
        const std::string& line2 = lineAt(lines, 1);
        if (!line2.empty()) {
            state_.SourceModelPath = state_.PackageDir + "models\\" + line2;
        } else {
            showPage(Page::Fehler);
        }
        const std::string& line3 = lineAt(lines, 2);
        state_.SourceExtraModelPath = line3.empty() ? std::string() : state_.PackageDir + "models\\" + line3;
        for (int line = kFirstMapLine; line < state_.SetupLineCount; ++line) {
            state_.MapFiles[static_cast<std::size_t>(line - kFirstMapLine)] =
                lines[static_cast<std::size_t>(line)];
        }
    } else {
        showPage(Page::Fehler);
    }

    // Converter credit: only a complete author credit shows the converter lines.
    auto author = splitCredit(label19.caption());
    if (author && !author->authorPart.empty() && !author->converterPart.empty()) {
        auto mail = splitCredit(label21.caption());
        for (Label* label : {&label33, &label34, &label35, &label36}) {
            label->setVisible(true);
        }
        memo1.setTop(216);
        memo1.setHeight(81);
        label19.setCaption(author->authorPart);
        label35.setCaption(author->converterPart);
        // Without a separator in the e-mail field the whole field is the author's.
        label21.setCaption(mail ? mail->authorPart : label21.caption());
        label36.setCaption(mail ? mail->converterPart : std::string());
    }

    const std::string colorFolder = state_.PackageDir + "color";
    if (platform_.files.directoryExists(colorFolder)) {
        auto files = platform_.files.listFiles(colorFolder);
        fileListBox1.clear();
        for (const auto& name : files) {
            fileListBox1.add(name);
        }
        state_.ColorVariantCount = static_cast<std::int32_t>(files.size());
        if (state_.ColorVariantCount >= 1) {
            label24.setVisible(true);
            comboBox2.setVisible(true);
            comboBox2.add("Standard");
            for (const auto& name : files) {
                comboBox2.add(name);
            }
            comboBox2.setItemIndex(0);
        }
    }

    readGameFolderFromRegistry();

    logFolder_ = {gameFolder(), platform_.files.folderIdentity(gameFolder())};
    const std::string carListPath = gameFolder() + "carchanger\\cars\\carlist.sav";
    if (platform_.files.fileExists(carListPath)) {
        loadCarList(listView1, carListPath);
    }
}

void MainWindow::formShow() {
    const std::string picturePath = state_.PackageDir + "setup.bmp";
    if (platform_.files.fileExists(picturePath)) {
        std::string data;
        if (auto error = platform_.files.readFile(picturePath, data)) {
            throw AppError("Cannot open file \"" + picturePath + "\". " + systemErrorMessage(error));
        }
        if (!isValidBitmap(data)) {
            throw AppError("Bitmap image is not valid");
        }
        image2.setPicture(picturePath);
    }

    const std::string carsFolder = state_.PackageDir + "cars";
    if (platform_.files.directoryExists(carsFolder)) {
        auto files = platform_.files.listFiles(carsFolder);
        fileListBox2.clear();
        for (const auto& name : files) {
            fileListBox2.add(name);
        }
        if (!files.empty()) {
            comboBox7.add(label6.caption() + " (Standard)");
            for (const auto& name : files) {
                comboBox7.add(name);
            }
            comboBox7.setItemIndex(0);
            comboBox7.setVisible(true);
        }
    }
}

int MainWindow::stripGrey(int x) {
    constexpr int start = 255;
    constexpr int end = 192;
    // The step is kept in single precision, which puts column 80 just below the half.
    const float step = static_cast<float>(static_cast<double>(end - start) / 160.0);
    return static_cast<int>(std::nearbyint(static_cast<double>(x) * static_cast<double>(step) + start));
}

void MainWindow::button1Click() {
    if (platform_.boxes.show(BoxKind::Warning, "Warning", state_.uiText.ExitQuestionText) == BoxAnswer::Yes) {
        close();
    }
}

void MainWindow::button12Click() {
    close();
}
void MainWindow::button15Click() {
    close();
}
void MainWindow::button4Click() {
    showPage(Page::Sprache);
}
void MainWindow::button7Click() {
    showPage(Page::Einleitung);
}
void MainWindow::button17Click() {
    showPage(Page::Waehlen);
}
void MainWindow::button20Click() {
    showPage(Page::Waehlen);
}

void MainWindow::bitBtn1Click() {
    if (comboBox1.enabled() && comboBox1.itemIndex() >= 0) {
        listBox2.setMarked(comboBox1.itemIndex(), true);
    }
    showPage(Page::Mehrfachauswahl);
}

void MainWindow::button21Click() {
    comboBox1.setEnabled(listBox2.markedCount() == 0);
    showPage(Page::Waehlen);
}

void MainWindow::openMailLink(const Label& label) {
    platform_.shell.open("mailto:" + label.caption());
}
void MainWindow::label21Click() {
    openMailLink(label21);
}
void MainWindow::label36Click() {
    openMailLink(label36);
}

} // namespace obrinex
