#pragma once
// Free names for new shots: prefix + 4-digit number or prefix + time stamp.

#include <cstdint>
#include <string>

#include "shot/suffix_mode.h"

namespace dhsu {

struct LocalTime {
    int year = 0;  // four digits
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The system as naming meets it: the local time, and which paths are taken.
class NamingSystem {
  public:
    virtual ~NamingSystem() = default;
    virtual LocalTime Now() = 0;
    // A file or a folder of that path: either keeps a new shot from the name.
    virtual bool IsTaken(const std::string& path) const = 0;
};

class ShotNamer {
  public:
    explicit ShotNamer(NamingSystem& system) : system_(system) {}

    // Returns folder + "\" + name + ".bmp" where neither that nor the ".jpg" of the name is taken.
    // In numbered mode the caller's prefix gains "_" when the number rolls over past 9999.
    std::string MakeShotPath(const std::string& folder, std::string& prefix, SuffixMode suffixMode);

  private:
    std::string NumberedName(const std::string& folder, std::string& prefix);
    std::string TimestampName(const std::string& folder, const std::string& prefix);
    bool IsTaken(const std::string& folder, const std::string& name) const;

    NamingSystem& system_;
    // Numbering goes on across shots within one run and restarts whenever the prefix changes.
    std::string lastPrefix_;
    std::int32_t sequence_ = 0;
};

// "(yymmdd-hhnnss-cc)" from the two clock readings: milliseconds first, then date and time.
std::string TimestampSuffix(const LocalTime& millisecondsReading, const LocalTime& timeReading);

}  // namespace dhsu
