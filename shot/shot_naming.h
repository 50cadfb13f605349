#pragma once
// Free names for new shots: prefix + 4-digit number or prefix + time stamp.

#include <cstdint>
#include <string>

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

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
};

// The folder the next shot goes to, and whether a path is taken.
class ShotFolder {
  public:
    virtual ~ShotFolder() = default;
    virtual std::string Directory() const = 0;
    virtual bool FileExists(const std::string& path) const = 0;
};

constexpr int kTimestampSuffix = 0;
constexpr int kNumberedSuffix = 1;

class ShotNamer {
  public:
    ShotNamer(const ShotFolder& folder, Clock& clock) : folder_(folder), clock_(clock) {}

    // Returns folder + "\" + name + ".bmp" where neither that nor the ".jpg" of the name exists.
    // In numbered mode the caller's prefix gains "_" when the number rolls over past 9999.
    std::string MakeShotPath(std::string& prefix, int suffixMode);

  private:
    std::string NumberedPath(std::string& prefix);
    std::string TimestampPath(const std::string& prefix);
    bool IsTaken(const std::string& name) const;
    std::string PathOf(const std::string& name, const char* extension) const;

    const ShotFolder& folder_;
    Clock& clock_;
    // Numbering goes on across shots within one run and restarts whenever the prefix changes.
    std::string lastPrefix_;
    std::int32_t sequence_ = 0;
};

// "(yymmdd-hhnnss-cc)" from the two clock readings: milliseconds first, then date and time.
std::string TimestampSuffix(const LocalTime& millisecondsReading, const LocalTime& timeReading);

}  // namespace dhsu
