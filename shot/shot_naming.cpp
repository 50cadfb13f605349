#include "shot/shot_naming.h"

#include <cstdio>

#include "win/path_join.h"

namespace dhsu {
namespace {

std::string PathOf(const std::string& folder, const std::string& name, const char* extension) {
    return win::JoinPath(folder, name + extension);
}

}  // namespace

std::string TimestampSuffix(const LocalTime& millisecondsReading, const LocalTime& timeReading) {
    // Only the first two digits of the milliseconds are kept, so 237 ms reads "23" and 5 ms "05".
    char ms[16];
    std::snprintf(ms, sizeof ms, "%02d", millisecondsReading.millisecond);
    ms[2] = '\0';
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "(%02d%02d%02d-%02d%02d%02d-%s)", timeReading.year % 100,
                  timeReading.month, timeReading.day, timeReading.hour, timeReading.minute,
                  timeReading.second, ms);
    return stamp;
}

std::string ShotNamer::MakeShotPath(const std::string& folder, std::string& prefix,
                                    SuffixMode suffixMode) {
    const std::string name = suffixMode == SuffixMode::kTimestamp ? TimestampName(folder, prefix)
                                                                  : NumberedName(folder, prefix);
    return PathOf(folder, name, ".bmp");
}

std::string ShotNamer::NumberedName(const std::string& folder, std::string& prefix) {
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
    } while (IsTaken(folder, name));
    lastPrefix_ = prefix;
    return name;
}

std::string ShotNamer::TimestampName(const std::string& folder, const std::string& prefix) {
    std::string name;
    do {
        const LocalTime msReading = system_.Now();
        const LocalTime timeReading = system_.Now();
        name = prefix + TimestampSuffix(msReading, timeReading);
    } while (IsTaken(folder, name));
    return name;
}

bool ShotNamer::IsTaken(const std::string& folder, const std::string& name) const {
    // The ".jpg" test is skipped once the ".bmp" is known to be taken.
    return system_.IsTaken(PathOf(folder, name, ".bmp")) ||
           system_.IsTaken(PathOf(folder, name, ".jpg"));
}

}  // namespace dhsu
