#include "nviewlib/jpeg_encoder.h"

#include <turbojpeg.h>

namespace dhsu::nviewlib {

void JpegEncoder::CompressorDestroy::operator()(void* handle) const {
    tjDestroy(handle);
}

void JpegEncoder::TurboJpegFree::operator()(unsigned char* buffer) const {
    tjFree(buffer);
}

std::optional<JpegBytes> JpegEncoder::Encode(const BgrImage& image, int quality) {
    if (quality < kMinJpegQuality || quality > kMaxJpegQuality) return std::nullopt;
    if (image.width <= 0 || image.height <= 0) return std::nullopt;
    if (!compressor_) compressor_.reset(tjInitCompress());
    if (!compressor_) return std::nullopt;
    // A buffer of the worst-case size spares TurboJPEG growing and copying it.
    const unsigned long capacity = tjBufSize(image.width, image.height, TJSAMP_420);
    if (capacity == static_cast<unsigned long>(-1)) return std::nullopt;
    if (capacity > capacity_) {
        buffer_.reset(tjAlloc(static_cast<int>(capacity)));
        capacity_ = buffer_ ? capacity : 0;
        if (!buffer_) return std::nullopt;
    }
    unsigned char* buffer = buffer_.get();
    unsigned long size = capacity_;
    const int flags =
        TJFLAG_ACCURATEDCT | TJFLAG_NOREALLOC | (image.bottomUp ? TJFLAG_BOTTOMUP : 0);
    if (tjCompress2(compressor_.get(), image.StoredRows(), image.width,
                    static_cast<int>(image.pitch), image.height, TJPF_BGR, &buffer, &size,
                    TJSAMP_420, quality, flags) != 0)
        return std::nullopt;
    return JpegBytes{buffer, size};
}

}  // namespace dhsu::nviewlib
