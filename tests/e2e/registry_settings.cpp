#include "registry_settings.h"

#include <vector>

namespace e2e {
namespace {

class Key {
  public:
    Key() {
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
    }
    ~Key() { RegCloseKey(key_); }
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

}  // namespace

void ClearSettings() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
}

void WriteDwordSetting(const std::wstring& name, std::uint32_t value) {
    Key key;
    RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
}

void WriteStringSetting(const std::wstring& name, const std::wstring& value) {
    Key key;
    RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::uint32_t> ReadDwordSetting(const std::wstring& name) {
    Key key;
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::optional<std::wstring> ReadStringSetting(const std::wstring& name) {
    Key key;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1);
    RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                     &size);
    return std::wstring(text.data());
}

DWORD SettingType(const std::wstring& name) {
    Key key;
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

}  // namespace e2e
