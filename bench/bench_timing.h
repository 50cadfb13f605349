#pragma once
// What the portable benchmarks share: timing a step, the median of samples, and a BMP sink that
// writes straight to a file, unbuffered, as a shot's write does.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "shot/bmp.h"

namespace bench {

class FileSink : public dhsu::ByteSink {
  public:
    explicit FileSink(const char* path) : file_(std::fopen(path, "wb")) {
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
    ~FileSink() override { std::fclose(file_); }
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    void Write(const std::uint8_t* data, std::size_t size) override {
        std::fwrite(data, 1, size, file_);
    }

  private:
    std::FILE* file_;
};

inline double MedianMs(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename Step>
double TimeMs(Step step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace bench
