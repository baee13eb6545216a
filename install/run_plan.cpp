#include "install/run_plan.h"

#include "app/errors.h"
#include "app/paths.h"
#include "text/cp1252.h"

#include <set>

namespace obrinex {

namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;

} // namespace

RunOutcome runInstallPlan(const InstallPlan& plan, FileSystem& files, RunJournal* journal) {
    RunOutcome outcome;
    std::vector<std::string> written; // folders copied into, in first-use order
    std::set<std::string> seen;
    bool begun = false;
    // A file is listed once, however many steps it failed (a missing model goes to two names).
    const auto fail = [&](const std::string& path, std::uint32_t error, std::size_t step) {
        for (const auto& failure : outcome.failures) {
            if (failure.path == path) {
                return;
            }
        }
        outcome.failures.push_back({path, error, step, {}});
    };

    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        const PlanStep& step = plan.steps[i];
        const std::string target = plan.path(step.to);
        if (step.action == PlanStep::Action::Folder) {
            if (files.directoryExists(target)) {
                continue;
            }
            if (auto error = files.createDirectory(target)) {
                outcome.folderError = error;
                outcome.failedFolder = target;
                break;
            }
            continue;
        }

        const std::string source = plan.path(step.from);
        const std::string folder = folderPart(target);
        if (!files.fileExists(source)) {
            fail(source, kFileNotFound, i);
            continue;
        }
        if (!files.directoryExists(folder)) {
            fail(target, kPathNotFound, i);
            continue;
        }
        if (seen.insert(lowerCp1252(folder)).second) {
            // What a killed run left behind goes before this run writes beside it.
            files.removeTemporaries(folder);
            written.push_back(folder);
        }
        if (journal != nullptr && !begun) {
            begun = true;
            outcome.journalError = journal->begin(plan);
            if (!outcome.journalError.empty()) {
                return outcome;
            }
        }
        CopyResult result =
            files.copyFile(source, target, journal ? Fingerprint::Compute : Fingerprint::Skip);
        if (result.failed()) {
            fail(result.side == CopyResult::Side::Source ? source : target, result.error, i);
        } else if (journal != nullptr) {
            journal->copied(step, result.fingerprint);
        }
    }
    // The renames themselves reach the disk once per folder, not once per file.
    if (auto error = files.syncFolders(written)) {
        outcome.failures.push_back(
            {written.empty() ? plan.gameDir : written.front(), error, plan.steps.size(), {}});
    }
    if (journal != nullptr && begun) {
        if (std::string problem = journal->end(); !problem.empty()) {
            outcome.failures.push_back({{}, 0, plan.steps.size(), problem});
        }
    }
    return outcome;
}

std::string failureListText(const std::vector<CopyFailure>& failures, std::size_t maxLines) {
    std::string text = failures.size() == 1
                           ? "1 file could not be installed:"
                           : std::to_string(failures.size()) + " files could not be installed:";
    const std::size_t shown = failures.size() > maxLines ? maxLines - 1 : failures.size();
    for (std::size_t i = 0; i < shown; ++i) {
        const CopyFailure& failure = failures[i];
        const std::string reason =
            failure.reason.empty() ? systemErrorMessage(failure.error) : failure.reason;
        text += "\r\n" + (failure.path.empty() ? reason : "\"" + failure.path + "\": " + reason) + ".";
    }
    if (shown < failures.size()) {
        text += "\r\n... and " + std::to_string(failures.size() - shown) + " more.";
    }
    return text;
}

} // namespace obrinex
