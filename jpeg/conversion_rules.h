#pragma once
// The queue's quality text.

#include <cstdint>
#include <string>

namespace dhsu {

constexpr std::int32_t kDefaultJpegQuality = 75;

// Leading white space, one optional sign, then digits up to the first other character; text
// without digits gives 0. Values beyond 32 bits saturate.
std::int32_t ParseQualityText(const std::string& text);

// A quality outside 0..100 gives the default.
std::int32_t UsableQuality(std::int32_t quality);

}  // namespace dhsu
