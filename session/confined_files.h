// A file system that lets a headless run of the wizard see only the folders it was given: it
// reads below the package and the game folder, writes only below the game folder and never
// into the package. Everything else does not exist to it, and a write there is refused.
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>
#include <vector>

namespace obrinex {

class ConfinedFileSystem : public FileSystem {
  public:
    // Folder texts as the wizard joins names to them, with their closing separator; an empty
    // one is no folder.
    ConfinedFileSystem(FileSystem& files, std::string packageFolder, std::string gameFolder);

    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder) override;
    std::vector<std::string> listDirectories(const std::string& folder) override;
    std::vector<char> driveLetters() override;
    using FileSystem::copyFile;
    using FileSystem::readFile;
    std::uint32_t readFile(const std::string& path, std::string& content, FileSharing sharing) override;
    std::optional<std::string> folderIdentity(const std::string& path) override;
    std::uint32_t createDirectory(const std::string& path) override;
    CopyResult copyFile(const std::string& source, const std::string& target,
                        Fingerprint fingerprint) override;
    std::uint32_t moveFile(const std::string& source, const std::string& target) override;
    std::uint32_t removeFile(const std::string& path) override;
    std::optional<std::string> fingerprintFile(const std::string& path) override;
    std::uint32_t syncFolders(const std::vector<std::string>& folders) override;
    void removeTemporaries(const std::string& folder) override;
    std::uint32_t writeFile(const std::string& path, const std::string& content) override;

  private:
    bool readable(const std::string& path) const;
    bool writable(const std::string& path) const;

    FileSystem& files_;
    std::string package_;
    std::string game_;
};

} // namespace obrinex
