// The ledger as it is kept in a game folder, under "carchanger\obrinex\": the index
// "ledger.txt" and the store "store\<fingerprint>" of the contents installations replaced,
// each kept once. Every file of it is written through the platform's atomic write. Also the
// journal that records an installation ahead of its copies, and carrying out a restore.
#pragma once

#include "install/run_plan.h"
#include "ledger/ledger.h"
#include "platform/platform.h"

#include <map>
#include <string>

namespace obrinex {

class LedgerFolder {
  public:
    // `gameDir` ends with a separator.
    LedgerFolder(FileSystem& files, std::string gameDir);

    std::string folder() const;    // game + "carchanger\obrinex\"
    std::string indexPath() const; // ... + "ledger.txt"
    std::string storePath(const std::string& content) const;

    // The ledger: an empty one when the folder has none; nothing, with `problem` set, when the
    // index cannot be read or is no ledger.
    std::optional<Ledger> load(std::string& problem);
    // Creates the ledger's folders where they are missing; an error text, "" on success.
    std::string prepare();
    // Writes the index; an error text, "" on success.
    std::string save(const Ledger& ledger);
    // Keeps the content of a game file in the store; its fingerprint, or an error text.
    struct Kept {
        std::string content;
        std::string error;
    };
    Kept keep(const std::string& gamePath);
    // Removes what the store holds that the ledger no longer needs.
    void dropUnneeded(const Ledger& ledger);

    FileSystem& files() { return files_; }
    const std::string& gameDir() const { return gameDir_; }

  private:
    FileSystem& files_;
    std::string gameDir_;
};

// Records one installation in the ledger: each game file the plan creates or replaces gets a
// layer, and its content before the installation is kept, all before the first copy.
class InstallJournal : public RunJournal {
  public:
    InstallJournal(LedgerFolder& folder, std::string car);

    std::string begin(const InstallPlan& plan) override;
    void copied(const PlanStep& step, const std::string& fingerprint) override;
    std::string end() override;

  private:
    LedgerFolder& folder_;
    std::string car_;
    Ledger ledger_;
    std::uint64_t installation_ = 0;
    std::map<std::string, std::size_t> layerOf_; // file key -> index into ledger_.layers
};

// True for a path below the game folder that the ledger keeps layers for: not the log's, not
// the player's backups.
bool ledgerKeepsLayersFor(const std::string& relative);

struct RestoreOutcome {
    std::vector<RestoreRefusal> failed; // steps that could not be done, with the reason
    std::string ledgerError;            // the ledger could not be written afterwards
};

// Carries out a restore plan: writes contents back from the store, removes files the
// installations created, then saves the ledger as the plan leaves it and empties the store of
// what it no longer needs. A step that fails keeps its file's layers.
RestoreOutcome carryOutRestore(LedgerFolder& folder, const Ledger& before, const RestorePlan& plan);

} // namespace obrinex
