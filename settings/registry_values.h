#pragma once
// The byte form of the two kinds of setting: text as UTF-16LE REG_SZ, integers as REG_DWORD.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/key_store.h"

namespace dhsu {

// REG_SZ or REG_EXPAND_SZ (taken unexpanded), cut at the first zero character; a stray odd
// byte at the end is not a character and is dropped. Anything else gives nothing.
std::optional<std::string> TextFromValue(const StoredValue& value);

// REG_DWORD of exactly four bytes; longer data is refused, and so is shorter data, which
// cannot hold a whole integer.
std::optional<std::int32_t> IntegerFromValue(const StoredValue& value);

// UTF-16LE with a terminating zero character, the form every Windows reader of REG_SZ expects.
std::vector<std::uint8_t> TextData(const std::string& text);

std::array<std::uint8_t, 4> IntegerData(std::int32_t value);

}  // namespace dhsu
