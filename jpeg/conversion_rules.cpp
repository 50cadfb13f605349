#include "jpeg/conversion_rules.h"

#include <limits>

namespace dhsu {
namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
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

std::int32_t UsableQuality(std::int32_t quality) {
    return quality < 0 || quality > 100 ? kDefaultJpegQuality : quality;
}

std::string JpegPathFor(const std::string& bmpPath) {
    // Characters, not bytes: a multi-byte UTF-8 character counts once.
    std::size_t cut = bmpPath.size();
    for (int dropped = 0; dropped < 3 && cut > 0; ++dropped) {
        do --cut;
        while (cut > 0 && IsUtf8Continuation(bmpPath[cut]));
    }
    return bmpPath.substr(0, cut) + "jpg";
}

}  // namespace dhsu
