#include "settings/settings.h"

#include <optional>

#include "settings/registry_values.h"

namespace dhsu {
namespace {

constexpr const char* kFilePrefixName = "FilePrefix";
constexpr const char* kFileSuffixName = "FileSuffix";
constexpr const char* kFolderName = "ScreenShot Folder";
constexpr const char* kShutterName = "Shutter";
constexpr const char* kClientRectName = "ClientRect";
constexpr const char* kJpegCompressionName = "JpegCompression";
constexpr const char* kJpegQualityName = "JPEG Quality";

// An empty text counts as missing.
std::optional<std::string> ReadText(const KeyStore& key, const char* name) {
    std::optional<std::string> text = TextFromValue(key.QueryValue(name));
    if (text && text->empty()) return std::nullopt;
    return text;
}

std::optional<std::int32_t> ReadInteger(const KeyStore& key, const char* name) {
    return IntegerFromValue(key.QueryValue(name));
}

// Prefix and suffix mode only make sense together, so both fall back when either is bad.
void LoadPrefixGroup(const KeyStore& key, Settings& settings) {
    const std::optional<std::string> prefix = ReadText(key, kFilePrefixName);
    if (!prefix) return;
    const std::optional<std::int32_t> suffixMode = ReadInteger(key, kFileSuffixName);
    if (!suffixMode) return;
    settings.filePrefix = *prefix;
    settings.suffixMode = static_cast<SuffixMode>(*suffixMode);
}

void WriteValue(KeyStore& key, const char* name, std::uint32_t type,
                std::span<const std::uint8_t> data) {
    if (!key.SetValue(name, type, data)) throw SettingsWriteError(name);
}

void WriteText(KeyStore& key, const char* name, const std::string& text) {
    WriteValue(key, name, kRegSz, TextData(text));
}

void WriteInteger(KeyStore& key, const char* name, std::int32_t value) {
    WriteValue(key, name, kRegDword, IntegerData(value));
}

}  // namespace

SettingsWriteError::SettingsWriteError(const std::string& valueName)
    : std::runtime_error("Failed to set data for '" + valueName + "'"), valueName_(valueName) {}

Settings LoadSettings(KeyStore& key, const std::string& defaultFolder) {
    const Settings defaults;
    Settings settings;
    LoadPrefixGroup(key, settings);
    settings.folder = ReadText(key, kFolderName).value_or(defaultFolder);
    settings.shutterKey = ReadInteger(key, kShutterName).value_or(defaults.shutterKey);
    settings.clientAreaMode = ReadInteger(key, kClientRectName).value_or(1) != 0;
    settings.jpegEnabled = ReadInteger(key, kJpegCompressionName).value_or(1) != 0;
    const std::int32_t quality = ReadInteger(key, kJpegQualityName).value_or(defaults.jpegQuality);
    settings.jpegQuality = static_cast<std::int16_t>(static_cast<std::uint16_t>(quality));
    return settings;
}

void SaveSettings(KeyStore& key, const Settings& settings) {
    WriteText(key, kFolderName, settings.folder);
    WriteInteger(key, kJpegQualityName, settings.jpegQuality);
    WriteInteger(key, kClientRectName, settings.clientAreaMode ? 1 : 0);
    WriteInteger(key, kJpegCompressionName, settings.jpegEnabled ? 1 : 0);
    WriteInteger(key, kShutterName, settings.shutterKey);
    WriteText(key, kFilePrefixName, settings.filePrefix);
    WriteInteger(key, kFileSuffixName, static_cast<std::int32_t>(settings.suffixMode));
}

}  // namespace dhsu
