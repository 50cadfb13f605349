#pragma once
// The seven settings kept in the registry: read once when the main window is created, written
// once when it closes.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "jpeg/jpeg_quality.h"
#include "settings/key_store.h"
#include "shot/suffix_mode.h"

namespace dhsu {

struct Settings {
    std::string filePrefix = "DH";
    SuffixMode suffixMode = SuffixMode::kNumbered;
    std::string folder;            // with its trailing separator when it is the default
    std::int32_t shutterKey = 27;  // virtual-key code; 27 is Esc
    bool clientAreaMode = true;
    bool jpegEnabled = true;
    std::int16_t jpegQuality = kDefaultQuality;  // the up-down's position; not clamped here
};

// A value that could not be written; what() reads "Failed to set data for '<value name>'".
class SettingsWriteError : public std::runtime_error {
  public:
    explicit SettingsWriteError(const std::string& valueName);
    const std::string& ValueName() const { return valueName_; }

  private:
    std::string valueName_;
};

// Never fails: a value that is missing, empty, of the wrong type or size takes its default.
// `defaultFolder` is the program's own directory with its trailing separator.
Settings LoadSettings(KeyStore& key, const std::string& defaultFolder);

// Writes all seven values; the first that fails throws SettingsWriteError, and the values
// written before it stay written.
void SaveSettings(KeyStore& key, const Settings& settings);

}  // namespace dhsu
