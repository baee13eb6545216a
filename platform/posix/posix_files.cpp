#include "platform/posix/posix_files.h"

#include "platform/fingerprint.h"
#include "text/cp1252.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace obrinex {

namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kAlreadyExists = 183;

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && isSeparator(path.back());
}

bool statPath(const std::string& host, struct stat& info) {
    return ::stat(host.c_str(), &info) == 0;
}

bool isDirectory(const std::string& host) {
    struct stat info {};
    return statPath(host, info) && S_ISDIR(info.st_mode);
}

// Collapses repeated slashes and drops a trailing one, so that fault paths compare.
std::string normalizeHost(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '/' && !out.empty() && out.back() == '/') {
            continue;
        }
        out += c;
    }
    if (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    return out;
}

// The entry of `folder` whose name equals `name` without regard to case; the smallest such
// name when several differ only in case.
std::optional<std::string> findNoCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    auto wanted = utf8ToCp1252(name);
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
        std::string candidate = entry->d_name;
        auto converted = utf8ToCp1252(candidate);
        if (wanted && converted && equalNoCase(*converted, *wanted) && (!found || candidate < *found)) {
            found = candidate;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

std::uint32_t windowsErrorFromErrno(int error) {
    switch (error) {
    case ENOENT:
        return kFileNotFound;
    case ENOTDIR:
        return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
        return kAccessDenied;
    case EEXIST:
    case ENOTEMPTY:
        return kAlreadyExists;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    case ENAMETOOLONG:
        return 206;
    default:
        return 31; // a device that does not work
    }
}

void PosixFileSystem::mapDrive(char letter, const std::string& hostFolder) {
    drives_[static_cast<char>(std::tolower(static_cast<unsigned char>(letter)))] = hostFolder;
}

std::optional<std::string> PosixFileSystem::hostPath(const std::string& path) const {
    const std::string utf8 = cp1252ToUtf8(path);
    std::string current;
    std::string rest = utf8;
    if (utf8.size() >= 2 && std::isalpha(static_cast<unsigned char>(utf8[0])) && utf8[1] == ':') {
        auto drive = drives_.find(static_cast<char>(std::tolower(static_cast<unsigned char>(utf8[0]))));
        if (drive == drives_.end()) {
            return std::nullopt;
        }
        current = drive->second;
        while (current.size() > 1 && current.back() == '/') {
            current.pop_back();
        }
        rest = utf8.substr(2);
    } else if (!utf8.empty() && isSeparator(utf8[0])) {
        current.assign(1, '/');
    }
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        auto end = rest.find_first_of("\\/", pos);
        std::string part = rest.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (!part.empty()) {
            std::string prefix = current.empty() ? "" : (current.back() == '/' ? current : current + "/");
            std::string exact = prefix + part;
            struct stat info {};
            if (part != "." && part != ".." && !statPath(exact, info)) {
                if (auto match = findNoCase(current, part)) {
                    exact = prefix + *match;
                }
            }
            current = exact;
        }
        if (end == std::string::npos) {
            break;
        }
        pos = end + 1;
    }
    if (endsWithSeparator(utf8) && !current.empty() && current.back() != '/') {
        current += '/';
    }
    return current;
}

bool PosixFileSystem::fileExists(const std::string& path) {
    auto host = hostPath(path);
    struct stat info {};
    return host && !endsWithSeparator(path) && statPath(*host, info) && S_ISREG(info.st_mode);
}

bool PosixFileSystem::directoryExists(const std::string& path) {
    auto host = hostPath(path);
    return host && !host->empty() && isDirectory(*host);
}

