#include "games/game_finder.h"

#include "app/errors.h"
#include "games/game_record.h"
#include "games/vdf.h"
#include "platform/wine_registry.h"
#include "text/cp1252.h"

#include <algorithm>
#include <memory>
#include <set>

namespace obrinex {

namespace {

// A libraryfolders.vdf of this size is a damaged file, not a list of folders.
constexpr std::uint64_t kMaxLibraryListBytes = 16 * 1024 * 1024;

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

// Collects prefixes once each, by the folder they are, whichever route reached them.
class PrefixList {
  public:
    explicit PrefixList(HostView& host) : host_(host) {}

    void offer(const std::string& folder) {
        if (!host_.isFile(join(folder, "system.reg"))) {
            return;
        }
        if (seen_.insert(host_.identity(folder)).second) {
            prefixes_.push_back(folder);
        }
    }

    // Every sub-folder of `parent` (plus `below` inside it) that is a prefix.
    void offerEach(const std::string& parent, const std::string& below = "") {
        for (const std::string& name : host_.folderNames(parent)) {
            const std::string folder = join(parent, name);
            offer(below.empty() ? folder : join(folder, below));
        }
    }

    std::vector<std::string> sorted() {
        std::sort(prefixes_.begin(), prefixes_.end());
        return prefixes_;
    }

  private:
    HostView& host_;
    std::set<std::string> seen_;
    std::vector<std::string> prefixes_;
};

std::vector<std::string> steamLibraries(const std::string& home, HostView& host,
                                        std::vector<std::string>& warnings) {
    const std::string roots[] = {join(home, ".local/share/Steam"), join(home, ".steam/steam"),
                                 join(home, ".var/app/com.valvesoftware.Steam/.local/share/Steam")};
    std::vector<std::string> libraries;
    std::set<std::string> seen;
    auto add = [&](const std::string& folder) {
        if (host.isFolder(folder) && seen.insert(host.identity(folder)).second) {
            libraries.push_back(folder);
        }
    };
    for (const std::string& root : roots) {
        add(root);
        const std::string listPath = join(root, "steamapps/libraryfolders.vdf");
        HostFile list = host.readFile(listPath, kMaxLibraryListBytes);
        if (list.status == HostFile::Status::Missing) {
            continue;
        }
        auto folders =
            list.status == HostFile::Status::Read ? steamLibraryFolders(list.content) : std::nullopt;
        if (!folders) {
            warnings.push_back("skipped " + listPath + ": not a Steam library list that can be read");
            continue;
        }
        for (const std::string& folder : *folders) {
            if (!folder.empty()) {
                add(folder);
            }
        }
    }
    return libraries;
}

std::string skipReason(HostFile::Status status, std::uint64_t limit) {
    switch (status) {
    case HostFile::Status::TooLarge:
        return "larger than " + std::to_string(limit) + " bytes";
    case HostFile::Status::Unreadable:
        return "cannot be read";
    default:
        return "not a Wine registry file";
    }
}

} // namespace

std::vector<std::string> findWinePrefixes(const FinderInput& input, HostView& host,
                                          std::vector<std::string>& warnings) {
    PrefixList prefixes(host);
    if (input.winePrefix && !input.winePrefix->empty()) {
        prefixes.offer(*input.winePrefix);
    }
    if (input.home && !input.home->empty()) {
        const std::string& home = *input.home;
        prefixes.offer(join(home, ".wine"));
        for (const std::string& library : steamLibraries(home, host, warnings)) {
            prefixes.offerEach(join(library, "steamapps/compatdata"), "pfx");
        }
        prefixes.offerEach(join(home, "Games"));
        prefixes.offerEach(join(home, ".local/share/bottles/bottles"));
        prefixes.offerEach(join(home, ".var/app/com.usebottles.bottles/data/bottles/bottles"));
    }
    return prefixes.sorted();
}

FinderResult findGamesInWinePrefixes(const FinderInput& input, HostView& host) {
    FinderResult result;
    for (const std::string& prefix : findWinePrefixes(input, host, result.warnings)) {
        const std::string registryPath = join(prefix, "system.reg");
        HostFile file = host.readFile(registryPath, input.maxSystemRegBytes);
        std::optional<WineRegistryFile> parsed;
        if (file.status == HostFile::Status::Read) {
            parsed = WineRegistryFile::parse(file.content);
        }
        if (!parsed) {
            result.warnings.push_back("skipped " + registryPath + ": " +
                                      skipReason(file.status, input.maxSystemRegBytes));
            continue;
        }
        WineFileRegistry registry(std::make_shared<const WineRegistryFile>(std::move(*parsed)));
        std::optional<std::string> record;
        try {
            record = readGameFolderRecord(registry);
        } catch (const AppError& error) {
            result.warnings.push_back("skipped the game's record in " + registryPath + ": " +
                                      cp1252ToUtf8(error.text()));
            continue;
        }
        if (!record) {
            continue;
        }
        FoundGame game;
        game.record = *record;
        game.prefix = prefix;
        game.folder = host.folderInPrefix(prefix, *record);
        game.exists = game.folder && host.isFolder(*game.folder);
        result.games.push_back(std::move(game));
    }
    return result;
}

} // namespace obrinex
