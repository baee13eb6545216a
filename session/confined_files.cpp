#include "session/confined_files.h"

#include "package/descriptor.h"

#include <utility>

namespace obrinex {

namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kAccessDenied = 5;

// True when `path` is `folder` (with or without its closing separator) or lies below it. The
// wizard builds every path by appending to these folder texts, so the text is what counts,
// provided that what follows the folder cannot climb out of it.
bool within(const std::string& path, const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    if (path.compare(0, folder.size(), folder) == 0) {
        return isPackageRelativeName(std::string_view(path).substr(folder.size()));
    }
    return path.size() + 1 == folder.size() && folder.compare(0, path.size(), path) == 0;
}

} // namespace

ConfinedFileSystem::ConfinedFileSystem(FileSystem& files, std::string packageFolder, std::string gameFolder)
    : files_(files), package_(std::move(packageFolder)), game_(std::move(gameFolder)) {}

bool ConfinedFileSystem::readable(const std::string& path) const {
    return within(path, package_) || within(path, game_);
}

bool ConfinedFileSystem::writable(const std::string& path) const {
    return within(path, game_) && !within(path, package_);
}

bool ConfinedFileSystem::fileExists(const std::string& path) {
    return readable(path) && files_.fileExists(path);
}

bool ConfinedFileSystem::directoryExists(const std::string& path) {
    return readable(path) && files_.directoryExists(path);
}

std::vector<std::string> ConfinedFileSystem::listFiles(const std::string& folder) {
    return readable(folder) ? files_.listFiles(folder) : std::vector<std::string>();
}

std::vector<std::string> ConfinedFileSystem::listDirectories(const std::string& folder) {
    return readable(folder) ? files_.listDirectories(folder) : std::vector<std::string>();
}

std::vector<char> ConfinedFileSystem::driveLetters() {
    return files_.driveLetters();
}

std::uint32_t ConfinedFileSystem::readFile(const std::string& path, std::string& content,
                                           FileSharing sharing) {
    return readable(path) ? files_.readFile(path, content, sharing) : kFileNotFound;
}

std::optional<std::string> ConfinedFileSystem::folderIdentity(const std::string& path) {
    return readable(path) ? files_.folderIdentity(path) : std::nullopt;
}

std::uint32_t ConfinedFileSystem::createDirectory(const std::string& path) {
    return writable(path) ? files_.createDirectory(path) : kAccessDenied;
}

CopyResult ConfinedFileSystem::copyFile(const std::string& source, const std::string& target,
                                        Fingerprint fingerprint) {
    if (!readable(source)) {
        return {kFileNotFound, CopyResult::Side::Source};
    }
    if (!writable(target)) {
        return {kAccessDenied, CopyResult::Side::Target};
    }
    return files_.copyFile(source, target, fingerprint);
}

std::uint32_t ConfinedFileSystem::moveFile(const std::string& source, const std::string& target) {
    return writable(source) && writable(target) ? files_.moveFile(source, target) : kAccessDenied;
}

std::uint32_t ConfinedFileSystem::removeFile(const std::string& path) {
    return writable(path) ? files_.removeFile(path) : kAccessDenied;
}

std::optional<std::string> ConfinedFileSystem::fingerprintFile(const std::string& path) {
    return readable(path) ? files_.fingerprintFile(path) : std::nullopt;
}

std::uint32_t ConfinedFileSystem::syncFolders(const std::vector<std::string>& folders) {
    std::vector<std::string> mine;
    for (const auto& folder : folders) {
        if (writable(folder)) {
            mine.push_back(folder);
        }
    }
    return files_.syncFolders(mine);
}

void ConfinedFileSystem::removeTemporaries(const std::string& folder) {
    if (writable(folder)) {
        files_.removeTemporaries(folder);
    }
}

std::uint32_t ConfinedFileSystem::writeFile(const std::string& path, const std::string& content) {
    return writable(path) ? files_.writeFile(path, content) : kAccessDenied;
}

} // namespace obrinex
