// Carries out an installation plan over the file system: creates its folders, makes its copies
// through the platform's atomic copy, and collects every copy that failed instead of stopping
// at the first. Knows nothing of the window or of the log.
#pragma once

#include "install/plan.h"
#include "platform/platform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace obrinex {

// A file that could not be installed: the target when writing failed, the source when it
// was missing or unreadable, with the system's error code.
struct CopyFailure {
    std::string path;
    std::uint32_t error = 0;
    std::size_t step = 0; // index into the plan's steps
};

struct RunOutcome {
    std::vector<CopyFailure> failures;
    // A folder that could not be created ends the run there: its code (0 when none failed)
    // and the folder's full path.
    std::uint32_t folderError = 0;
    std::string failedFolder;

    bool complete() const { return failures.empty() && folderError == 0; }
};

// Called before each copy step replaces or creates its target; a non-zero code refuses the
// step, which is then reported as a failure with that code. Lets a caller record what it
// needs before a file changes.
using BeforeCopy = std::function<std::uint32_t(const PlanStep& step, std::size_t index)>;

RunOutcome runInstallPlan(const InstallPlan& plan, FileSystem& files, const BeforeCopy& beforeCopy = {});

// The text of the error box that lists failed files: one line each with the system's reason,
// at most `maxLines` of them, then how many more there were.
std::string failureListText(const std::vector<CopyFailure>& failures, std::size_t maxLines = 15);

} // namespace obrinex
