#pragma once
// The program's settings key, set up before a start and read after a close.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace e2e {

constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwick\\DH ScreenShot Utility";

void ClearSettings();
void WriteDwordSetting(const std::wstring& name, std::uint32_t value);
void WriteStringSetting(const std::wstring& name, const std::wstring& value);
std::optional<std::uint32_t> ReadDwordSetting(const std::wstring& name);
std::optional<std::wstring> ReadStringSetting(const std::wstring& name);
// The value's registry type, or REG_NONE when it is missing.
DWORD SettingType(const std::wstring& name);

}  // namespace e2e
