#include "platform/win32/win32_registry.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace obrinex {

namespace {

class Win32RegistryKey : public RegistryKey {
  public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;
    ~Win32RegistryKey() override { ::RegCloseKey(key_); }

    std::optional<RegistryValueInfo> queryValue(const std::string& name) override {
        auto wideName = toWidePath(name);
        if (!wideName) {
            return std::nullopt;
        }
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (::RegQueryValueExW(key_, wideName->c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return RegistryValueInfo{type, size};
    }

    // Binary data comes back byte for byte from the W function; only string types would be
    // UTF-16, and the caller refuses those.
    std::optional<std::string> readValue(const std::string& name, std::uint32_t size) override {
        auto wideName = toWidePath(name);
        if (!wideName) {
            return std::nullopt;
        }
        std::string data(size, '\0');
        DWORD type = REG_NONE;
        DWORD got = size;
        auto* buffer = reinterpret_cast<BYTE*>(data.data());
        if (::RegQueryValueExW(key_, wideName->c_str(), nullptr, &type, buffer, &got) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        data.resize(got);
        return data;
    }

  private:
    HKEY key_;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::openLocalMachineKey(const std::string& path,
                                                                RegistryAccess access) {
    auto widePath = toWidePath(path);
    if (!widePath) {
        return nullptr;
    }
    REGSAM rights = (access == RegistryAccess::AllAccess ? KEY_ALL_ACCESS : KEY_READ) | KEY_WOW64_32KEY;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, widePath->c_str(), 0, rights, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
}

} // namespace obrinex