std::vector<std::string> PosixFileSystem::list(const std::string& folder, EntryKind kind) {
    std::vector<std::string> names;
    auto host = hostPath(folder);
    if (!host || host->empty()) {
        return names;
    }
    DIR* dir = ::opendir(host->c_str());
    if (dir == nullptr) {
        return names;
    }
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        // Hidden files, and the folder's own entries, are not listed.
        if (name.empty() || name[0] == '.') {
            continue;
        }
        struct stat info {};
        if (!statPath(*host + "/" + name, info)) {
            continue;
        }
        bool wanted = kind == EntryKind::File ? S_ISREG(info.st_mode) : S_ISDIR(info.st_mode);
        // A name the program's code page cannot spell could not be opened again.
        auto converted = utf8ToCp1252(name);
        if (wanted && converted) {
            names.push_back(*converted);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int order = compareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

std::vector<std::string> PosixFileSystem::listFiles(const std::string& folder) {
    return list(folder, EntryKind::File);
}

std::vector<std::string> PosixFileSystem::listDirectories(const std::string& folder) {
    return list(folder, EntryKind::Directory);
}

std::vector<char> PosixFileSystem::driveLetters() {
    std::vector<char> letters;
    for (const auto& [letter, folder] : drives_) {
        letters.push_back(letter);
    }
    return letters;
}

std::optional<std::string> PosixFileSystem::folderIdentity(const std::string& path) {
    auto host = hostPath(path);
    struct stat info {};
    if (!host || host->empty() || !statPath(*host, info) || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

std::uint32_t PosixFileSystem::readFile(const std::string& path, std::string& content, FileSharing) {
    content.clear();
    auto host = hostPath(path);
    if (!host) {
        return kPathNotFound;
    }
    if (endsWithSeparator(path) || isDirectory(*host)) {
        return kAccessDenied;
    }
    FILE* file = std::fopen(host->c_str(), "rb");
    if (file == nullptr) {
        return windowsErrorFromErrno(errno);
    }
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 && info.st_size > 0) {
        content.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, got);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? 31 : 0;
}

bool PosixFileSystem::writeRefused(const std::string& host) const {
    auto target = normalizeHost(host);
    return std::any_of(faults_.writeFails.begin(), faults_.writeFails.end(),
                       [&](const std::string& fault) { return equalNoCase(normalizeHost(fault), target); });
}

std::uint32_t PosixFileSystem::createDirectory(const std::string& path) {
    auto host = hostPath(path);
    if (!host || host->empty()) {
        return kPathNotFound;
    }
    if (writeRefused(*host)) {
        return kAccessDenied;
    }
    if (::mkdir(host->c_str(), 0777) != 0) {
        // A missing parent is "path not found", as Windows reports it.
        return errno == ENOENT ? kPathNotFound : windowsErrorFromErrno(errno);
    }
    return 0;
}

namespace {

// A descriptor closed when it goes out of scope.
class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { close(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; the errno of a failed close, 0 otherwise.
    int close() {
        int error = 0;
        if (fd_ >= 0 && ::close(fd_) != 0) {
            error = errno;
        }
        fd_ = -1;
        return error;
    }

  private:
    int fd_;
};

std::uint32_t openError(int error) {
    // A missing folder on the way is "path not found", as Windows reports it.
    return error == ENOENT ? kPathNotFound : windowsErrorFromErrno(error);
}

// The folder of a host path, with its closing "/" ("" for a bare name).
std::string hostFolderOf(const std::string& host) {
    auto slash = host.rfind('/');
    return slash == std::string::npos ? std::string() : host.substr(0, slash + 1);
}

// True for a name of the program's temporary pattern, "~obx<pid>-<number>.tmp"; `pid` gets the
// process id.
bool isTemporaryName(const std::string& name, long& pid) {
    const std::string prefix = kTemporaryPrefix;
    if (name.size() < prefix.size() + 7 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0) {
        return false;
    }
    const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    auto dash = middle.find('-');
    auto digits = [](const std::string& text) {
        return !text.empty() && text.size() < 19 &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (dash == std::string::npos || !digits(middle.substr(0, dash)) || !digits(middle.substr(dash + 1))) {
        return false;
    }
    pid = std::stol(middle.substr(0, dash));
    return true;
}

bool processRunning(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

PosixFileSystem::Temporary PosixFileSystem::createTemporary(const std::string& hostFolder) {
    static unsigned counter = 0;
    for (int tries = 0;; ++tries) {
        std::string name = hostFolder + kTemporaryPrefix + std::to_string(::getpid()) + "-" +
                           std::to_string(counter++) + ".tmp";
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || tries == 100) {
            return {name, fd, fd >= 0 ? 0 : errno};
        }
    }
}

std::uint32_t PosixFileSystem::writeChunk(int fd, const char* data, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        std::size_t chunk = size - written;
        if (faults_.bytesLeft) {
            if (*faults_.bytesLeft == 0) {
                return kDiskFull;
            }
            chunk = std::min<std::uint64_t>(chunk, *faults_.bytesLeft);
        }
        ssize_t got = ::write(fd, data + written, chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return windowsErrorFromErrno(errno);
        }
        written += static_cast<std::size_t>(got);
        if (faults_.bytesLeft) {
            *faults_.bytesLeft -= static_cast<std::uint64_t>(got);
        }
    }
    return 0;
}

CopyResult PosixFileSystem::streamInto(int source, int target, Fingerprinter* fingerprint) {
    // The kernel copies without the data passing through the program; where it cannot (another
    // file system on old kernels, or the disk-full seam counting bytes), or where the data is
    // to be fingerprinted on the way, a fixed buffer does.
    if (!faults_.bytesLeft && fingerprint == nullptr) {
        bool first = true;
        for (;;) {
            ssize_t got = ::copy_file_range(source, nullptr, target, nullptr, std::size_t{1} << 30, 0);
            if (got > 0) {
                first = false;
                continue;
            }
            if (got == 0) {
                if (first) {
                    break; // an empty file, or one the kernel reports as empty: read it to be sure
                }
                return {};
            }
            if (errno == EINTR) {
                continue;
            }
            if (first && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
                          errno == EBADF)) {
                break;
            }
            return {windowsErrorFromErrno(errno), CopyResult::Side::Target};
        }
    }
    static thread_local std::vector<char> buffer(std::size_t{1} << 20);
    for (;;) {
        ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {windowsErrorFromErrno(errno), CopyResult::Side::Source};
        }
        if (got == 0) {
            return {};
        }
        if (fingerprint != nullptr) {
            fingerprint->add(buffer.data(), static_cast<std::size_t>(got));
        }
        if (auto error = writeChunk(target, buffer.data(), static_cast<std::size_t>(got))) {
            return {error, CopyResult::Side::Target};
        }
    }
}

std::uint32_t PosixFileSystem::commitTemporary(Temporary& temporary, std::uint32_t result,
                                               const std::string& hostTarget) {
    UniqueFd fd(temporary.fd);
    temporary.fd = -1;
    // The data (and the size that reads it back) must be on the disk before the rename makes
    // it the only copy; the folder entry follows with the folder's own sync.
    if (result == 0 && ::fdatasync(fd.get()) != 0) {
        result = windowsErrorFromErrno(errno);
    }
    if (int error = fd.close(); error != 0 && result == 0) {
        result = windowsErrorFromErrno(error);
    }
    if (result == 0 && ::rename(temporary.path.c_str(), hostTarget.c_str()) != 0) {
        result = windowsErrorFromErrno(errno);
    }
    if (result != 0) {
        ::unlink(temporary.path.c_str());
    }
    return result;
}

std::uint32_t PosixFileSystem::replaceFile(const std::string& hostTarget, const std::string& content) {
    if (writeRefused(hostTarget) || isDirectory(hostTarget)) {
        return kAccessDenied;
    }
    const std::string folder = hostFolderOf(hostTarget);
    Temporary temporary = createTemporary(folder);
    if (temporary.fd < 0) {
        return openError(temporary.error);
    }
    std::uint32_t result = writeChunk(temporary.fd, content.data(), content.size());
    result = commitTemporary(temporary, result, hostTarget);
    if (result == 0) {
        result = syncHostFolder(folder);
    }
    return result;
}

std::uint32_t PosixFileSystem::syncHostFolder(const std::string& hostFolder) {
    UniqueFd fd(::open(hostFolder.empty() ? "." : hostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return windowsErrorFromErrno(errno);
    }
    if (::fsync(fd.get()) != 0) {
        return windowsErrorFromErrno(errno);
    }
    return 0;
}

CopyResult PosixFileSystem::copyFile(const std::string& source, const std::string& target,
                                     Fingerprint fingerprint) {
    using Side = CopyResult::Side;
    auto hostTarget = hostPath(target);
    if (!hostTarget || endsWithSeparator(target) || hostTarget->empty()) {
        return {kPathNotFound, Side::Target};
    }
    auto hostSource = hostPath(source);
    if (!hostSource || hostSource->empty() || endsWithSeparator(source)) {
        return {kFileNotFound, Side::Source};
    }
    if (isDirectory(*hostSource)) {
        return {kAccessDenied, Side::Source};
    }
    UniqueFd in(::open(hostSource->c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) {
        return {windowsErrorFromErrno(errno), Side::Source};
    }
    if (writeRefused(*hostTarget) || isDirectory(*hostTarget)) {
        return {kAccessDenied, Side::Target};
    }
    Temporary temporary = createTemporary(hostFolderOf(*hostTarget));
    if (temporary.fd < 0) {
        return {openError(temporary.error), Side::Target};
    }
    Fingerprinter hash;
    CopyResult result =
        streamInto(in.get(), temporary.fd, fingerprint == Fingerprint::Compute ? &hash : nullptr);
    std::uint32_t committed = commitTemporary(temporary, result.error, *hostTarget);
    if (!result.failed() && committed != 0) {
        result = {committed, Side::Target};
    }
    if (!result.failed() && fingerprint == Fingerprint::Compute) {
        result.fingerprint = hash.hex();
    }
    return result;
}

std::uint32_t PosixFileSystem::moveFile(const std::string& source, const std::string& target) {
    auto hostSource = hostPath(source);
    auto hostTarget = hostPath(target);
    if (!hostSource || !hostTarget || hostSource->empty() || hostTarget->empty()) {
        return kPathNotFound;
    }
    if (writeRefused(*hostTarget) || writeRefused(*hostSource)) {
        return kAccessDenied;
    }
    if (::rename(hostSource->c_str(), hostTarget->c_str()) != 0) {
        return openError(errno);
    }
    return syncHostFolder(hostFolderOf(*hostTarget));
}

std::uint32_t PosixFileSystem::removeFile(const std::string& path) {
    auto host = hostPath(path);
    if (!host || host->empty() || endsWithSeparator(path)) {
        return kPathNotFound;
    }
    if (writeRefused(*host)) {
        return kAccessDenied;
    }
    if (isDirectory(*host)) {
        return kAccessDenied;
    }
    if (::unlink(host->c_str()) != 0) {
        return windowsErrorFromErrno(errno);
    }
    return syncHostFolder(hostFolderOf(*host));
}

std::optional<std::string> PosixFileSystem::fingerprintFile(const std::string& path) {
    auto host = hostPath(path);
    if (!host || host->empty() || endsWithSeparator(path) || isDirectory(*host)) {
        return std::nullopt;
    }
    UniqueFd in(::open(host->c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) {
        return std::nullopt;
    }
    static thread_local std::vector<char> buffer(std::size_t{1} << 20);
    Fingerprinter hash;
    for (;;) {
        ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return hash.hex();
        }
        hash.add(buffer.data(), static_cast<std::size_t>(got));
    }
}

std::uint32_t PosixFileSystem::writeFile(const std::string& path, const std::string& content) {
    auto host = hostPath(path);
    if (!host || endsWithSeparator(path) || host->empty()) {
        return kPathNotFound;
    }
    return replaceFile(*host, content);
}

std::uint32_t PosixFileSystem::syncFolders(const std::vector<std::string>& folders) {
    std::uint32_t first = 0;
    for (const auto& folder : folders) {
        auto host = hostPath(folder);
        std::uint32_t error = host ? syncHostFolder(*host) : kPathNotFound;
        if (first == 0) {
            first = error;
        }
    }
    return first;
}

void PosixFileSystem::removeTemporaries(const std::string& folder) {
    auto host = hostPath(folder);
    if (!host || host->empty()) {
        return;
    }
    DIR* dir = ::opendir(host->c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> stale;
    while (dirent* entry = ::readdir(dir)) {
        long pid = 0;
        if (isTemporaryName(entry->d_name, pid) && !processRunning(pid)) {
            stale.push_back(entry->d_name);
        }
    }
    ::closedir(dir);
    const std::string prefix = host->back() == '/' ? *host : *host + "/";
    for (const auto& name : stale) {
        ::unlink((prefix + name).c_str());
    }
}

} // namespace obrinex
