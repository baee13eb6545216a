// The game finder's view of a POSIX host: the real file system, links followed, and a Wine
// prefix's drives read from its dosdevices folder.
#pragma once

#include "games/game_finder.h"

namespace obrinex {

class PosixHostView : public HostView {
  public:
    std::vector<std::string> folderNames(const std::string& folder) override;
    bool isFile(const std::string& path) override;
    bool isFolder(const std::string& path) override;
    HostFile readFile(const std::string& path, std::uint64_t maxBytes) override;
    std::string identity(const std::string& path) override;
    std::optional<std::string> folderInPrefix(const std::string& prefix,
                                              const std::string& windowsFolder) override;
};

} // namespace obrinex
