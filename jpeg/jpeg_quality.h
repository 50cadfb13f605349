#pragma once
// JPEG quality: the range a user may choose, the default, and how typed or queued text reads.

#include <cstdint>
#include <string>

namespace dhsu {

constexpr int kMinQuality = 5;
constexpr int kMaxQuality = 100;
constexpr int kDefaultQuality = 75;

// Leading white space, one optional sign, then digits up to the first other character; text
// without digits gives 0. Values beyond 32 bits saturate.
std::int32_t ParseQualityText(const std::string& text);

// Typed text as the quality edit commits it: no number (or 0) gives the default, the rest is
// clamped to the range.
int CommittedQuality(const std::string& text);

// A queued quality as the worker converts at it: NviewLib takes 0 to kMaxQuality, and anything
// else gives the default.
std::int32_t UsableQuality(std::int32_t quality);

}  // namespace dhsu
