#include "nviewlib/jpeg_encoder.h"

#include <turbojpeg.h>

namespace dhsu::nviewlib {
namespace {

struct CompressorDestroy {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Compressor = std::unique_ptr<void, CompressorDestroy>;

}  // namespace

void TurboJpegFree::operator()(unsigned char* buffer) const {
    tjFree(buffer);
}

std::optional<JpegData> EncodeJpeg(const BgrImage& image, int quality) {
    if (quality < kMinJpegQuality || quality > kMaxJpegQuality) return std::nullopt;
    if (image.width <= 0 || image.height <= 0) return std::nullopt;
    const Compressor compressor(tjInitCompress());
    if (!compressor) return std::nullopt;
    // A buffer of the worst-case size, allocated once, spares TurboJPEG growing and copying it.
    const unsigned long capacity = tjBufSize(image.width, image.height, TJSAMP_420);
    if (capacity == static_cast<unsigned long>(-1)) return std::nullopt;
    JpegData jpeg;
    jpeg.bytes.reset(tjAlloc(static_cast<int>(capacity)));
    if (!jpeg.bytes) return std::nullopt;
    unsigned char* buffer = jpeg.bytes.get();
    unsigned long size = capacity;
    const int flags =
        TJFLAG_ACCURATEDCT | TJFLAG_NOREALLOC | (image.bottomUp ? TJFLAG_BOTTOMUP : 0);
    if (tjCompress2(compressor.get(), image.StoredRows(), image.width,
                    static_cast<int>(image.pitch), image.height, TJPF_BGR, &buffer, &size,
                    TJSAMP_420, quality, flags) != 0)
        return std::nullopt;
    jpeg.size = size;
    return jpeg;
}

}  // namespace dhsu::nviewlib
