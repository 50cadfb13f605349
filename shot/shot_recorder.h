#pragma once
// Every capture ends here: count the shot, name it, sound it, write the BMP. What happened goes
// back to the window, which queues the file for JPEG and shows the texts.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "shot/shot_naming.h"

namespace dhsu {

// A complete BMP file under a temporary name of its own, waiting for its shot's name.
class WrittenShot {
  public:
    virtual ~WrittenShot() = default;  // a file never given its name is removed
    // Gives the file the name `path`, never replacing a file; false when the name is taken.
    virtual bool MoveTo(const std::string& path) = 0;
};

// A captured picture's pixels, read once for the shot.
class ShotPixels {
  public:
    virtual ~ShotPixels() = default;
    virtual bool IsSingleColour() const = 0;
    // Writes the whole file beside `path`; throws with the reason when it cannot.
    virtual std::unique_ptr<WrittenShot> WriteBmp(const std::string& path) const = 0;
};

// A captured picture.
class ShotImage {
  public:
    virtual ~ShotImage() = default;
    // Throws with the reason when the picture cannot be read.
    virtual std::unique_ptr<ShotPixels> ReadPixels() const = 0;
};

// A flat picture warns: a player in a full-screen game hears at once that the capture saw
// nothing and can use Print Screen instead.
enum class ShotSound { kBeep, kWarning };

// The system as recording meets it: naming's, and the shot's sound.
class ShotSystem : public NamingSystem {
  public:
    virtual void Beep(ShotSound sound) = 0;
};

// The window's settings at the moment of the shot.
struct ShotSettings {
    std::string folder;  // the directory the file list shows
    std::string prefix;
    SuffixMode suffixMode = SuffixMode::kNumbered;
    bool jpegEnabled = false;
};

// What one shot did, for the window to apply.
struct RecordedShot {
    std::int32_t number = 0;     // shots counted in this run, this one included even when it failed
    std::string prefix;          // the prefix setting from now on: "_" longer after a rollover
    std::string path;            // the BMP written; empty when the shot failed
    bool queue = false;          // JPEG is on and the BMP waits to be converted
    std::exception_ptr failure;  // why no BMP was written
};

class ShotRecorder {
  public:
    explicit ShotRecorder(ShotSystem& system) : system_(system), namer_(system) {}

    // A failure comes back after the count and the beep; the prefix is kept all the same.
    RecordedShot Record(const ShotImage& image, const ShotSettings& settings);

  private:
    std::string Write(const ShotImage& image, const ShotSettings& settings, std::string& prefix);
    std::unique_ptr<ShotPixels> ReadSounding(const ShotImage& image);

    ShotSystem& system_;
    // Naming goes on across shots within one run, and so does the count.
    ShotNamer namer_;
    std::int32_t shotCount_ = 0;
};

}  // namespace dhsu
