// obrinex on Linux and other POSIX hosts: the host's files with every folder reachable as the
// drive Z:, as Wine reaches them, and the game found in the Wine prefixes of $HOME.
#include "frontends/cli/cli.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_host_view.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace obrinex::cli {

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

class PosixHost : public Host {
  public:
    PosixHost() { files_.mapDrive('z', "/"); }

    FileSystem& files() override { return files_; }

    FinderResult findGames() override {
        FinderInput input;
        input.home = environment("HOME");
        input.winePrefix = environment("WINEPREFIX");
        PosixHostView view;
        return findGamesInWinePrefixes(input, view);
    }

    std::optional<std::string> programFolder(const std::string& hostPath) override {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(hostPath, error);
        if (error) {
            return std::nullopt;
        }
        auto text = utf8ToCp1252(absolute.lexically_normal().string());
        if (!text || text->find('\\') != std::string::npos) {
            return std::nullopt;
        }
        std::replace(text->begin(), text->end(), '/', '\\');
        if (text->back() != '\\') {
            *text += '\\';
        }
        return "Z:" + *text;
    }

  private:
    PosixFileSystem files_;
};

} // namespace

std::unique_ptr<Host> makeHost() {
    return std::make_unique<PosixHost>();
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void prepareConsole() {}

} // namespace obrinex::cli
