// The language switch and the readme display of the main window.
#include "app/main_window.h"
#include "catalogue/catalogue.h"
#include "i18n/ini_reader.h"

namespace obrinex {

void MainWindow::radioButtonClick() {
    const std::pair<RadioButton*, Language> options[] = {{&radioButton1, Language::German},
                                                         {&radioButton2, Language::English},
                                                         {&radioButton3, Language::Czech},
                                                         {&radioButton6, Language::French}};
    // The row count comes from the German list for every language.
    const int rowCount = form_.get<ComboBox>("ComboBox3").count();
    for (const auto& [button, language] : options) {
        if (!button->checked()) {
            continue;
        }
        state_.LanguageName = std::string(languageKey(language));
        state_.uiText = uiTextFor(language);
        const auto& rows = catalogueRows(language);
        for (int i = 0; i < rowCount; ++i) {
            comboBox1.replace(i, rows[static_cast<std::size_t>(i)]);
        }
        for (int i = 0; i < rowCount; ++i) {
            listBox2.replace(i, rows[static_cast<std::size_t>(i)]);
        }
    }

    const UiText& t = state_.uiText;
    auto caption = [this](std::string_view name, const std::string& text) {
        form_.find(name)->setCaption(text);
    };
    for (auto name : {"Button3", "Button4", "Button7", "Button10", "Button13", "Button17"}) {
        caption(name, t.BackText);
    }
    for (auto name : {"Button2", "Button5"}) {
        caption(name, t.NextText);
    }
    for (auto name : {"Button1", "Button6", "Button9", "Button12", "Button15", "Button19"}) {
        caption(name, t.ExitText);
    }
    for (auto name : {"Button8", "Button11", "Button14", "Button18"}) {
        caption(name, t.FinishText);
    }
    caption("Button16", t.BrowseText);
    caption("Label4", t.IntroText1);
    caption("Label5", t.IntroText2);
    caption("Label18", t.ModdedByText);
    caption("Label33", t.ConvertedByText);
    caption("Label20", t.EmailText);
    caption("Label34", t.EmailText);
    caption("Label9", t.GameFolderText);
    caption("Label17", t.BackslashHintText);
    caption("Label10", t.ReplaceCarText);
    caption("Label11", t.BackupQuestionText);
    caption("RadioButton4", t.YesText);
    caption("RadioButton5", t.NoText);
    caption("Label24", t.ColourChoiceText);
    caption("Label13", t.DoneText1);
    caption("Label14", t.DoneText2);
    caption("Label7", t.CreditText);
    caption("Label16", t.SetupIniErrorText);
    caption("Label27", t.SoundsQuestionText);
    caption("Label28", t.VehiclesBinQuestionText);
    caption("CheckBox1", t.IntegrateSoundsText);
    caption("CheckBox2", t.BackupSoundsText);
    caption("CheckBox3", t.IntegrateVehiclesBinText);
    caption("CheckBox4", t.BackupVehiclesBinText);
    caption("Label32", t.MultiSelectText);
    caption("Button20", t.CancelBackText);
    caption("Button21", t.ApplyText);
    caption("Label29", "");
    caption("Label30", "");
    // Set after the rows were replaced, so the edit part ends showing the prompt.
    comboBox1.setText(t.ChooseText);
}

void MainWindow::button2Click() {
    showPage(Page::Einleitung);
    const std::string readmePath = state_.PackageDir + "readme.txt";
    if (!platform_.files.fileExists(readmePath)) {
        return;
    }
    memo1.setVisible(true);
    memo1.clear();
    std::string content;
    // An unreadable readme reads as one without the section: the memo stays empty.
    if (platform_.files.readFile(readmePath, content) != 0) {
        content.clear();
    }
    IniReader reader(std::move(content));
    if (state_.LanguageName.empty()) {
        state_.LanguageName = "deutsch";
    }
    for (int key = 1; key <= 100; ++key) {
        auto line = reader.readString(state_.LanguageName, std::to_string(key), "");
        if (!line.empty()) {
            memo1.add(line);
        }
    }
    if (!memo1.lines().empty()) {
        memo1.setLine(0, memo1.lines().front());
    }
    memo1.setTopLine(0);
}

} // namespace obrinex
