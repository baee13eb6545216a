#include "install/plan.h"
#include "install/run_plan.h"
#include "ledger/ledger.h"
#include "ledger/ledger_folder.h"
#include "platform/fingerprint.h"
#include "platform/posix/posix_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace obrinex {
namespace {

namespace fs = std::filesystem;

const std::string A = fingerprintOf("a"), B = fingerprintOf("b"), C = fingerprintOf("c"),
                  O = fingerprintOf("o");

TEST(Ledger, TextRoundTripAndRefusals) {
    Ledger ledger;
    ledger.installations = {{1, "Racer"}, {2, "Bolt Ace Coupé \xFC"}};
    ledger.layers = {{1, {5, 6}, A, O, "models\\fordtco04.4ds"},
                     {2, {5}, kPendingContent, kNoContent, "maps\\a b.bmp"}};
    auto back = decodeLedger(encodeLedger(ledger));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->layers, ledger.layers);
    EXPECT_EQ(back->installations.size(), 2u);
    EXPECT_EQ(back->installations[1].car, ledger.installations[1].car);

    for (const std::string& bad : std::vector<std::string>{
             "", "obrinex ledger 2\n", "obrinex ledger 1\nlayer 1 5 " + A + " none x\n",
             "obrinex ledger 1\ninstallation 1 R\nlayer 1 6,5 " + A + " none x\n",
             "obrinex ledger 1\ninstallation 1 R\nlayer 1 5 xyz none x\n",
             "obrinex ledger 1\ninstallation 1 R\ninstallation 1 S\n", "obrinex ledger 1\nmore\n"}) {
        std::string problem;
        EXPECT_FALSE(decodeLedger(bad, &problem)) << bad;
        EXPECT_FALSE(problem.empty()) << bad;
    }
}

