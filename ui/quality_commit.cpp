#include "ui/quality_commit.h"

#include <algorithm>

#include "jpeg/conversion_rules.h"

namespace dhsu {

int CommittedQuality(const std::string& text) {
    const long value = ParseQualityText(text);
    if (value == 0) return kDefaultQuality;
    return static_cast<int>(std::clamp<long>(value, kMinQuality, kMaxQuality));
}

}  // namespace dhsu
