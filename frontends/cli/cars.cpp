// obrinex cars: the catalogue in one language, with the game's file names of every row.
#include "catalogue/catalogue.h"
#include "catalogue/target_files.h"
#include "frontends/cli/cli.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace obrinex::cli {

namespace {

struct CarsOptions {
    std::string language = "deutsch";
    bool json = false;
};

Language languageOf(const std::string& key) {
    for (Language language : kLanguages) {
        if (languageKey(language) == key) {
            return language;
        }
    }
    return Language::German;
}

int runCars(Context& context, const CarsOptions& options) {
    const auto& rows = catalogueRows(languageOf(options.language));
    Json cars = Json::array();
    std::size_t width = 0;
    for (const std::string& text : rows) {
        width = std::max(width, text.size());
    }
    for (int row = 0; row < kCatalogueRowCount; ++row) {
        TargetFileSet files;
        lookupTargetFiles(row, files);
        const std::string& text = rows[static_cast<std::size_t>(row)];
        const std::vector<std::string> models = {files.TargetModel1, files.TargetModel2, files.TargetModel3};
        const std::vector<std::string> sounds = {files.TargetSoundOn, files.TargetSoundOff,
                                                 files.TargetSound0, files.TargetSound1, files.TargetHorn};
        if (options.json) {
            cars.push_back(Json{{"row", row},
                                {"text", jsonText(text)},
                                {"isCar", !files.TargetModel1.empty()},
                                {"models", jsonTexts(models)},
                                {"sounds", jsonTexts(sounds)}});
            continue;
        }
        // Widths count the code page's one byte per character, before the conversion.
        std::string line = std::string(row < 10    ? 2
                                       : row < 100 ? 1
                                                   : 0,
                                       ' ') +
                           std::to_string(row) + "  " + text;
        if (!files.TargetModel1.empty()) {
            line += std::string(width - text.size() + 2, ' ');
            for (const std::string& model : models) {
                line += model.empty() ? "" : model + "  ";
            }
            line.resize(line.size() - 2);
        }
        context.out << cp1252ToUtf8(line) << '\n';
    }
    if (options.json) {
        printJson(context.out, Json{{"language", options.language}, {"cars", cars}});
    }
    return kDone;
}

} // namespace

Command addCarsCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<CarsOptions>();
    CLI::App* command = app.add_subcommand(
        "cars", "The catalogue: the 208 rows a car can replace, with the game's file names");
    command->add_option("--lang", options->language, "The language of the rows (default deutsch)")
        ->check(CLI::IsMember({"deutsch", "english", "cesky", "francais"}))
        ->type_name("LANG");
    addJsonFlag(*command, options->json);
    command->footer("Example:\n  obrinex cars --lang english     the rows in English; a row's number is what "
                    "--car takes");
    return {command, [&context, options] { return runCars(context, *options); }};
}

} // namespace obrinex::cli
