#include "nviewlib/current_image.h"

#include <optional>
#include <utility>

#include "nviewlib/bmp_reader.h"
#include "nviewlib/file_io.h"
#include "nviewlib/image_lock.h"
#include "nviewlib/jpeg_encoder.h"

namespace dhsu::nviewlib {
namespace {

// The program may call from a worker thread. A save holds the lock while it encodes and writes,
// so a load on another thread never takes memory still being read.
class CurrentImage {
  public:
    void Set(BgrImage image) {
        const ImageLock lock;
        image_ = std::move(image);
    }
    // Drops the current image and hands back its memory for the next one.
    ByteBuffer TakeBuffer() {
        const ImageLock lock;
        ByteBuffer buffer = std::move(image_.bytes);
        image_ = BgrImage{};
        return buffer;
    }
    // The lock is held through the write too: the encoder's buffer is the next save's.
    bool SaveAsJpeg(int quality, const char* path) {
        const ImageLock lock;
        if (image_.width == 0) return false;
        const std::optional<JpegBytes> jpeg = encoder_.Encode(image_, quality);
        return jpeg && WriteNewFile(path, jpeg->data, jpeg->size);
    }

  private:
    BgrImage image_;
    JpegEncoder encoder_;
};

// Made before any call, without the guarded first use of a local static, which would go through
// the posix thread runtime.
constinit CurrentImage current;

}  // namespace

bool LoadCurrentImage(const char* path) {
    // Reading into the previous image's memory spares the system handing out (and zeroing) a
    // new block for every shot of the same size.
    ByteBuffer file = current.TakeBuffer();
    if (path == nullptr || !ReadWholeFile(path, kMaxBmpFileSize, file)) return false;
    BgrImage image;
    if (ReadBmp(std::move(file), image) != BmpStatus::kOk) return false;
    current.Set(std::move(image));
    return true;
}

bool SaveCurrentImageAsJpeg(int quality, const char* path) {
    return path != nullptr && current.SaveAsJpeg(quality, path);
}

}  // namespace dhsu::nviewlib
