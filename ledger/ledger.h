// The ledger of every installation into a game folder: for each game file an installation
// created or replaced, a layer with the car rows the file serves, the content it wrote and
// the content it replaced. From it any car row can be put back as the game had it, in any
// order. This unit is the data and its rules only: the text index, taking rows out, and
// comparing with what a folder holds; the files are ledger/ledger_folder.h.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace obrinex {

// A content is a fingerprint (platform/fingerprint.h); kNoContent says there was no file.
inline constexpr const char* kNoContent = "none";
// What an installation wrote, while its copy is still to come (or was cut off).
inline constexpr const char* kPendingContent = "pending";

struct LedgerInstallation {
    std::uint64_t id = 0;
    std::string car; // the new car's name, as the log records it
};

struct LedgerLayer {
    std::uint64_t installation = 0;
    std::vector<int> rows; // ascending
    std::string wrote;     // a fingerprint, or kPendingContent
    std::string replaced;  // a fingerprint, or kNoContent
    std::string path;      // below the game folder, "\" between names, as the installation named it

    bool operator==(const LedgerLayer&) const = default;
};

struct Ledger {
    std::vector<LedgerInstallation> installations;
    std::vector<LedgerLayer> layers; // oldest first: for each file, its layers bottom to top

    // The layers of the file at `path` (compared as Windows compares names), bottom to top.
    std::vector<LedgerLayer*> layersOf(const std::string& path);
    // The distinct files, in the order their first layer appears.
    std::vector<std::string> files() const;
    // Every row some layer serves.
    std::set<int> rows() const;
    // The contents the store must keep: every layer's replaced content.
    std::set<std::string> neededContents() const;
    std::uint64_t nextInstallation() const;
};

// The index file's text, and back; nothing (with `problem` set) when the text is no ledger
// of a version this program reads.
std::string encodeLedger(const Ledger& ledger);
std::optional<Ledger> decodeLedger(std::string_view text, std::string* problem = nullptr);

// What putting rows back does to one file.
struct RestoreStep {
    enum class Action { Restore, Remove };
    Action action = Action::Restore;
    std::string path;
    std::string content; // Restore: the fingerprint to write back
};

struct RestoreRefusal {
    std::string path;
    std::string reason;
};

struct RestorePlan {
    std::vector<RestoreStep> steps;
    std::vector<RestoreRefusal> refused;
    Ledger after; // the ledger once the steps are done
};

// A file's content as it is now: its fingerprint, nothing when it is missing.
using CurrentContent = std::function<std::optional<std::string>(const std::string& path)>;

// Takes `rows` out of every layer. A layer left serving no row is dropped, and the content it
// replaced passes to the layer above it, so that the bottom layer always holds the file's
// content from before the first installation. A file whose top layer is dropped gets the
// content the remaining layers say, or is removed when it had none. A file whose content is
// not what the ledger last wrote is refused and keeps its layers, unless `force`.
RestorePlan planRestore(const Ledger& ledger, const std::set<int>& rows, const CurrentContent& current,
                        bool force);

// Files whose content is not what the ledger last wrote, and files it wrote that are gone.
struct Verification {
    std::vector<std::string> changed;
    std::vector<std::string> missing;
};
Verification verifyLedger(const Ledger& ledger, const CurrentContent& current);

} // namespace obrinex
