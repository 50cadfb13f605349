#include "jpeg/jpeg_quality.h"

#include <algorithm>
#include <limits>

namespace dhsu {
namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::int32_t ParseQualityText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (magnitude > kLimit) magnitude = negative ? kLimit + 1 : kLimit;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

int CommittedQuality(const std::string& text) {
    const std::int32_t value = ParseQualityText(text);
    if (value == 0) return kDefaultQuality;
    return std::clamp<std::int32_t>(value, kMinQuality, kMaxQuality);
}

std::int32_t UsableQuality(std::int32_t quality) {
    return quality < 0 || quality > kMaxQuality ? kDefaultQuality : quality;
}

}  // namespace dhsu
