#pragma once
// Committing the JPEG quality typed into the edit box.

#include <string>

namespace dhsu {

constexpr int kMinQuality = 5;
constexpr int kMaxQuality = 100;
constexpr int kDefaultQuality = 75;

// Read like atol; no number (or 0) gives 75; the rest is clamped to 5..100.
int CommittedQuality(const std::string& text);

}  // namespace dhsu
