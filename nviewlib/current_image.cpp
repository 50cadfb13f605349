#include "nviewlib/current_image.h"

#include <mutex>
#include <optional>
#include <utility>

#include "nviewlib/bmp_reader.h"
#include "nviewlib/file_io.h"
#include "nviewlib/jpeg_encoder.h"

namespace dhsu::nviewlib {
namespace {

// The program may call from a worker thread. A save holds the lock while it encodes, so a load
// on another thread never takes memory still being read.
class CurrentImage {
  public:
    void Set(BgrImage image) {
        const std::lock_guard lock(mutex_);
        image_ = std::move(image);
    }
    // Drops the current image and hands back its memory for the next one.
    std::vector<std::uint8_t> TakeBuffer() {
        const std::lock_guard lock(mutex_);
        std::vector<std::uint8_t> buffer = std::move(image_.bytes);
        image_ = BgrImage{};
        return buffer;
    }
    std::optional<JpegData> Encode(int quality) const {
        const std::lock_guard lock(mutex_);
        if (image_.width == 0) return std::nullopt;
        return EncodeJpeg(image_, quality);
    }

  private:
    mutable std::mutex mutex_;
    BgrImage image_;
};

CurrentImage& Current() {
    static CurrentImage current;
    return current;
}

}  // namespace

bool LoadCurrentImage(const char* path) {
    // Reading into the previous image's memory spares the system handing out (and zeroing) a
    // new block for every shot of the same size.
    std::vector<std::uint8_t> file = Current().TakeBuffer();
    if (path == nullptr || !ReadWholeFile(path, kMaxBmpFileSize, file)) return false;
    BgrImage image;
    if (ReadBmp(std::move(file), image) != BmpStatus::kOk) return false;
    Current().Set(std::move(image));
    return true;
}

bool SaveCurrentImageAsJpeg(int quality, const char* path) {
    if (path == nullptr) return false;
    const std::optional<JpegData> jpeg = Current().Encode(quality);
    return jpeg && WriteNewFile(path, jpeg->bytes.get(), jpeg->size);
}

}  // namespace dhsu::nviewlib
