#include "shot/shot_naming.h"

#include <cstdio>

namespace dhsu {

std::string TimestampSuffix(const LocalTime& millisecondsReading, const LocalTime& timeReading) {
    // "%0.2d" gives at least two digits; only the first two are kept, so 237 ms reads "23".
    char ms[16];
    std::snprintf(ms, sizeof ms, "%02d", millisecondsReading.millisecond);
    ms[2] = '\0';
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "(%02d%02d%02d-%02d%02d%02d-%s)", timeReading.year % 100,
                  timeReading.month, timeReading.day, timeReading.hour, timeReading.minute,
                  timeReading.second, ms);
    return stamp;
}

std::string ShotNamer::MakeShotPath(std::string& prefix, int suffixMode) {
    if (suffixMode == kTimestampSuffix) return TimestampPath(prefix);
    return NumberedPath(prefix);
}

std::string ShotNamer::NumberedPath(std::string& prefix) {
    if (prefix != lastPrefix_) sequence_ = 0;
    std::string name;
    do {
        ++sequence_;
        if (sequence_ > 9999) {
            sequence_ = 1;
            prefix += '_';
        }
        char digits[16];
        std::snprintf(digits, sizeof digits, "%04d", static_cast<int>(sequence_));
        name = prefix + digits;
    } while (IsTaken(name));
    lastPrefix_ = prefix;
    return PathOf(name, ".bmp");
}

std::string ShotNamer::TimestampPath(const std::string& prefix) {
    std::string name;
    do {
        const LocalTime msReading = clock_.Now();
        const LocalTime timeReading = clock_.Now();
        name = prefix + TimestampSuffix(msReading, timeReading);
    } while (IsTaken(name));
    return PathOf(name, ".bmp");
}

bool ShotNamer::IsTaken(const std::string& name) const {
    // The ".jpg" test is skipped once the ".bmp" is known to exist.
    return folder_.FileExists(PathOf(name, ".bmp")) || folder_.FileExists(PathOf(name, ".jpg"));
}

std::string ShotNamer::PathOf(const std::string& name, const char* extension) const {
    return folder_.Directory() + "\\" + name + extension;
}

}  // namespace dhsu