// The folder as a map from path to content; absent paths are missing files.
struct Folder {
    std::map<std::string, std::string> files;
    CurrentContent current() const {
        return [this](const std::string& path) -> std::optional<std::string> {
            auto found = files.find(path);
            return found == files.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    }
};

TEST(Ledger, RestoreTakesRowsOutInAnyOrder) {
    // Installation 1 (A) over rows 5 and 6 with a shared map; installation 2 (B) over row 5.
    Ledger ledger;
    ledger.installations = {{1, "A"}, {2, "B"}};
    ledger.layers = {{1, {5}, A, O, "models\\m5.4ds"},
                     {1, {5, 6}, A, kNoContent, "maps\\shared.bmp"},
                     {1, {6}, A, O, "models\\m6.4ds"},
                     {2, {5}, B, A, "models\\m5.4ds"},
                     {2, {5}, B, A, "maps\\shared.bmp"}};
    Folder now{{{"models\\m5.4ds", B}, {"maps\\shared.bmp", B}, {"models\\m6.4ds", A}}};

    // Row 5 out: its model goes back to the stock file; the map, still used by row 6, goes back
    // to what installation 1 wrote.
    RestorePlan five = planRestore(ledger, {5}, now.current(), false);
    ASSERT_TRUE(five.refused.empty());
    ASSERT_EQ(five.steps.size(), 2u);
    EXPECT_EQ(five.steps[0].path, "models\\m5.4ds");
    EXPECT_EQ(five.steps[0].content, O);
    EXPECT_EQ(five.steps[1].path, "maps\\shared.bmp");
    EXPECT_EQ(five.steps[1].content, A);
    EXPECT_EQ(five.after.layers.size(), 2u);
    EXPECT_EQ(five.after.installations.size(), 1u);

    // Row 6 then: the map had no file before, so it is removed.
    Folder later{{{"models\\m5.4ds", O}, {"maps\\shared.bmp", A}, {"models\\m6.4ds", A}}};
    RestorePlan six = planRestore(five.after, {6}, later.current(), false);
    ASSERT_EQ(six.steps.size(), 2u);
    EXPECT_EQ(six.steps[0].action, RestoreStep::Action::Remove);
    EXPECT_EQ(six.steps[1].content, O);
    EXPECT_TRUE(six.after.layers.empty());
    EXPECT_TRUE(six.after.neededContents().empty());

    // Row 6 first: the shared map stays B (installation 2 is on top), the stock m6 comes back,
    // and installation 1's map layer now carries the stock state (no file) down for row 5.
    RestorePlan first = planRestore(ledger, {6}, now.current(), false);
    ASSERT_EQ(first.steps.size(), 1u);
    EXPECT_EQ(first.steps[0].path, "models\\m6.4ds");
    RestorePlan then = planRestore(first.after, {5}, now.current(), false);
    ASSERT_EQ(then.steps.size(), 2u);
    EXPECT_EQ(then.steps[0].content, O);
    EXPECT_EQ(then.steps[1].action, RestoreStep::Action::Remove);
}

TEST(Ledger, FilesChangedByHandAreRefusedUnlessForced) {
    Ledger ledger;
    ledger.installations = {{1, "A"}};
    ledger.layers = {{1, {5}, A, O, "models\\m5.4ds"}, {1, {5}, A, kNoContent, "maps\\a.bmp"}};
    Folder now{{{"models\\m5.4ds", C}, {"maps\\a.bmp", A}}};

    RestorePlan plan = planRestore(ledger, {5}, now.current(), false);
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(plan.refused[0].path, "models\\m5.4ds");
    ASSERT_EQ(plan.steps.size(), 1u);
    EXPECT_EQ(plan.steps[0].path, "maps\\a.bmp");
    // The refused file keeps its layer, so that a later forced restore still finds it.
    ASSERT_EQ(plan.after.layers.size(), 1u);
    EXPECT_EQ(plan.after.layers[0].path, "models\\m5.4ds");
    EXPECT_EQ(plan.after.neededContents(), std::set<std::string>{O});

    RestorePlan forced = planRestore(ledger, {5}, now.current(), true);
    EXPECT_TRUE(forced.refused.empty());
    EXPECT_EQ(forced.steps.size(), 2u);

    Verification check = verifyLedger(ledger, Folder{{{"models\\m5.4ds", C}}}.current());
    EXPECT_EQ(check.changed, std::vector<std::string>{"models\\m5.4ds"});
    EXPECT_EQ(check.missing, std::vector<std::string>{"maps\\a.bmp"});
}

// Random installations and restores over rows that share game files (rows 1 to 5 and 16 to
// 17 share the third model and the sounds), carried out on a real folder and compared after
// every step with a model of the semantics: per file its stock content and a stack of layers.
class LedgerModel : public ::testing::TestWithParam<unsigned> {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/obrinex-ledger-XXXXXX";
        root_ = ::mkdtemp(pattern);
        // Stock files for some of the names; the others the installations create.
        for (std::string name : {"models/fordtco00.4ds", "models/fordtco10.4ds", "models/fordTrun.4ds",
                                 "sounds/fordT_on.wav", "sounds/horn11.wav", "maps/body.bmp"}) {
            write("game/" + name, "stock " + name);
        }
        fs::create_directories(root_ + "/game/tables");
        for (int p = 0; p < 3; ++p) {
            const std::string pkg = "pkg" + std::to_string(p) + "/";
            write(pkg + "models/car.4ds", "car of package " + std::to_string(p));
            write(pkg + "models/extra.4ds", "extra of package " + std::to_string(p));
            write(pkg + "maps/body.bmp", "body of package " + std::to_string(p));
            write(pkg + "maps/own" + std::to_string(p) + ".bmp", "own map " + std::to_string(p));
            write(pkg + "sounds/horn.wav", "horn of package " + std::to_string(p));
            write(pkg + "sounds/0.wav", "idle of package " + std::to_string(p));
        }
        for (const auto& entry : fs::recursive_directory_iterator(root_ + "/game")) {
            if (entry.is_regular_file()) {
                model_[key(entry.path())].stock = read(entry.path());
            }
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    void write(const std::string& relative, const std::string& content) {
        fs::create_directories(fs::path(root_ + "/" + relative).parent_path());
        std::ofstream(root_ + "/" + relative, std::ios::binary) << content;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string key(const fs::path& path) const {
        return fs::relative(path, root_ + "/game").generic_string();
    }

    void install(int package, const std::vector<int>& rows, bool sounds) {
        InstallChoices choices;
        choices.packageDir = root_ + "/pkg" + std::to_string(package) + "/";
        choices.gameDir = root_ + "/game/";
        choices.sourceModel = "models\\car.4ds";
        choices.sourceExtraModel = "models\\extra.4ds";
        choices.maps = {"body.bmp", "own" + std::to_string(package) + ".bmp"};
        choices.cars = carRows(rows);
        choices.names = choices.cars.back().names;
        choices.installSounds = sounds;
        const InstallPlan plan = planInstallation(choices, files_);
        LedgerFolder ledger(files_, choices.gameDir);
        InstallJournal journal(ledger, "Car " + std::to_string(package));
        const RunOutcome outcome = runInstallPlan(plan, files_, &journal);
        ASSERT_TRUE(outcome.complete());

        // The model: each file the plan wrote gets a layer with the rows it serves and the
        // content of its last copy.
        std::map<std::string, std::pair<std::set<int>, std::string>> layers;
        for (const PlanStep& step : plan.steps) {
            if (step.action != PlanStep::Action::Copy) {
                continue;
            }
            std::string name = step.to.relative;
            std::replace(name.begin(), name.end(), '\\', '/');
            auto& layer = layers[name];
            layer.first.insert(step.rows.begin(), step.rows.end());
            std::string source = plan.path(step.from);
            std::replace(source.begin(), source.end(), '\\', '/');
            layer.second = read(source);
        }
        for (auto& [name, layer] : layers) {
            model_[name].stack.push_back(layer);
        }
    }

    void restore(const std::set<int>& rows) {
        LedgerFolder folder(files_, root_ + "/game/");
        std::string problem;
        auto ledger = folder.load(problem);
        ASSERT_TRUE(ledger) << problem;
        const RestorePlan plan = planRestore(
            *ledger, rows,
            [&](const std::string& path) { return files_.fingerprintFile(root_ + "/game/" + path); }, false);
        ASSERT_TRUE(plan.refused.empty());
        const RestoreOutcome outcome = carryOutRestore(folder, *ledger, plan);
        ASSERT_TRUE(outcome.failed.empty());
        ASSERT_TRUE(outcome.ledgerError.empty());
        for (auto& [name, file] : model_) {
            for (auto& layer : file.stack) {
                for (int row : rows) {
                    layer.first.erase(row);
                }
            }
            std::erase_if(file.stack, [](const auto& layer) { return layer.first.empty(); });
        }
    }

    void compare(const std::string& after) {
        for (const auto& [name, file] : model_) {
            const fs::path path = root_ + "/game/" + name;
            const std::optional<std::string> wanted =
                file.stack.empty() ? file.stock : std::optional<std::string>(file.stack.back().second);
            if (wanted) {
                ASSERT_TRUE(fs::exists(path)) << name << " after " << after;
                EXPECT_EQ(read(path), *wanted) << name << " after " << after;
            } else {
                EXPECT_FALSE(fs::exists(path)) << name << " after " << after;
            }
        }
        // The store keeps exactly what the ledger still needs, and nothing is left half-made.
        std::string problem;
        auto ledger = LedgerFolder(files_, root_ + "/game/").load(problem);
        ASSERT_TRUE(ledger);
        std::set<std::string> stored;
        for (const auto& entry : fs::directory_iterator(root_ + "/game/carchanger/obrinex/store")) {
            stored.insert(entry.path().filename().string());
        }
        EXPECT_EQ(stored, ledger->neededContents()) << after;
    }

    struct ModelFile {
        std::optional<std::string> stock;
        std::vector<std::pair<std::set<int>, std::string>> stack;
    };
    std::string root_;
    PosixFileSystem files_;
    std::map<std::string, ModelFile> model_;
};

TEST_P(LedgerModel, RandomInstallationsAndRestores) {
    std::mt19937 random(GetParam());
    const std::vector<int> universe = {1, 2, 3, 4, 5, 16, 17};
    auto pick = [&](int most) {
        std::set<int> rows;
        const int count = 1 + static_cast<int>(random() % static_cast<unsigned>(most));
        while (static_cast<int>(rows.size()) < count) {
            rows.insert(universe[random() % universe.size()]);
        }
        return rows;
    };
    for (int step = 0; step < 24; ++step) {
        const std::string what = "step " + std::to_string(step);
        if (random() % 3 != 0) {
            const auto rows = pick(3);
            install(static_cast<int>(random() % 3), std::vector<int>(rows.begin(), rows.end()),
                    random() % 2 == 0);
        } else {
            restore(pick(4));
        }
        // Files the installations created join the model with no stock content.
        for (const auto& entry : fs::recursive_directory_iterator(root_ + "/game")) {
            const std::string name = key(entry.path());
            if (entry.is_regular_file() && name.rfind("carchanger/", 0) != 0) {
                model_.try_emplace(name);
            }
        }
        compare(what);
    }
    restore(std::set<int>(universe.begin(), universe.end()));
    compare("restoring every row");
    for (const auto& [name, file] : model_) {
        EXPECT_TRUE(file.stack.empty()) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, LedgerModel, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u));

} // namespace
} // namespace obrinex
