#include "settings/registry_values.h"

#include <cstddef>

#include "win/utf16.h"

namespace dhsu {

std::optional<std::string> TextFromValue(const StoredValue& value) {
    if (value.state != ValueState::Present) return std::nullopt;
    if (value.type != kRegSz && value.type != kRegExpandSz) return std::nullopt;
    std::u16string units;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8));
        if (unit == 0) break;
        units.push_back(unit);
    }
    return Utf8FromUtf16(units);
}

std::optional<std::int32_t> IntegerFromValue(const StoredValue& value) {
    if (value.state != ValueState::Present || value.type != kRegDword) return std::nullopt;
    if (value.data.size() != 4) return std::nullopt;
    const auto& d = value.data;
    const std::uint32_t bits = d[0] | (d[1] << 8) | (d[2] << 16) | (std::uint32_t{d[3]} << 24);
    return static_cast<std::int32_t>(bits);
}

std::vector<std::uint8_t> TextData(const std::string& text) {
    std::u16string units = Utf16FromUtf8(text);
    units.push_back(u'\0');
    std::vector<std::uint8_t> data;
    data.reserve(units.size() * 2);
    for (const char16_t unit : units) {
        data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return data;
}

std::array<std::uint8_t, 4> IntegerData(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

}  // namespace dhsu
