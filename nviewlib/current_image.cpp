#include "nviewlib/current_image.h"

#include <optional>
#include <utility>

#include "nviewlib/bmp_reader.h"
#include "nviewlib/file_io.h"
#include "nviewlib/image_lock.h"
#include "nviewlib/jpeg_encoder.h"

namespace dhsu::nviewlib {
namespace {

// The program may call from a worker thread. A save holds the lock while it encodes, so a load
// on another thread never takes memory still being read.
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
    std::optional<JpegData> Encode(int quality) const {
        const ImageLock lock;
        if (image_.width == 0) return std::nullopt;
        return EncodeJpeg(image_, quality);
    }

  private:
    BgrImage image_;
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
    if (path == nullptr) return false;
    const std::optional<JpegData> jpeg = current.Encode(quality);
    return jpeg && WriteNewFile(path, jpeg->bytes.get(), jpeg->size);
}

}  // namespace dhsu::nviewlib
