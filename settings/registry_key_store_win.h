#pragma once
// The settings' key in the current user's registry.

#include <cstdint>
#include <span>
#include <string>

#include "settings/key_store.h"
#include "settings/settings.h"
#include "win/handles_win.h"

namespace dhsu::win {

// HKEY_CURRENT_USER\Software\Tarnwick\DH ScreenShot Utility, created when missing and held
// open for the object's lifetime. When it cannot be opened, every read and write fails.
class RegistryKeyStore final : public KeyStore {
  public:
    RegistryKeyStore();

    StoredValue QueryValue(const std::string& name) const override;
    bool SetValue(const std::string& name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override;

  private:
    RegistryKey key_;
};

// The stored settings; the key is open only while they are read.
Settings LoadStoredSettings();

// Writes the settings; throws SettingsWriteError naming the first value that failed.
void SaveStoredSettings(const Settings& settings);

}  // namespace dhsu::win
