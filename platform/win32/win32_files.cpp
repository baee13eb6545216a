#include "platform/win32/win32_files.h"

#include "platform/fingerprint.h"
#include "platform/win32/win32_text.h"
#include "text/cp1252.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace obrinex {

namespace {

// A handle closed when it goes out of scope.
class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { close(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Closes now, so that the file can be renamed; false when closing failed.
    bool close() {
        bool closed = true;
        if (valid()) {
            closed = ::CloseHandle(handle_) != 0;
        }
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::FindClose(handle_);
        }
    }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

std::uint32_t lastError() {
    DWORD error = ::GetLastError();
    // A failure that did not set a code still must not read as success.
    return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : static_cast<std::uint32_t>(error);
}

// The folder part of a path with its closing separator ("C:\a\" of "C:\a\b"), "C:" of "C:b",
// or nothing for a bare name, which lives in the current folder.
std::wstring folderOf(const std::wstring& path) {
    auto slash = std::find_if(path.rbegin(), path.rend(), isSeparator);
    if (slash != path.rend()) {
        return path.substr(0, static_cast<std::size_t>(path.rend() - slash));
    }
    if (path.size() >= 2 && path[1] == L':') {
        return path.substr(0, 2);
    }
    return {};
}

// A short name, so that a target near the path length limit still has room for it.
std::wstring temporaryName(const std::wstring& folder, unsigned attempt) {
    return folder + L"~obx" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) +
           L".tmp";
}

void removeTemporary(const std::wstring& path) {
    // A copy keeps the source's attributes, and a read-only file refuses deletion.
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
}

// Puts a finished temporary file in the target's place, replacing an existing file in one step.
std::uint32_t moveIntoPlace(const std::wstring& temporary, const std::wstring& target) {
    if (!::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        auto error = lastError();
        removeTemporary(temporary);
        return error;
    }
    return 0;
}

// Tries fresh temporary names in `folder` until `create` stops failing because the name is
// taken; returns the name used and the result of the last attempt.
template <typename Create>
std::pair<std::wstring, std::uint32_t> createTemporary(const std::wstring& folder, Create create) {
    static unsigned counter = 0;
    for (int tries = 0;; ++tries) {
        std::wstring name = temporaryName(folder, counter++);
        std::uint32_t error = create(name);
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || tries == 100) {
            return {name, error};
        }
    }
}

std::uint32_t writeAll(HANDLE file, std::string_view content) {
    std::size_t written = 0;
    while (written < content.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 20));
        DWORD done = 0;
        if (!::WriteFile(file, content.data() + written, chunk, &done, nullptr)) {
            return lastError();
        }
        if (done == 0) {
            return ERROR_WRITE_FAULT;
        }
        written += done;
    }
    return 0;
}

} // namespace

