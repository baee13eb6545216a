// The file system through the Win32 W functions. Paths are the program's Windows-1252 texts;
// copies and writes go to a temporary file beside the target that then replaces it.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace obrinex {

class Win32FileSystem : public FileSystem {
  public:
    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    // Hidden and system entries are left out, and so are names Windows-1252 cannot spell,
    // since the program could not open them again.
    std::vector<std::string> listFiles(const std::string& folder) override;
    std::vector<std::string> listDirectories(const std::string& folder) override;
    std::vector<char> driveLetters() override;
    using FileSystem::readFile;
    std::uint32_t readFile(const std::string& path, std::string& content, FileSharing sharing) override;
    std::optional<std::string> folderIdentity(const std::string& path) override;
    std::uint32_t createDirectory(const std::string& path) override;
    using FileSystem::copyFile;
    CopyResult copyFile(const std::string& source, const std::string& target,
                        Fingerprint fingerprint) override;
    std::uint32_t moveFile(const std::string& source, const std::string& target) override;
    std::uint32_t removeFile(const std::string& path) override;
    std::optional<std::string> fingerprintFile(const std::string& path) override;
    std::uint32_t writeFile(const std::string& path, const std::string& content) override;
    std::uint32_t syncFolders(const std::vector<std::string>& folders) override;
    void removeTemporaries(const std::string& folder) override;

  private:
    enum class EntryKind { File, Directory };
    std::vector<std::string> list(const std::string& folder, EntryKind kind);
};

} // namespace obrinex
