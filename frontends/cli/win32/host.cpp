// obrinex.exe on Windows: the Win32 file system, the game's record in the registry, and the
// command line and console in Unicode.
#include "app/errors.h"
#include "frontends/cli/cli.h"
#include "games/game_record.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>

namespace obrinex::cli {

namespace {

std::wstring wideFromUtf8(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string utf8FromWide(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

class Win32Host : public Host {
  public:
    FileSystem& files() override { return files_; }

    FinderResult findGames() override {
        FinderResult result;
        try {
            if (auto record = readGameFolderRecord(registry_)) {
                FoundGame game;
                game.record = *record;
                game.folder = cp1252ToUtf8(*record);
                game.exists = files_.directoryExists(*record);
                result.games.push_back(std::move(game));
            }
        } catch (const AppError& error) {
            result.warnings.push_back("the game's registry record cannot be used: " +
                                      cp1252ToUtf8(error.text()));
        }
        return result;
    }

    std::optional<std::string> programFolder(const std::string& hostPath) override {
        const std::wstring wide = wideFromUtf8(hostPath);
        const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
        if (size == 0) {
            return std::nullopt;
        }
        std::wstring full(size, L'\0');
        const DWORD written = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
        full.resize(written);
        auto text = fromWide(full);
        if (!text || text->empty()) {
            return std::nullopt;
        }
        if (text->back() != '\\' && text->back() != '/') {
            *text += '\\';
        }
        return text;
    }

  private:
    Win32FileSystem files_;
    Win32Registry registry_;
};

} // namespace

std::unique_ptr<Host> makeHost() {
    return std::make_unique<Win32Host>();
}

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        out.push_back(utf8FromWide(arguments[i]));
    }
    ::LocalFree(arguments);
    return out;
}

void prepareConsole() {
    // The code page belongs to the console, which outlives the program: it is given back at exit.
    static const UINT original = ::GetConsoleOutputCP();
    if (original != 0 && ::SetConsoleOutputCP(CP_UTF8)) {
        std::atexit([] { ::SetConsoleOutputCP(original); });
    }
}

} // namespace obrinex::cli
