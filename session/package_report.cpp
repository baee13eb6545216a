#include "session/package_report.h"

#include "app/main_window.h"
#include "install/plan.h"
#include "session/headless_wizard.h"

namespace obrinex {

namespace {

// The language page's option button of each language.

} // namespace

PackageReport inspectPackage(FileSystem& hostFiles, const std::string& packageFolder) {
    PackageReport report;
    HeadlessWizard wizard(hostFiles, packageFolder, "");
    FileSystem& files = wizard.files();
    wizard.start();
    MainWindow& window = wizard.window();
    const InstallerState& state = window.state();
    const auto& lines = window.listBox1.items();

    // An error while the window is created stops the descriptor's reading; one while it is
    // shown (a damaged side picture) leaves the package installable.
    for (const ShownBox& box : wizard.boxes()) {
        if (box.kind == BoxKind::Error) {
            (box.duringCreation ? report.problems : report.warnings).push_back(box.text);
        }
    }
    if (!files.fileExists(packageFolder + "setup.ini")) {
        report.problems.push_back("The package folder holds no setup.ini.");
        return report;
    }
    if (!report.problems.empty()) {
        return report;
    }
    if (lines.size() >= 2 && lines[1].empty()) {
        report.problems.push_back("Line 2 of setup.ini, the model file, is empty.");
    }

    report.car = window.label6.caption();
    report.author = window.label19.caption();
    report.email = window.label21.caption();
    if (window.label35.visible()) {
        report.converter = window.label35.caption();
        report.converterEmail = window.label36.caption();
    }
    report.model = lines.size() > 1 ? lines[1] : "";
    report.extraModel = lines.size() > 2 ? lines[2] : "";
    for (int i = 0; i + 3 < state.SetupLineCount; ++i) {
        report.maps.push_back(state.MapFiles[static_cast<std::size_t>(i)]);
    }
    report.colours = window.fileListBox1.items();
    report.variants = window.fileListBox2.items();

    auto lacks = [&](const std::string& folder, const std::string& name, std::size_t line) {
        if (!name.empty() && !files.fileExists(packageFolder + folder + "\\" + name)) {
            report.problems.push_back("The package lacks " + folder + "\\" + name + ", named in line " +
                                      std::to_string(line) + " of setup.ini.");
        }
    };
    lacks("models", report.model, 2);
    lacks("models", report.extraModel, 3);
    for (std::size_t i = 0; i < report.maps.size(); ++i) {
        lacks("maps", report.maps[i], i + 4);
    }

    for (const PackageSound& sound : kPackageSounds) {
        if (files.fileExists(packageFolder + sound.file)) {
            report.sounds.push_back(std::string(sound.file).substr(std::string("sounds\\").size()));
        }
    }
    report.vehiclesBin = files.fileExists(packageFolder + "tables\\vehicles.bin");

    // The readme as the introduction page shows it in each language.
    for (Language language : kLanguages) {
        wizard.chooseLanguage(language);
        wizard.click("Button2");
        if (!window.memo1.lines().empty()) {
            report.readme.push_back(language);
        }
    }
    return report;
}

} // namespace obrinex
