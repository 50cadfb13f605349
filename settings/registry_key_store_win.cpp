#include "settings/registry_key_store_win.h"

#include <optional>

#include "win/files_win.h"
#include "win/text_win.h"

namespace dhsu::win {
namespace {

constexpr const wchar_t* kSettingsKeyPath = L"Software\\Tarnwick\\DH ScreenShot Utility";

// A value may change between learning its size and reading it; a few retries cover that.
constexpr int kQueryAttempts = 3;

StoredValue Absent(ValueState state) {
    StoredValue value;
    value.state = state;
    return value;
}

// One size query and one read; nullopt when the value grew in between.
std::optional<StoredValue> TryQuery(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) return Absent(ValueState::Missing);
    if (status != ERROR_SUCCESS) return Absent(ValueState::Unreadable);
    StoredValue value;
    value.data.resize(size);
    status = RegQueryValueExW(key, name.c_str(), nullptr, &type, value.data.data(), &size);
    if (status == ERROR_MORE_DATA) return std::nullopt;
    if (status == ERROR_FILE_NOT_FOUND) return Absent(ValueState::Missing);
    if (status != ERROR_SUCCESS) return Absent(ValueState::Unreadable);
    // The bytes are kept as stored: a text need not end with a zero character.
    value.data.resize(size);
    value.type = type;
    value.state = ValueState::Present;
    return value;
}

}  // namespace

RegistryKeyStore::RegistryKeyStore() {
    HKEY key = nullptr;
    const LONG status =
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) key_.Reset(key);
}

StoredValue RegistryKeyStore::QueryValue(const std::string& name) const {
    if (!key_) return Absent(ValueState::Unreadable);
    const std::wstring wideName = Wide(name);
    for (int attempt = 0; attempt < kQueryAttempts; ++attempt) {
        if (std::optional<StoredValue> value = TryQuery(key_.Get(), wideName)) return *value;
    }
    return Absent(ValueState::Unreadable);
}

bool RegistryKeyStore::SetValue(const std::string& name, std::uint32_t type,
                                std::span<const std::uint8_t> data) {
    if (!key_) return false;
    const LONG status = RegSetValueExW(key_.Get(), Wide(name).c_str(), 0, type, data.data(),
                                       static_cast<DWORD>(data.size()));
    return status == ERROR_SUCCESS;
}

Settings LoadStoredSettings() {
    RegistryKeyStore key;
    return LoadSettings(key, ProgramDirectory());
}

void SaveStoredSettings(const Settings& settings) {
    RegistryKeyStore key;
    SaveSettings(key, settings);
}

}  // namespace dhsu::win
