// The main wizard window: its control models, the installer state and every handler of
// the wizard. Handlers are defined next to the subsystem they belong to (start-up and
// navigation here, the language switch in i18n/, the choice of the replaced car in
// catalogue/, ...). No GUI code: views draw the form and forward events.
#pragma once

#include "app/installer_state.h"
#include "install/plan.h"
#include "install/run_plan.h"
#include "platform/platform.h"
#include "ui/form.h"

#include <optional>
#include <string>

namespace obrinex {

class Application;

class MainWindow {
  public:
    MainWindow(Application& app, Platform& platform);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form& form() { return form_; }
    InstallerState& state() { return state_; }
    Page activePage() const { return activePage_; }

    // Start-up handlers.
    void formCreate();
    void formShow();

    // Painting: the grey level of column x of the side strip.
    static int stripGrey(int x);

    // Closing the window ends the program.
    void close();

    // The run the last Finish carried out: its plan and what became of it.
    struct FinishRun {
        InstallPlan plan;
        RunOutcome outcome;
    };
    const std::optional<FinishRun>& lastFinishRun() const { return lastFinishRun_; }
    // The plan Finish would carry out now with the choices made, the game folder created when
    // it is missing; nothing is touched. Nothing when the choices are incomplete.
    std::optional<InstallPlan> plannedFinish();

  private:
    friend class FolderBrowser;
    friend class VariantDialog;

    void showPage(Page page);
    void bindHandlers();

    // Navigation and exit.
    void button1Click();
    void button12Click();
    void button15Click();
    void button4Click();
    void button7Click();
    void button17Click();
    void button20Click();
    void bitBtn1Click();
    void button21Click();
    void label21Click();
    void label36Click();
    void button5Click();

    // Language and readme.
    void radioButtonClick();
    void button2Click();

    // Choice of the replaced car.
    void comboBox1Change();
    void lookupTargetFiles();

    // Finish, the page "Advanced" and the installation run.
    enum class GameFolder { Exists, Create };
    void button8Click();
    void button18Click();
    bool choicesComplete() const;
    InstallChoices installChoices(GameFolder folder);
    void runInstallation(GameFolder folder);
    void ensureFolder(const std::string& path);
    // The game folder text as paths below it are built: with its closing separator.
    std::string gameFolder() const;

    // The replacement bookkeeping.
    void useLogOfGameFolder();
    void recordReplacement();
    void recordSingleReplacement();
    void recordMultipleReplacements();
    void saveMapList(int row);
    std::string newCarName() const;
    std::string carListFolder() const;

    // Dialogs and the variant choice.
    void button16Click();
    void label6Click();
    void comboBox7Change();

    // The game folder from the registry.
    void readGameFolderFromRegistry();

    // The replacement log's car list file.
    void loadCarList(ListView& view, const std::string& path);
    void saveCarList(const ListView& view, const std::string& path);

    void openMailLink(const Label& label);

    Application& app_;
    Platform& platform_;
    Form form_;
    InstallerState state_;
    Page activePage_ = Page::Sprache;
    // The game folder whose log the list view holds: its text, and the folder as the file
    // system sees it (nothing when it did not exist).
    struct LogFolder {
        std::string text;
        std::optional<std::string> identity;
    };
    LogFolder logFolder_;
    std::optional<FinishRun> lastFinishRun_;

  public:
    // The controls, bound by name once.
    Label& label6;
    Label& label19;
    Label& label21;
    Label& label24;
    Label& label33;
    Label& label34;
    Label& label35;
    Label& label36;
    Image& image2;
    Edit& edit1;
    Memo& memo1;
    ComboBox& comboBox1;
    ComboBox& comboBox2;
    ComboBox& comboBox7;
    ListBox& listBox1;
    ListBox& listBox2;
    ListBox& fileListBox1;
    ListBox& fileListBox2;
    RadioButton& radioButton1;
    RadioButton& radioButton2;
    RadioButton& radioButton3;
    RadioButton& radioButton4;
    RadioButton& radioButton5;
    RadioButton& radioButton6;
    Button& button8;
    ListView& listView1;
};

} // namespace obrinex
