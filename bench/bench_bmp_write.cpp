// Writing a captured frame as a BMP file against writing the same byte count from a ready
// buffer: the BMP step should cost little more than the write itself.

#include <cstdio>
#include <filesystem>
#include <vector>

#include "bench/bench_timing.h"
#include "shot/bmp.h"

namespace {

using bench::FileSink;
using bench::MedianMs;
using bench::TimeMs;

class CountingSink : public dhsu::ByteSink {
  public:
    void Write(const std::uint8_t*, std::size_t size) override { count += size; }
    std::size_t count = 0;
};

std::size_t EncodedSize(const dhsu::BitmapView& view) {
    CountingSink sink;
    dhsu::EncodeBmp(view, sink);
    return sink.count;
}

void Compare(std::int32_t width, std::int32_t height, const std::string& path) {
    std::vector<std::uint8_t> frame(std::size_t(width) * height * 4);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = std::uint8_t(i * 31 + (i >> 12));
    const dhsu::BitmapView view{width, height, 32, {}, frame.data(), std::size_t(width) * 4};
    const std::vector<std::uint8_t> ready(EncodedSize(view), 0x5A);

    // Alternated, so both see the same state of the disk cache and the machine.
    std::vector<double> plainSamples, bmpSamples;
    for (int i = 0; i < (width > 2000 ? 31 : 81); ++i) {
        plainSamples.push_back(TimeMs([&] {
            FileSink sink(path.c_str());
            sink.Write(ready.data(), ready.size());
        }));
        bmpSamples.push_back(TimeMs([&] {
            FileSink sink(path.c_str());
            dhsu::EncodeBmp(view, sink);
        }));
    }
    const double plain = MedianMs(plainSamples), bmp = MedianMs(bmpSamples);
    std::printf(
        "%5dx%-5d %6.1f MB  plain write %7.2f ms   BMP encode+write %7.2f ms   ratio %.2f\n", width,
        height, ready.size() / 1e6, plain, bmp, bmp / plain);
}

}  // namespace

int main() {
    const auto path = (std::filesystem::temp_directory_path() / "dhsu_bench.bmp").string();
    Compare(1920, 1080, path);
    Compare(3840, 2160, path);
    std::filesystem::remove(path);
}
