#include "ledger/ledger_folder.h"

#include "app/errors.h"
#include "app/paths.h"
#include "platform/fingerprint.h"
#include "text/cp1252.h"

#include <algorithm>
#include <set>

namespace obrinex {

namespace {

std::string withReason(const std::string& what, std::uint32_t error) {
    return what + " " + systemErrorMessage(error);
}

} // namespace

bool ledgerKeepsLayersFor(const std::string& relative) {
    const std::string key = pathKey(relative);
    return key.rfind("carchanger\\", 0) != 0 && key.rfind("install_backup\\", 0) != 0;
}

LedgerFolder::LedgerFolder(FileSystem& files, std::string gameDir)
    : files_(files), gameDir_(std::move(gameDir)) {}

std::string LedgerFolder::folder() const {
    return gameDir_ + "carchanger\\obrinex\\";
}

std::string LedgerFolder::indexPath() const {
    return folder() + "ledger.txt";
}

std::string LedgerFolder::storePath(const std::string& content) const {
    return folder() + "store\\" + content;
}

std::optional<Ledger> LedgerFolder::load(std::string& problem) {
    const std::string path = indexPath();
    if (!files_.fileExists(path)) {
        return Ledger{};
    }
    std::string text;
    if (auto error = files_.readFile(path, text)) {
        problem = withReason("Cannot open file \"" + path + "\".", error);
        return std::nullopt;
    }
    std::string why;
    auto ledger = decodeLedger(text, &why);
    if (!ledger) {
        problem = "The ledger \"" + path + "\" cannot be read: " + why;
    }
    return ledger;
}

std::string LedgerFolder::prepare() {
    for (const std::string& path : {gameDir_ + "carchanger", gameDir_ + "carchanger\\obrinex",
                                    gameDir_ + "carchanger\\obrinex\\store"}) {
        if (files_.directoryExists(path)) {
            continue;
        }
        if (auto error = files_.createDirectory(path)) {
            return withReason("Cannot create folder \"" + path + "\".", error);
        }
    }
    return {};
}

std::string LedgerFolder::save(const Ledger& ledger) {
    const std::string path = indexPath();
    if (auto error = files_.writeFile(path, encodeLedger(ledger))) {
        return withReason("Cannot create file \"" + path + "\".", error);
    }
    return {};
}

LedgerFolder::Kept LedgerFolder::keep(const std::string& gamePath) {
    // The content goes to a name of its own first, since its fingerprint is known only once
    // it is copied.
    const std::string incoming = folder() + "store\\incoming";
    CopyResult copy = files_.copyFile(gamePath, incoming, Fingerprint::Compute);
    if (copy.failed()) {
        const std::string failed = copy.side == CopyResult::Side::Source ? gamePath : incoming;
        return {{}, withReason("Cannot keep \"" + gamePath + "\": \"" + failed + "\".", copy.error)};
    }
    const std::string kept = storePath(copy.fingerprint);
    std::uint32_t error =
        files_.fileExists(kept) ? files_.removeFile(incoming) : files_.moveFile(incoming, kept);
    if (error != 0) {
        return {{}, withReason("Cannot keep \"" + gamePath + "\": \"" + kept + "\".", error)};
    }
    return {copy.fingerprint, {}};
}

void LedgerFolder::dropUnneeded(const Ledger& ledger) {
    const std::set<std::string> needed = ledger.neededContents();
    for (const std::string& name : files_.listFiles(folder() + "store")) {
        if (needed.count(name) == 0) {
            files_.removeFile(folder() + "store\\" + name);
        }
    }
}

InstallJournal::InstallJournal(LedgerFolder& folder, std::string car)
    : folder_(folder), car_(std::move(car)) {}

std::string InstallJournal::begin(const InstallPlan& plan) {
    const std::string nothing = ". Nothing was installed";
    if (std::string problem = folder_.prepare(); !problem.empty()) {
        return problem + nothing;
    }
    std::string problem;
    auto ledger = folder_.load(problem);
    if (!ledger) {
        return problem + nothing;
    }
    ledger_ = std::move(*ledger);
    installation_ = ledger_.nextInstallation();
    ledger_.installations.push_back({installation_, car_});

    // One layer for each game file, with its content from before this installation.
    for (const PlanStep& step : plan.steps) {
        if (step.action != PlanStep::Action::Copy || !ledgerKeepsLayersFor(step.to.relative)) {
            continue;
        }
        const std::string key = pathKey(step.to.relative);
        auto found = layerOf_.find(key);
        if (found != layerOf_.end()) {
            auto& rows = ledger_.layers[found->second].rows;
            rows.insert(rows.end(), step.rows.begin(), step.rows.end());
            std::sort(rows.begin(), rows.end());
            rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
            continue;
        }
        LedgerLayer layer;
        layer.installation = installation_;
        layer.rows = step.rows;
        std::sort(layer.rows.begin(), layer.rows.end());
        layer.rows.erase(std::unique(layer.rows.begin(), layer.rows.end()), layer.rows.end());
        layer.wrote = kPendingContent;
        layer.replaced = kNoContent;
        layer.path = step.to.relative;
        const std::string gamePath = plan.path(step.to);
        if (folder_.files().fileExists(gamePath)) {
            LedgerFolder::Kept kept = folder_.keep(gamePath);
            if (!kept.error.empty()) {
                return kept.error + nothing;
            }
            layer.replaced = kept.content;
        }
        layerOf_[key] = ledger_.layers.size();
        ledger_.layers.push_back(std::move(layer));
    }
    if (std::string saved = folder_.save(ledger_); !saved.empty()) {
        return saved + nothing;
    }
    return {};
}

void InstallJournal::copied(const PlanStep& step, const std::string& fingerprint) {
    auto found = layerOf_.find(pathKey(step.to.relative));
    if (found != layerOf_.end()) {
        ledger_.layers[found->second].wrote = fingerprint;
    }
}

std::string InstallJournal::end() {
    // A file that no copy reached is as it was: its layer goes.
    std::vector<LedgerLayer> kept;
    for (std::size_t i = 0; i < ledger_.layers.size(); ++i) {
        const LedgerLayer& layer = ledger_.layers[i];
        if (layer.installation != installation_ || layer.wrote != kPendingContent) {
            kept.push_back(layer);
        }
    }
    ledger_.layers = std::move(kept);
    layerOf_.clear();
    const bool used =
        std::any_of(ledger_.layers.begin(), ledger_.layers.end(),
                    [&](const LedgerLayer& layer) { return layer.installation == installation_; });
    if (!used) {
        std::erase_if(ledger_.installations,
                      [&](const LedgerInstallation& i) { return i.id == installation_; });
    }
    std::string problem = folder_.save(ledger_);
    if (problem.empty()) {
        folder_.dropUnneeded(ledger_);
    }
    return problem;
}

RestoreOutcome carryOutRestore(LedgerFolder& folder, const Ledger& before, const RestorePlan& plan) {
    RestoreOutcome outcome;
    FileSystem& files = folder.files();
    std::set<std::string> failedFiles;
    for (const RestoreStep& step : plan.steps) {
        const std::string target = folder.gameDir() + step.path;
        std::uint32_t error = 0;
        if (step.action == RestoreStep::Action::Remove) {
            error = files.fileExists(target) ? files.removeFile(target) : 0;
        } else {
            CopyResult copy = files.copyFile(folder.storePath(step.content), target);
            error = copy.error;
        }
        if (error != 0) {
            outcome.failed.push_back({step.path, systemErrorMessage(error)});
            failedFiles.insert(pathKey(step.path));
        }
    }
    // A file that could not be put back keeps the layers it had.
    Ledger after = plan.after;
    if (!failedFiles.empty()) {
        std::erase_if(after.layers,
                      [&](const LedgerLayer& l) { return failedFiles.count(pathKey(l.path)) > 0; });
        for (const LedgerLayer& layer : before.layers) {
            if (failedFiles.count(pathKey(layer.path)) > 0) {
                after.layers.push_back(layer);
                const bool listed =
                    std::any_of(after.installations.begin(), after.installations.end(),
                                [&](const LedgerInstallation& i) { return i.id == layer.installation; });
                if (!listed) {
                    for (const auto& installation : before.installations) {
                        if (installation.id == layer.installation) {
                            after.installations.push_back(installation);
                        }
                    }
                }
            }
        }
    }
    outcome.ledgerError = folder.prepare();
    if (outcome.ledgerError.empty()) {
        outcome.ledgerError = folder.save(after);
    }
    if (outcome.ledgerError.empty()) {
        folder.dropUnneeded(after);
    }
    return outcome;
}

} // namespace obrinex
