#include "platform/posix/posix_host_view.h"

#include "platform/posix/posix_files.h"
#include "platform/posix/wine_prefix.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace obrinex {

namespace fs = std::filesystem;

std::vector<std::string> PosixHostView::folderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::error_code statError;
        if (fs::is_directory(entries->path(), statError)) {
            names.push_back(entries->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool PosixHostView::isFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool PosixHostView::isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

HostFile PosixHostView::readFile(const std::string& path, std::uint64_t maxBytes) {
    HostFile file;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        return file;
    }
    const auto size = fs::file_size(path, error);
    if (error) {
        file.status = HostFile::Status::Unreadable;
        return file;
    }
    if (size > maxBytes) {
        file.status = HostFile::Status::TooLarge;
        return file;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    if (!in || in.bad()) {
        file.status = HostFile::Status::Unreadable;
        return file;
    }
    file.status = HostFile::Status::Read;
    file.content = std::move(content).str();
    return file;
}

std::string PosixHostView::identity(const std::string& path) {
    std::error_code error;
    auto canonical = fs::canonical(path, error);
    return error ? path : canonical.string();
}

std::optional<std::string> PosixHostView::folderInPrefix(const std::string& prefix,
                                                         const std::string& windowsFolder) {
    if (windowsFolder.size() < 2 || !std::isalpha(static_cast<unsigned char>(windowsFolder[0])) ||
        windowsFolder[1] != ':') {
        return std::nullopt;
    }
    PosixFileSystem files;
    for (const auto& [letter, folder] : readDosDevices(prefix)) {
        files.mapDrive(letter, folder);
    }
    auto host = files.hostPath(windowsFolder);
    if (host && !host->empty() && host->back() != '/') {
        *host += '/';
    }
    return host;
}

} // namespace obrinex
