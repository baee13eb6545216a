// obrinex-win32-probe FOLDER: drives the Win32 registry and file system services against the
// game's registry record and a scratch folder, and prints each result on a line of its own
// for tests/wine/win32-platform.sh to compare. Other than printable ASCII, bytes are printed as
// \xHH (a file name cannot hold a backslash, so this reads back unambiguously).
#include "platform/win32/win32_executable.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

using namespace obrinex;

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            out += "\\x" + hex(std::string(1, static_cast<char>(c)));
        }
    }
    return out;
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
}

void probeRegistry() {
    Win32Registry registry;
    const std::string keyPath = "Software\\Kelvarion\\Zarvo";
    auto key = registry.openLocalMachineKey(keyPath, RegistryAccess::Read);
    say(std::string("registry open ") + (key ? "1" : "0"));
    if (key) {
        auto info = key->queryValue("idir");
        if (info) {
            say("registry type " + std::to_string(info->type));
            say("registry size " + std::to_string(info->size));
            auto data = key->readValue("idir", info->size);
            say("registry data " + (data ? hex(*data) : std::string("none")));
            if (info->size > 1) {
                auto part = key->readValue("idir", info->size - 1);
                say("registry short-read " + (part ? hex(*part) : std::string("none")));
            }
        } else {
            say("registry value none");
        }
        say(std::string("registry missing-value ") + (key->queryValue("nothing") ? "found" : "none"));
    }
    say(std::string("registry all-access ") +
        (registry.openLocalMachineKey(keyPath, RegistryAccess::AllAccess) ? "1" : "0"));
    say(std::string("registry missing-key ") +
        (registry.openLocalMachineKey("Software\\Kelvarion\\Nothing", RegistryAccess::Read) ? "found"
                                                                                            : "none"));
}

void sayList(const std::string& label, const std::vector<std::string>& names) {
    say(label + " " + std::to_string(names.size()));
    for (const auto& name : names) {
        say(label + " " + printable(name));
    }
}

void probeFiles(const std::string& folder) {
    Win32FileSystem files;
    auto yesNo = [](bool value) { return std::string(value ? "1" : "0"); };
    auto code = [](std::uint32_t value) { return std::to_string(value); };
    auto readLine = [&](const std::string& name) {
        std::string content;
        auto error = files.readFile(folder + name, content);
        say("read " + printable(name) + " " + code(error) + " " +
            (content.empty() ? "(empty)" : hex(content)));
    };

    say("folder is-file " + yesNo(files.fileExists(folder)) + " is-folder " +
        yesNo(files.directoryExists(folder)));

    say("mkdir sub " + code(files.createDirectory(folder + "sub")));
    say("mkdir sub-again " + code(files.createDirectory(folder + "sub")));
    say("mkdir missing-parent " + code(files.createDirectory(folder + "missing\\sub")));
    say("sub is-file " + yesNo(files.fileExists(folder + "sub")) + " is-folder " +
        yesNo(files.directoryExists(folder + "sub")));

    say("write w.bin " + code(files.writeFile(folder + "w.bin", std::string("one\0\r\n\xff", 7))));
    say("w.bin is-file " + yesNo(files.fileExists(folder + "w.bin")) + " is-folder " +
        yesNo(files.directoryExists(folder + "w.bin")) + " with-slash " +
        yesNo(files.fileExists(folder + "w.bin\\")));
    readLine("w.bin");

    say("copy new " + code(files.copyFile(folder + "w.bin", folder + "sub\\c.bin").error));
    readLine("sub\\c.bin");
    say("write w.bin " + code(files.writeFile(folder + "w.bin", "second")));
    say("copy over " + code(files.copyFile(folder + "w.bin", folder + "sub\\c.bin").error));
    readLine("sub\\c.bin");
    say("write empty " + code(files.writeFile(folder + "sub\\e.bin", "")));
    readLine("sub\\e.bin");
    say("write missing-folder " + code(files.writeFile(folder + "missing\\x.bin", "x")));
    say("copy missing-source " + code(files.copyFile(folder + "nothing.bin", folder + "sub\\d.bin").error));
    say("copy missing-folder " + code(files.copyFile(folder + "w.bin", folder + "missing\\d.bin").error));
    say("copy onto-folder " + code(files.copyFile(folder + "w.bin", folder + "sub").error));
    say("write onto-folder " + code(files.writeFile(folder + "sub", "x")));
    say("sub is-folder " + yesNo(files.directoryExists(folder + "sub")));
    std::string content;
    say("read folder " + code(files.readFile(folder + "sub", content)));
    say("read missing " + code(files.readFile(folder + "nothing.bin", content)));
    say("read nul-path " + code(files.readFile(folder + std::string("w.bin\0x", 7), content)));

    // Copying a file onto itself must not lose its content.
    say("copy self " + code(files.copyFile(folder + "w.bin", folder + "w.bin").error));
    readLine("w.bin");

    // A file the probe hides itself, for a volume that keeps the attribute.
    files.writeFile(folder + "hidden.bin", "h");
    auto hiddenPath = toWide(folder + "hidden.bin");
    bool hidden = ::SetFileAttributesW(hiddenPath.c_str(), FILE_ATTRIBUTE_HIDDEN) &&
                  (::GetFileAttributesW(hiddenPath.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0;
    say("hidden.bin hidden " + yesNo(hidden) + " is-file " + yesNo(files.fileExists(folder + "hidden.bin")));

    sayList("files", files.listFiles(folder));
    auto withoutSlash = folder.substr(0, folder.size() - 1);
    say("list without-slash same " + yesNo(files.listFiles(withoutSlash) == files.listFiles(folder)));
    sayList("folders", files.listDirectories(folder));
    sayList("sub-files", files.listFiles(folder + "sub\\"));
    sayList("missing-files", files.listFiles(folder + "missing\\"));
}

} // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) {
        std::fprintf(stderr, "usage: obrinex-win32-probe FOLDER\\\n");
        return 2;
    }
    auto folder = obrinex::fromWide(argv[1]);
    ::LocalFree(argv);
    if (!folder || folder->empty()) {
        std::fprintf(stderr, "obrinex-win32-probe: the folder must be a Windows-1252 path\n");
        return 2;
    }
    if (folder->back() != '\\') {
        *folder += '\\';
    }
    auto executable = obrinex::win32ExecutablePath();
    say("executable " + printable(executable.substr(executable.find_last_of('\\') + 1)));
    probeRegistry();
    probeFiles(*folder);
    std::fflush(stdout);
    return 0;
}
