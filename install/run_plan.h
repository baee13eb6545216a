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
    std::string reason;   // when not empty, said instead of the system's text for `error`;
                          // a failure without a path is the journal's, its reason says it all
};

struct RunOutcome {
    std::vector<CopyFailure> failures;
    // A folder that could not be created ends the run there: its code (0 when none failed)
    // and the folder's full path.
    std::uint32_t folderError = 0;
    std::string failedFolder;
    // The journal could not record the run ahead: nothing was copied.
    std::string journalError;

    bool complete() const { return failures.empty() && folderError == 0 && journalError.empty(); }
};

// Records a run as it goes, so that what it changes can be undone: told before the first copy,
// after each copy that succeeded, and at the end.
class RunJournal {
  public:
    virtual ~RunJournal() = default;
    // Before the first copy, with the folders of the plan made; an error text ends the run
    // there, before any file is touched.
    virtual std::string begin(const InstallPlan& plan) = 0;
    // A copy succeeded; `fingerprint` is the content it wrote.
    virtual void copied(const PlanStep& step, const std::string& fingerprint) = 0;
    // After the last step; an error text when the journal could not record the end.
    virtual std::string end() = 0;
};

// With a journal, copies fingerprint what they write.
RunOutcome runInstallPlan(const InstallPlan& plan, FileSystem& files, RunJournal* journal = nullptr);

// The text of the error box that lists failed files: one line each with the system's reason,
// at most `maxLines` of them, then how many more there were.
std::string failureListText(const std::vector<CopyFailure>& failures, std::size_t maxLines = 15);

} // namespace obrinex
