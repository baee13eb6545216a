// obrinex-ini-compare INI QUERIES: reads each "section|key" line of QUERIES from the INI file
// with the project's own reader and with the system's profile reader, and prints "same" or
// "differ" with both values, so that a test under Wine can hold the two readers together.
#include "i18n/ini_reader.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        }
    }
    return out;
}

} // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 3) {
        std::printf("usage: obrinex-ini-compare INI QUERIES\n");
        return 2;
    }
    const std::wstring iniPath = argv[1];
    const std::string queriesPath = obrinex::fromWideLossy(argv[2]);
    const std::string iniText = obrinex::fromWideLossy(argv[1]);
    ::LocalFree(argv);

    obrinex::Win32FileSystem files;
    std::string ini;
    std::string queries;
    if (files.readFile(iniText, ini) != 0 || files.readFile(queriesPath, queries) != 0) {
        std::printf("cannot read the files\n");
        return 2;
    }
    obrinex::IniReader reader(ini);
    std::size_t start = 0;
    int differences = 0;
    while (start < queries.size()) {
        auto end = queries.find('\n', start);
        std::string line = queries.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? queries.size() : end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        auto bar = line.find('|');
        if (bar == std::string::npos) {
            continue;
        }
        const std::string section = line.substr(0, bar);
        const std::string key = line.substr(bar + 1);
        const std::string ours = reader.readString(section, key, "");
        // The readme is read with a buffer of 2048 characters.
        wchar_t buffer[2048];
        ::GetPrivateProfileStringW(obrinex::toWide(section).c_str(), obrinex::toWide(key).c_str(), L"", buffer,
                                   2048, iniPath.c_str());
        const std::string system = obrinex::fromWideLossy(buffer);
        const bool same = ours == system;
        differences += same ? 0 : 1;
        std::printf("%s %s|%s ours=%s system=%s\n", same ? "same" : "differ", printable(section).c_str(),
                    printable(key).c_str(), printable(ours).c_str(), printable(system).c_str());
    }
    return differences == 0 ? 0 : 1;
}
