// libFuzzer target for NviewLib's BMP reader: any input must give a clean refusal or an image
// whose every row lies inside the buffer the reader returned (AddressSanitizer checks the reads).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "nviewlib/bmp_reader.h"

using dhsu::nviewlib::BgrImage;
using dhsu::nviewlib::BmpStatus;

namespace {

void CheckImage(const BgrImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.width > dhsu::nviewlib::kMaxBmpSide ||
        image.height > dhsu::nviewlib::kMaxBmpSide || image.pitch < std::size_t(image.width) * 3)
        std::abort();
    unsigned sum = 0;
    for (std::int32_t y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.Row(y);
        sum += row[0] + row[std::size_t(image.width) * 3 - 1];
    }
    // Keeps the reads from being optimised away.
    volatile unsigned sink = sum;
    (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly the input's size, so that AddressSanitizer sees a read past its end.
    dhsu::nviewlib::ByteBuffer file;
    if (!file.Resize(size)) return 0;
    if (size > 0) std::memcpy(file.data(), data, size);
    BgrImage image;
    const BmpStatus status = dhsu::nviewlib::ReadBmp(std::move(file), image);
    if (status == BmpStatus::kOk) {
        CheckImage(image);
    } else if (image.width != 0 || !image.bytes.empty()) {
        std::abort();  // a refusal must not leave a half-filled image behind
    }
    return 0;
}
