// The wizard without a window, for the command line: the program started over a package
// folder, with the game folder as the game's registry record names it, the file system
// confined to those two folders, message boxes collected instead of shown and the shell left
// alone. The handlers and every rule are the wizard's own; this unit only sets the stage.
#pragma once

#include "app/application.h"
#include "i18n/language.h"
#include "platform/platform.h"
#include "session/confined_files.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace obrinex {

// A message box the wizard showed.
struct ShownBox {
    BoxKind kind = BoxKind::Ok;
    std::string title;
    std::string text;
    BoxAnswer answer = BoxAnswer::Ok;
    // Shown while the main window was being created, before it first showed.
    bool duringCreation = false;
};

class HeadlessWizard {
  public:
    // `packageFolder` and `gameFolder`: Windows-1252 folder texts ending with a separator, as
    // the program joins names to them. An empty package folder is none (start-up then finds no
    // setup.ini); an empty game folder is no registry record, so the field keeps its design
    // text, which the confined file system does not reach.
    HeadlessWizard(FileSystem& files, std::string packageFolder, std::string gameFolder);
    HeadlessWizard(const HeadlessWizard&) = delete;
    HeadlessWizard& operator=(const HeadlessWizard&) = delete;
    ~HeadlessWizard();

    // Answers a box as the player would; by default OK, and No to every Yes/No question.
    std::function<BoxAnswer(const ShownBox&)> answer;

    // Program start, as Application::start; boxes shown on the way are collected.
    void start();
    // A user's click on the control of the main window of that name (its handler runs through
    // the program's one event dispatcher).
    void click(std::string_view control);
    // The player's choice of a language on the first page: a click on its option button.
    void chooseLanguage(Language language);

    Application& app() { return *app_; }
    // The confined file system the wizard works through; a run carried out for it goes here too.
    FileSystem& files() { return files_; }
    MainWindow& window() { return app_->mainWindow(); }
    const std::vector<ShownBox>& boxes() const { return boxes_; }
    // The texts of the standard error boxes shown so far.
    std::vector<std::string> errors() const;

  private:
    class Services;

    ConfinedFileSystem files_;
    std::unique_ptr<Services> services_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Application> app_;
    std::vector<ShownBox> boxes_;
};

} // namespace obrinex
