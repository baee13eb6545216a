#include "platform/posix/posix_files.h"

#include "text/cp1252.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
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

std::uint32_t PosixFileSystem::readFile(const std::string& path, std::string& content) {
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

std::uint32_t PosixFileSystem::replaceFile(const std::string& hostTarget, const std::string& content) {
    if (writeRefused(hostTarget)) {
        return kAccessDenied;
    }
    if (isDirectory(hostTarget)) {
        return kAccessDenied;
    }
    auto slash = hostTarget.rfind('/');
    std::string folder = slash == std::string::npos ? "" : hostTarget.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? hostTarget : hostTarget.substr(slash + 1);
    std::string temporary = folder + ".~" + name + "." + std::to_string(::getpid()) + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == ENOENT ? kPathNotFound : windowsErrorFromErrno(errno);
    }
    std::uint32_t result = 0;
    std::size_t written = 0;
    while (written < content.size() && result == 0) {
        std::size_t chunk = content.size() - written;
        if (faults_.bytesLeft) {
            if (*faults_.bytesLeft == 0) {
                result = kDiskFull;
                break;
            }
            chunk = std::min<std::uint64_t>(chunk, *faults_.bytesLeft);
        }
        ssize_t got = ::write(fd, content.data() + written, chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result = windowsErrorFromErrno(errno);
            break;
        }
        written += static_cast<std::size_t>(got);
        if (faults_.bytesLeft) {
            *faults_.bytesLeft -= static_cast<std::uint64_t>(got);
        }
    }
    if (::close(fd) != 0 && result == 0) {
        result = windowsErrorFromErrno(errno);
    }
    if (result == 0 && ::rename(temporary.c_str(), hostTarget.c_str()) != 0) {
        result = windowsErrorFromErrno(errno);
    }
    if (result != 0) {
        ::unlink(temporary.c_str());
    }
    return result;
}

std::uint32_t PosixFileSystem::copyFile(const std::string& source, const std::string& target) {
    auto hostTarget = hostPath(target);
    if (!hostTarget || endsWithSeparator(target) || hostTarget->empty()) {
        return kPathNotFound;
    }
    std::string content;
    if (endsWithSeparator(source)) {
        return kFileNotFound;
    }
    if (auto error = readFile(source, content)) {
        return error;
    }
    return replaceFile(*hostTarget, content);
}

std::uint32_t PosixFileSystem::writeFile(const std::string& path, const std::string& content) {
    auto host = hostPath(path);
    if (!host || endsWithSeparator(path) || host->empty()) {
        return kPathNotFound;
    }
    return replaceFile(*host, content);
}

} // namespace obrinex
