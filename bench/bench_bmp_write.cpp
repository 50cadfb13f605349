// Writing a captured frame as a BMP file against writing the same byte count from a ready
// buffer: the BMP step should cost little more than the write itself.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "shot/bmp.h"

namespace {

using Clock = std::chrono::steady_clock;

class FileSink : public dhsu::ByteSink {
  public:
    explicit FileSink(const char* path) : file_(std::fopen(path, "wb")) {
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    ~FileSink() override { std::fclose(file_); }
    void Write(const std::uint8_t* data, std::size_t size) override {
        std::fwrite(data, 1, size, file_);
    }

  private:
    std::FILE* file_;
};

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

double MedianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename Step>
double TimeMs(Step step) {
    const auto start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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
