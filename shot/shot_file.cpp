#include "shot/shot_file.h"

#include <algorithm>
#include <cstdio>

namespace dhsu {
namespace {

constexpr std::string_view kTemporaryPrefix = "~dhsu-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kTagDigits = 16;

bool IsLowerHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::uint32_t WriteAll(const std::uint8_t* data, std::size_t size, const WriteCall& write,
                       std::uint32_t stalledError) {
    while (size > 0) {
        const WriteResult result = write(data, size);
        if (result.error != 0) return result.error;
        if (result.written == 0) return stalledError;
        const std::size_t taken = std::min(result.written, size);
        data += taken;
        size -= taken;
    }
    return 0;
}

std::string TemporaryShotName(std::uint64_t tag) {
    char digits[kTagDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(tag));
    return std::string(kTemporaryPrefix) + digits + std::string(kTemporarySuffix);
}

bool IsLeftoverShot(const std::string& name, std::string_view firstBytes) {
    const std::string_view view = name;
    if (view.size() != kTemporaryPrefix.size() + kTagDigits + kTemporarySuffix.size() ||
        !view.starts_with(kTemporaryPrefix) || !view.ends_with(kTemporarySuffix))
        return false;
    const std::string_view tag = view.substr(kTemporaryPrefix.size(), kTagDigits);
    if (!std::all_of(tag.begin(), tag.end(), IsLowerHex)) return false;
    return firstBytes.empty() || firstBytes.starts_with("BM");
}

}  // namespace dhsu
