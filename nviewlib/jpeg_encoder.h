#pragma once
// Baseline JPEG through TurboJPEG: 4:2:0 chroma, the accurate integer DCT.

#include <cstddef>
#include <memory>
#include <optional>

#include "nviewlib/bmp_reader.h"

namespace dhsu::nviewlib {

// The library's own contract, TurboJPEG's whole range. The program lets a user choose only part
// of it (jpeg/jpeg_quality.h), which is the program's concern; the library serves any caller.
constexpr int kMinJpegQuality = 0;  // TurboJPEG treats 0 as 1, the coarsest tables
constexpr int kMaxJpegQuality = 100;

struct JpegBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// Keeps its compressor and output buffer from image to image, for a caller that keeps the
// library loaded: a new buffer's pages would each be faulted in while the JPEG is written.
class JpegEncoder {
  public:
    // Valid until the next call; nothing for a quality outside kMinJpegQuality..kMaxJpegQuality
    // or an encoder failure.
    std::optional<JpegBytes> Encode(const BgrImage& image, int quality);

  private:
    struct CompressorDestroy {
        void operator()(void* handle) const;
    };
    struct TurboJpegFree {
        void operator()(unsigned char* buffer) const;
    };
    std::unique_ptr<void, CompressorDestroy> compressor_;
    std::unique_ptr<unsigned char, TurboJpegFree> buffer_;
    unsigned long capacity_ = 0;
};

}  // namespace dhsu::nviewlib