bool Win32FileSystem::fileExists(const std::string& path) {
    auto wide = toWidePath(path);
    if (!wide || endsWithSeparator(path)) {
        return false;
    }
    DWORD attributes = ::GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::directoryExists(const std::string& path) {
    auto wide = toWidePath(path);
    if (!wide || wide->empty()) {
        return false;
    }
    DWORD attributes = ::GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32FileSystem::list(const std::string& folder, EntryKind kind) {
    std::vector<std::string> names;
    auto wide = toWidePath(folder);
    if (!wide || wide->empty()) {
        return names;
    }
    std::wstring pattern = *wide;
    if (!isSeparator(pattern.back()) && !(pattern.size() == 2 && pattern[1] == L':')) {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW entry;
    FindHandle find(
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (find.get() == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        std::wstring name = entry.cFileName;
        DWORD attributes = entry.dwFileAttributes;
        bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name == L"." || name == L".." ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0 ||
            isFolder != (kind == EntryKind::Directory)) {
            continue;
        }
        if (auto converted = fromWide(name)) {
            names.push_back(std::move(*converted));
        }
    } while (::FindNextFileW(find.get(), &entry));
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int order = compareNoCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

std::vector<std::string> Win32FileSystem::listFiles(const std::string& folder) {
    return list(folder, EntryKind::File);
}

std::vector<std::string> Win32FileSystem::listDirectories(const std::string& folder) {
    return list(folder, EntryKind::Directory);
}

std::vector<char> Win32FileSystem::driveLetters() {
    std::vector<char> letters;
    DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (mask & (1u << i)) {
            letters.push_back(static_cast<char>('a' + i));
        }
    }
    return letters;
}

std::optional<std::string> Win32FileSystem::folderIdentity(const std::string& path) {
    auto wide = toWidePath(path);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    // A folder opens only with backup semantics; opening it for no access at all disturbs
    // nobody.
    UniqueHandle folder(::CreateFileW(wide->c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!folder.valid() || !::GetFileInformationByHandle(folder.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return std::nullopt;
    }
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
           std::to_string(info.nFileIndexLow);
}

std::uint32_t Win32FileSystem::readFile(const std::string& path, std::string& content, FileSharing sharing) {
    content.clear();
    auto wide = toWidePath(path);
    if (!wide) {
        return ERROR_INVALID_NAME;
    }
    const DWORD share = sharing == FileSharing::Exclusive ? 0 : FILE_SHARE_READ;
    UniqueHandle file(::CreateFileW(wide->c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        return lastError();
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
        content.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    // Read to the end rather than to the size found, which another writer may have changed.
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            auto error = lastError();
            content.clear();
            return error;
        }
        if (got == 0) {
            return 0;
        }
        content.append(buffer, got);
    }
}

std::uint32_t Win32FileSystem::createDirectory(const std::string& path) {
    auto wide = toWidePath(path);
    if (!wide) {
        return ERROR_INVALID_NAME;
    }
    return ::CreateDirectoryW(wide->c_str(), nullptr) ? 0 : lastError();
}

namespace {

// Streams `source` into the new temporary file `target`, fingerprinting the data on the way.
CopyResult streamWithFingerprint(HANDLE source, HANDLE target, Fingerprinter& fingerprint) {
    static std::vector<char> buffer(std::size_t{1} << 20);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return {lastError(), CopyResult::Side::Source};
        }
        if (got == 0) {
            return {};
        }
        fingerprint.add(buffer.data(), got);
        if (auto error = writeAll(target, std::string_view(buffer.data(), got))) {
            return {error, CopyResult::Side::Target};
        }
    }
}

} // namespace

CopyResult Win32FileSystem::copyFile(const std::string& source, const std::string& target,
                                     Fingerprint fingerprint) {
    using Side = CopyResult::Side;
    auto wideSource = toWidePath(source);
    auto wideTarget = toWidePath(target);
    if (!wideTarget || wideTarget->empty()) {
        return {ERROR_INVALID_NAME, Side::Target};
    }
    if (!wideSource || wideSource->empty()) {
        return {ERROR_INVALID_NAME, Side::Source};
    }
    // Opening the source first tells a missing or locked package file from a target that
    // cannot be written.
    UniqueHandle in(::CreateFileW(wideSource->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.valid()) {
        return {lastError(), Side::Source};
    }
    Fingerprinter hash;
    std::uint32_t error = 0;
    std::wstring temporary;
    if (fingerprint == Fingerprint::Compute) {
        // The data passes through the program to be fingerprinted on the way.
        HANDLE created = INVALID_HANDLE_VALUE;
        std::tie(temporary, error) = createTemporary(folderOf(*wideTarget), [&](const std::wstring& name) {
            created = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
            return created != INVALID_HANDLE_VALUE ? 0u : lastError();
        });
        if (error != 0) {
            return {error, Side::Target};
        }
        UniqueHandle out(created);
        CopyResult streamed = streamWithFingerprint(in.get(), out.get(), hash);
        if (!streamed.failed() && !::FlushFileBuffers(out.get())) {
            streamed = {lastError(), Side::Target};
        }
        out.close();
        if (streamed.failed()) {
            removeTemporary(temporary);
            return streamed;
        }
    } else {
        in.close();
        // CopyFileW writes its target piece by piece; copying to a fresh name first means a
        // failure part-way leaves the old target as it was.
        std::tie(temporary, error) = createTemporary(folderOf(*wideTarget), [&](const std::wstring& name) {
            return ::CopyFileW(wideSource->c_str(), name.c_str(), TRUE) ? 0u : lastError();
        });
        if (error != 0) {
            // A copy that failed part-way may leave the temporary file behind; one refused because
            // the name was taken has left someone else's file alone.
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                removeTemporary(temporary);
            }
            return {error, Side::Target};
        }
        // The data must be on the disk before the move makes it the only copy.
        UniqueHandle copied(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!copied.valid() || !::FlushFileBuffers(copied.get())) {
            error = lastError();
            copied.close();
            removeTemporary(temporary);
            return {error, Side::Target};
        }
    }
    if (auto moved = moveIntoPlace(temporary, *wideTarget)) {
        return {moved, Side::Target};
    }
    CopyResult done;
    if (fingerprint == Fingerprint::Compute) {
        done.fingerprint = hash.hex();
    }
    return done;
}

std::uint32_t Win32FileSystem::moveFile(const std::string& source, const std::string& target) {
    auto wideSource = toWidePath(source);
    auto wideTarget = toWidePath(target);
    if (!wideSource || !wideTarget || wideSource->empty() || wideTarget->empty()) {
        return ERROR_INVALID_NAME;
    }
    if (!::MoveFileExW(wideSource->c_str(), wideTarget->c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return lastError();
    }
    return 0;
}

std::uint32_t Win32FileSystem::removeFile(const std::string& path) {
    auto wide = toWidePath(path);
    if (!wide || wide->empty()) {
        return ERROR_INVALID_NAME;
    }
    return ::DeleteFileW(wide->c_str()) ? 0u : lastError();
}

std::optional<std::string> Win32FileSystem::fingerprintFile(const std::string& path) {
    auto wide = toWidePath(path);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    UniqueHandle in(::CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.valid()) {
        return std::nullopt;
    }
    static std::vector<char> buffer(std::size_t{1} << 20);
    Fingerprinter hash;
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            return hash.hex();
        }
        hash.add(buffer.data(), got);
    }
}

std::uint32_t Win32FileSystem::syncFolders(const std::vector<std::string>&) {
    // Every move was made with write-through, which already put the folder entry on the disk.
    return 0;
}

void Win32FileSystem::removeTemporaries(const std::string& folder) {
    auto wide = toWidePath(folder);
    if (!wide || wide->empty()) {
        return;
    }
    std::wstring base = *wide;
    if (!isSeparator(base.back())) {
        base += L'\\';
    }
    WIN32_FIND_DATAW found{};
    std::vector<std::wstring> stale;
    {
        FindHandle find(::FindFirstFileW((base + L"~obx*.tmp").c_str(), &found));
        if (find.get() == INVALID_HANDLE_VALUE) {
            return;
        }
        do {
            std::wstring name = found.cFileName;
            // "~obx<pid>-<number>.tmp"; a file of a process that still runs is in use.
            auto dash = name.find(L'-');
            if (dash == std::wstring::npos || dash <= 4 || name.size() < 9) {
                continue;
            }
            std::wstring pid = name.substr(4, dash - 4);
            if (!std::all_of(pid.begin(), pid.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }) ||
                pid.size() > 10) {
                continue;
            }
            DWORD id = static_cast<DWORD>(std::stoul(pid));
            HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, id);
            bool running = false;
            if (process != nullptr) {
                running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
                ::CloseHandle(process);
            }
            if (!running && id != ::GetCurrentProcessId()) {
                stale.push_back(base + name);
            }
        } while (::FindNextFileW(find.get(), &found));
    }
    for (const auto& path : stale) {
        removeTemporary(path);
    }
}

std::uint32_t Win32FileSystem::writeFile(const std::string& path, const std::string& content) {
    auto wide = toWidePath(path);
    if (!wide || wide->empty()) {
        return ERROR_INVALID_NAME;
    }
    HANDLE created = INVALID_HANDLE_VALUE;
    auto [temporary, error] = createTemporary(folderOf(*wide), [&](const std::wstring& name) {
        created = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
        return created != INVALID_HANDLE_VALUE ? 0u : lastError();
    });
    if (error != 0) {
        return error;
    }
    UniqueHandle file(created);
    error = writeAll(file.get(), content);
    // The data must be on the disk before the rename makes it the only copy.
    if (error == 0 && !::FlushFileBuffers(file.get())) {
        error = lastError();
    }
    if (!file.close() && error == 0) {
        error = lastError();
    }
    if (error != 0) {
        removeTemporary(temporary);
        return error;
    }
    return moveIntoPlace(temporary, *wide);
}

} // namespace obrinex
