// The services the wizard needs from the operating system, as small interfaces. The core
// calls only these; platform/win32 and platform/posix implement them, and the script
// driver scripts the registry, the message boxes and the shell.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace obrinex {

// The existence tests of the file system: all that working out a plan needs.
class FileQueries {
  public:
    virtual ~FileQueries() = default;

    // True only for an ordinary file (a folder is not a file).
    virtual bool fileExists(const std::string& path) = 0;
    // True only for a folder (a file is not a folder).
    virtual bool directoryExists(const std::string& path) = 0;
};

// The result of one copy: 0 or the system's error code, and which side failed.
struct CopyResult {
    enum class Side { None, Source, Target };
    CopyResult() = default;
    CopyResult(std::uint32_t code, Side failed) : error(code), side(failed) {}

    std::uint32_t error = 0;
    Side side = Side::None;
    // With Fingerprint::Compute: the fingerprint of the bytes written (platform/fingerprint.h).
    std::string fingerprint;
    bool failed() const { return error != 0; }
};

enum class Fingerprint { Skip, Compute };

enum class FileSharing {
    Read,      // others may read the file meanwhile
    Exclusive, // no other program may open it meanwhile (where the system can say so)
};

// Temporary files are named "~obx<process id>-<number>.tmp" in the target's folder.
inline constexpr const char* kTemporaryPrefix = "~obx";

// Paths are 8-bit texts in the program's code page, built Windows-style by concatenation.
class FileSystem : public FileQueries {
  public:
    // The names of the ordinary, not hidden files of a folder, sorted without regard to case;
    // empty when the folder does not exist.
    virtual std::vector<std::string> listFiles(const std::string& folder) = 0;
    // Reads the whole file into `content`; the system's error code, 0 on success.
    virtual std::uint32_t readFile(const std::string& path, std::string& content, FileSharing sharing) = 0;
    std::uint32_t readFile(const std::string& path, std::string& content) {
        return readFile(path, content, FileSharing::Read);
    }
    // Something that names the folder as the file system sees it, the same for every path that
    // reaches it (another case, a drive letter, a link); nothing when it does not exist.
    virtual std::optional<std::string> folderIdentity(const std::string& path) = 0;
    // Creates one folder (the parent must exist); the Windows error code, 0 on success.
    virtual std::uint32_t createDirectory(const std::string& path) = 0;
    // The names of the sub-folders of a folder, sorted without regard to case.
    virtual std::vector<std::string> listDirectories(const std::string& folder) = 0;
    // The letters of the drives that exist, lower case, ascending.
    virtual std::vector<char> driveLetters() = 0;
    // Copies one file over an existing target. The copy streams into a temporary file in the
    // target's folder, which takes the target's place only once it is whole and on the disk,
    // so a failure or a killed process never leaves a half-written target. The folder entry
    // itself becomes durable with syncFolders.
    // With Fingerprint::Compute the data passes through the program, which fingerprints it on
    // the way; without, the system may copy it on its own.
    virtual CopyResult copyFile(const std::string& source, const std::string& target,
                                Fingerprint fingerprint) = 0;
    CopyResult copyFile(const std::string& source, const std::string& target) {
        return copyFile(source, target, Fingerprint::Skip);
    }
    // Puts a file in another's place within one folder tree, replacing it; the error code.
    virtual std::uint32_t moveFile(const std::string& source, const std::string& target) = 0;
    // Deletes one file; the error code (2 when there is none).
    virtual std::uint32_t removeFile(const std::string& path) = 0;
    // The fingerprint of a file's content; nothing when it cannot be read.
    virtual std::optional<std::string> fingerprintFile(const std::string& path) = 0;
    // Creates or replaces the file with `content`, as durably as a copy (its folder included);
    // the system's error code, 0 on success.
    virtual std::uint32_t writeFile(const std::string& path, const std::string& content) = 0;
    // Makes the entries that copies put into these folders durable; the first error code.
    virtual std::uint32_t syncFolders(const std::vector<std::string>& folders) = 0;
    // Removes the temporary files that a killed run of this program left in the folder (those
    // of processes that are still running are left alone).
    virtual void removeTemporaries(const std::string& folder) = 0;
};

enum class RegistryAccess { Read, AllAccess };

// Value types as the Windows registry numbers them.
enum RegistryType : std::uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
};

struct RegistryValueInfo {
    std::uint32_t type = RegNone;
    std::uint32_t size = 0;
};

// An open registry key; closed when destroyed.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    // Type and size of a value; nothing when the value does not exist.
    virtual std::optional<RegistryValueInfo> queryValue(const std::string& name) = 0;
    // The raw data of a value, at most `size` bytes; nothing when it cannot be read.
    virtual std::optional<std::string> readValue(const std::string& name, std::uint32_t size) = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens an existing key below HKEY_LOCAL_MACHINE in the 32-bit view; nullptr when the key
    // is missing or the access is refused.
    virtual std::unique_ptr<RegistryKey> openLocalMachineKey(const std::string& path,
                                                             RegistryAccess access) = 0;
};

enum class BoxKind {
    Error,   // the standard error box of an error that ended a handler
    Ok,      // the plain message box
    Warning, // the Yes/No warning box
    IoError, // the "I/O Error" box of the car list reader
};

enum class BoxAnswer { Ok, Yes, No };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows a modal box and returns the user's answer.
    virtual BoxAnswer show(BoxKind kind, const std::string& title, const std::string& text) = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Asks the system shell to "open" the target; the result is ignored.
    virtual void open(const std::string& target) = 0;
};

// Everything the core reaches outside itself, handed to the application at its start.
struct Platform {
    FileSystem& files;
    Registry& registry;
    MessageBoxes& boxes;
    Shell& shell;
    // The running executable's full path.
    std::string executablePath;
};

} // namespace obrinex
