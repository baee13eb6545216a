// The game folders that the game's registry record names in every Wine prefix of a host: plain
// Wine, Proton in every Steam library, Lutris, Bottles, and the Flatpak builds of Steam and
// Bottles. Takes the home folder, WINEPREFIX and a view of the host's files as arguments; reads
// only, never starts Wine and never writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace obrinex {

// A file read through the host view, or why not.
struct HostFile {
    enum class Status { Read, Missing, TooLarge, Unreadable };
    Status status = Status::Missing;
    std::string content;
};

// What the finder reads of the host. Host paths are the host's own texts (UTF-8 on POSIX).
class HostView {
  public:
    virtual ~HostView() = default;
    // The names of the folders in `folder` (links to folders included), sorted by byte value;
    // empty when it cannot be listed.
    virtual std::vector<std::string> folderNames(const std::string& folder) = 0;
    virtual bool isFile(const std::string& path) = 0;
    virtual bool isFolder(const std::string& path) = 0;
    // The whole file, unless it is larger than `maxBytes`.
    virtual HostFile readFile(const std::string& path, std::uint64_t maxBytes) = 0;
    // The path with every link resolved, the same for every route to one folder.
    virtual std::string identity(const std::string& path) = 0;
    // The host folder, with its closing separator, that a Windows folder text (Windows-1252,
    // "C:\Games\Zarvo\") names in the prefix: its drive through the prefix's dosdevices, each
    // name matched without regard to case where the exact one is missing. Nothing when the
    // text has no drive letter or the prefix does not map it.
    virtual std::optional<std::string> folderInPrefix(const std::string& prefix,
                                                      const std::string& windowsFolder) = 0;
};

// A system.reg larger than this is no registry the game wrote into; it is skipped unread.
inline constexpr std::uint64_t kMaxSystemRegBytes = 256ull * 1024 * 1024;

struct FinderInput {
    std::optional<std::string> home;       // $HOME
    std::optional<std::string> winePrefix; // $WINEPREFIX
    std::uint64_t maxSystemRegBytes = kMaxSystemRegBytes;
};

struct FoundGame {
    std::optional<std::string> folder; // host path with its closing separator; none when unmapped
    std::string record;                // the registry's folder text, Windows-1252
    std::optional<std::string> prefix; // the prefix's host path; none outside Wine
    bool exists = false;               // whether `folder` is a folder
};

struct FinderResult {
    std::vector<FoundGame> games; // one per prefix, ordered by prefix path
    // UTF-8, one line each: prefixes and Steam library lists skipped as damaged or too large.
    std::vector<std::string> warnings;
};

// The Wine prefixes of the host (folders that hold "system.reg"), each reached by its first
// route in the order: $WINEPREFIX, ~/.wine, the Proton prefixes of every Steam library (the
// three Steam roots and the libraries their steamapps/libraryfolders.vdf lists), Lutris'
// ~/Games/*, Bottles' bottles (native and Flatpak). A prefix reached by two routes is listed
// once. Sorted by path.
std::vector<std::string> findWinePrefixes(const FinderInput& input, HostView& host,
                                          std::vector<std::string>& warnings);

// The record of every prefix that has one, with its folder resolved in that prefix.
FinderResult findGamesInWinePrefixes(const FinderInput& input, HostView& host);

} // namespace obrinex
