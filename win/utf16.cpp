#include "win/utf16.h"

#include <cstddef>

namespace dhsu {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// How many bytes a lead byte starts, and the range its second byte must fall in; the narrow
// ranges reject overlong forms, encoded surrogates and code points past U+10FFFF.
struct LeadByte {
    int length;
    unsigned char low;
    unsigned char high;
};

LeadByte Classify(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};
    if (lead == 0xED) return {3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// Decodes the code point at `pos` and moves past it; a broken sequence is consumed up to the
// first byte that does not fit and yields one replacement character.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos++]);
    const LeadByte kind = Classify(lead);
    if (kind.length == 1) return lead;
    if (kind.length == 0) return kReplacement;
    char32_t codePoint = lead & (0xFF >> (kind.length + 1));
    for (int i = 1; i < kind.length; ++i) {
        if (pos >= utf8.size()) return kReplacement;
        const auto next = static_cast<unsigned char>(utf8[pos]);
        const unsigned char low = i == 1 ? kind.low : 0x80;
        const unsigned char high = i == 1 ? kind.high : 0xBF;
        if (next < low || next > high) return kReplacement;
        codePoint = (codePoint << 6) | (next & 0x3F);
        ++pos;
    }
    return codePoint;
}

char32_t NextCodePoint(std::u16string_view utf16, std::size_t& pos) {
    const char16_t unit = utf16[pos++];
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    const bool highFollowedByLow =
        unit <= 0xDBFF && pos < utf16.size() && utf16[pos] >= 0xDC00 && utf16[pos] <= 0xDFFF;
    if (!highFollowedByLow) return kReplacement;
    return 0x10000 + ((unit - 0xD800) << 10) + (utf16[pos++] - 0xDC00);
}

void AppendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) AppendUtf16(utf16, NextCodePoint(utf8, pos));
    return utf16;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t pos = 0; pos < utf16.size();) AppendUtf8(utf8, NextCodePoint(utf16, pos));
    return utf8;
}

}  // namespace dhsu
