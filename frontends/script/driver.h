// obrinex-script: the wizard driven by a script instead of a window. The same core as the
// windowed program; the window is replaced by this headless view, the message boxes are
// answered from the script and the registry is a value the script sets.
#pragma once

#include "app/application.h"
#include "frontends/script/scripted_services.h"
#include "platform/posix/posix_files.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace obrinex::script {

// A line the driver cannot run: exit status 2, nothing after it runs.
struct MalformedLine {
    std::string message;
};

class Driver {
  public:
    Driver(std::ostream& out, std::string defaultExecutable);
    ~Driver();

    // Runs the whole script; the exit status.
    int run(std::istream& script, std::ostream& errors);

  private:
    void runLine(int number, const std::string& utf8Line);
    void refuse(const std::string& reason);

    // Environment commands.
    void registryCommand(const std::string& rest);
    void faultCommand(const std::string& rest);
    void driveCommand(const std::string& rest);
    void wineprefix(const std::string& folder);

    // User actions.
    void start();
    void click(const std::string& name);
    void select(const std::string& args);
    void toggle(const std::string& args);
    void typeText(const std::string& args);
    void browse(const std::string& path);
    void answer(const std::string& args);
    void close(const std::string& args);
    void get(const std::string& what);

    Control& resolveControl(const std::string& qualifiedName, FormId& form);
    // The reason a user could not act on the control now; empty when they could.
    std::string unusableReason(const Control& control, FormId form);
    bool refusedWhenNotRunning();
    void act(FormId form, Control* focus, const std::function<void()>& handler);

    Json propertyValue(const std::string& name, const std::string& property);
    Json stateValue(const std::string& field);
    std::string focusName();

    void emit(const Json& line);

    std::ostream& out_;
    std::string executable_;
    PosixFileSystem files_;
    ScriptedRegistry registry_;
    ScriptedBoxes boxes_;
    ScriptedShell shell_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Application> app_;
    FormId activeForm_ = FormId::Form1;
    bool exitReported_ = false;
    int lineNumber_ = 0;
    std::string lineText_;
};

} // namespace obrinex::script
