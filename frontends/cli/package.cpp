// obrinex inspect: what the wizard's start-up makes of a package, and whether it installs.
#include "frontends/cli/cli.h"
#include "session/package_report.h"

#include <memory>
#include <ostream>

namespace obrinex::cli {

namespace {

struct InspectOptions {
    std::string package;
    bool json = false;
};

std::string listed(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) {
        out += (out.empty() ? "" : ", ") + name;
    }
    return out.empty() ? "none" : out;
}

void printText(std::ostream& out, const PackageReport& report) {
    std::vector<std::string> readme;
    for (Language language : report.readme) {
        readme.emplace_back(languageKey(language));
    }
    std::string credit = report.car + ", by " + report.author + " <" + report.email + ">";
    if (!report.converter.empty()) {
        credit += ", converted by " + report.converter + " <" + report.converterEmail + ">";
    }
    const std::pair<const char*, std::string> lines[] = {
        {"Car", credit},
        {"Model", report.model + (report.extraModel.empty() ? "" : ", further model " + report.extraModel)},
        {"Maps", listed(report.maps)},
        {"Colours", listed(report.colours)},
        {"Variants", listed(report.variants)},
        {"Sounds", listed(report.sounds)},
        {"Vehicle table", report.vehiclesBin ? "yes" : "no"},
        {"Readme", listed(readme)},
    };
    if (!report.car.empty() || !report.model.empty()) {
        for (const auto& [label, value] : lines) {
            out << label << ": " << cp1252ToUtf8(value) << '\n';
        }
    }
    if (report.installable()) {
        out << "The package can be installed.\n";
        return;
    }
    out << "The package cannot be installed:\n";
    for (const std::string& problem : report.problems) {
        out << "  " << cp1252ToUtf8(problem) << '\n';
    }
}

int runInspect(Context& context, const InspectOptions& options) {
    const std::string folder = packageFolderArgument(context, options.package);
    const PackageReport report = inspectPackage(context.host.files(), folder);
    for (const std::string& warning : report.warnings) {
        context.err << "obrinex: warning: " << cp1252ToUtf8(warning) << '\n';
    }
    if (options.json) {
        Json readme = Json::array();
        for (Language language : report.readme) {
            readme.push_back(std::string(languageKey(language)));
        }
        printJson(context.out, Json{{"installable", report.installable()},
                                    {"problems", jsonTexts(report.problems)},
                                    {"car", jsonText(report.car)},
                                    {"author", jsonText(report.author)},
                                    {"email", jsonText(report.email)},
                                    {"converter", jsonText(report.converter)},
                                    {"converterEmail", jsonText(report.converterEmail)},
                                    {"model", jsonText(report.model)},
                                    {"extraModel", jsonText(report.extraModel)},
                                    {"maps", jsonTexts(report.maps)},
                                    {"colours", jsonTexts(report.colours)},
                                    {"variants", jsonTexts(report.variants)},
                                    {"sounds", jsonTexts(report.sounds)},
                                    {"vehiclesBin", report.vehiclesBin},
                                    {"readme", readme},
                                    {"warnings", jsonTexts(report.warnings)}});
    } else {
        printText(context.out, report);
    }
    return report.installable() ? kDone : kProblems;
}

} // namespace

Command addInspectCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<InspectOptions>();
    CLI::App* command = app.add_subcommand(
        "inspect",
        "Reads a package folder as the wizard's start-up does and says whether it can be installed");
    command->add_option("PACKAGE", options->package, "The package folder (the one that holds setup.ini)")
        ->required()
        ->type_name("DIR");
    addJsonFlag(*command, options->json);
    command->footer(
        "Exit status 0 when the package can be installed, 1 when not (the problems are listed).\n\n"
        "Example:\n  obrinex inspect ~/Downloads/racer     the car, its files, and whether it installs");
    return {command, [&context, options] { return runInspect(context, *options); }};
}

} // namespace obrinex::cli
