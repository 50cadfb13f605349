#pragma once
// Baseline JPEG through TurboJPEG: 4:2:0 chroma, the accurate integer DCT.

#include <cstddef>
#include <memory>
#include <optional>

#include "nviewlib/bmp_reader.h"

namespace dhsu::nviewlib {

struct TurboJpegFree {
    void operator()(unsigned char* buffer) const;
};

struct JpegData {
    std::unique_ptr<unsigned char, TurboJpegFree> bytes;
    std::size_t size = 0;
};

// The library's own contract, TurboJPEG's whole range. The program lets a user choose only part
// of it (jpeg/jpeg_quality.h), which is the program's concern; the library serves any caller.
constexpr int kMinJpegQuality = 0;  // TurboJPEG treats 0 as 1, the coarsest tables
constexpr int kMaxJpegQuality = 100;

// Nothing for a quality outside kMinJpegQuality..kMaxJpegQuality or an encoder failure.
std::optional<JpegData> EncodeJpeg(const BgrImage& image, int quality);

}  // namespace dhsu::nviewlib
