// The file system on a POSIX host, reached through the program's Windows-style paths: "\"
// and "/" both separate, a drive letter maps to a host folder, and a name that does not
// exist with its exact letter case is matched without regard to case, as Wine does.
#pragma once

#include "platform/fingerprint.h"
#include "platform/platform.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace obrinex {

// Test seam: writes that fail as on a protected file or a full disk, since tests run as
// root, whom permissions do not stop.
struct FaultPlan {
    std::vector<std::string> writeFails;    // host paths
    std::optional<std::uint64_t> bytesLeft; // bytes that may still be written
    void clear() { *this = FaultPlan(); }
};

class PosixFileSystem : public FileSystem {
  public:
    // Maps drive `letter` (any case) to the host folder `hostFolder` (UTF-8).
    void mapDrive(char letter, const std::string& hostFolder);
    const std::map<char, std::string>& drives() const { return drives_; }
    FaultPlan& faults() { return faults_; }

    // The host path (UTF-8) that a program path names; nothing on an unmapped drive.
    std::optional<std::string> hostPath(const std::string& path) const;

    bool fileExists(const std::string& path) override;
    bool directoryExists(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder) override;
    std::vector<std::string> listDirectories(const std::string& folder) override;
    std::vector<char> driveLetters() override;
    using FileSystem::readFile;
    // No program can keep another from reading a file here: the sharing is not enforced.
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
    bool writeRefused(const std::string& hostPath) const;
    // Writes `content` to a temporary file beside the target and renames it over the target,
    // so that a failed write never leaves a half-written target.
    std::uint32_t replaceFile(const std::string& hostTarget, const std::string& content);

    struct Temporary {
        std::string path;
        int fd = -1;
        int error = 0; // errno when it could not be created
    };
    // A new temporary file in the host folder (which ends with "/" or is "").
    Temporary createTemporary(const std::string& hostFolder);
    // Writes through the disk-full seam; the Windows error code.
    std::uint32_t writeChunk(int fd, const char* data, std::size_t size);
    // Copies the rest of `source` into `target` without holding more than a fixed buffer.
    CopyResult streamInto(int source, int target, Fingerprinter* fingerprint);
    // Flushes, closes and renames the temporary over the target when `result` is 0; removes
    // it otherwise. The final result.
    std::uint32_t commitTemporary(Temporary& temporary, std::uint32_t result, const std::string& hostTarget);
    std::uint32_t syncHostFolder(const std::string& hostFolder);

    std::map<char, std::string> drives_;
    FaultPlan faults_;
};

// The Windows error code for a POSIX errno value.
std::uint32_t windowsErrorFromErrno(int error);

} // namespace obrinex
