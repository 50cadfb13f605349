#pragma once
// One open registry key as the settings see it: raw typed values by name.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dhsu {

// Registry value types the settings deal in; a read may report any other type number too.
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegDword = 4;

enum class ValueState { Present, Missing, Unreadable };

struct StoredValue {
    ValueState state = ValueState::Missing;
    std::uint32_t type = 0;          // meaningful only when Present
    std::vector<std::uint8_t> data;  // the value's bytes exactly as stored
};

// A key that could not be opened reads every value as Unreadable and refuses every write.
class KeyStore {
  public:
    virtual ~KeyStore() = default;
    virtual StoredValue QueryValue(const std::string& name) const = 0;
    // False when the value was not written.
    virtual bool SetValue(const std::string& name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;
};

}  // namespace dhsu
