#pragma once
// Every capture ends here: count, name, beep, write the BMP, queue it for JPEG, update texts.

#include <cstdint>
#include <memory>
#include <string>

#include "jpeg/conversion_queue.h"
#include "shot/shot_naming.h"

namespace dhsu {

// A complete BMP file under a temporary name of its own, waiting for its shot's name.
class WrittenShot {
  public:
    virtual ~WrittenShot() = default;  // a file never given its name is removed
    // Gives the file the name `path`, never replacing a file; false when the name is taken.
    virtual bool MoveTo(const std::string& path) = 0;
};

// A captured picture that can store itself as a BMP file.
class ShotImage {
  public:
    virtual ~ShotImage() = default;
    // Writes the whole file beside `path`; throws with the reason when it cannot.
    virtual std::unique_ptr<WrittenShot> WriteBmp(const std::string& path) const = 0;
};

// The main window's state and texts that recording reads and writes.
class ShotRecorderHost {
  public:
    virtual ~ShotRecorderHost() = default;
    virtual std::string& FilePrefix() = 0;  // the setting itself: naming may lengthen it
    virtual int SuffixMode() const = 0;
    virtual bool JpegEnabled() const = 0;
    virtual std::int16_t JpegQuality() const = 0;
    virtual void Beep() = 0;
    virtual void WakeWorker() = 0;
    virtual void SetCaptionAndTitle(const std::string& text) = 0;
    virtual void SetShotCountLabel(const std::string& text) = 0;
};

constexpr const char* kAppTitle = "DH Screenshot Utility";

// "Encoding...2 - DH Screenshot Utility" while files wait, else the plain title.
std::string EncodingCaption(std::size_t queuedFiles);

class ShotRecorder {
  public:
    ShotRecorder(ShotNamer& namer, ShotRecorderHost& host, ConversionQueue queue)
        : namer_(namer), host_(host), queue_(queue) {}

    // A failed write propagates after the counter and the beep; nothing is queued then.
    void RecordShot(const ShotImage* image);
    void UpdateEncodingCaption();
    std::int32_t ShotCount() const { return shotCount_; }

  private:
    std::string NextShotPath();
    void PlaceShot(WrittenShot& shot, std::string& path);

    ShotNamer& namer_;
    ShotRecorderHost& host_;
    ConversionQueue queue_;
    std::int32_t shotCount_ = 0;
};

}  // namespace dhsu
