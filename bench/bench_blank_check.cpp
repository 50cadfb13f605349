// The blank-frame check against the BMP write it comes before: on a flat frame it must look at
// every pixel, the worst case; on an ordinary frame it should stop at once. A bare read of the
// same frame shows how much of the check is only the memory it has to read.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "bench/bench_timing.h"
#include "shot/bmp.h"
#include "shot/single_colour.h"

namespace {

using bench::FileSink;
using bench::MedianMs;
using bench::TimeMs;

constexpr std::int32_t kWidth = 3840, kHeight = 2160;

dhsu::BitmapView Frame(const std::vector<std::uint8_t>& pixels) {
    return {kWidth, kHeight, 32, {}, pixels.data(), std::size_t(kWidth) * 4};
}

// Every byte of the frame read once, 8 at a time, with nothing else done: the floor of any check.
bool ReadsAsFlat(const std::vector<std::uint8_t>& pixels) {
    std::uint64_t first = 0, differs = 0;
    std::memcpy(&first, pixels.data(), sizeof first);
    for (std::size_t at = 0; at + sizeof first <= pixels.size(); at += sizeof first) {
        std::uint64_t word;
        std::memcpy(&word, pixels.data() + at, sizeof word);
        differs |= word ^ first;
    }
    return differs == 0;
}

}  // namespace

int main() {
    const auto path = (std::filesystem::temp_directory_path() / "dhsu_bench_blank.bmp").string();
    std::vector<std::uint8_t> flat(std::size_t(kWidth) * kHeight * 4, 0x30);  // dark grey
    std::vector<std::uint8_t> ordinary(flat.size());
    for (std::size_t i = 0; i < ordinary.size(); ++i)
        ordinary[i] = std::uint8_t(i * 31 + (i >> 12));

    // Alternated, so both see the same state of the disk cache and the machine.
    std::vector<double> checkSamples, readSamples, writeSamples;
    bool allFlat = true;
    for (int i = 0; i < 31; ++i) {
        checkSamples.push_back(TimeMs([&] { allFlat &= dhsu::IsSingleColour(Frame(flat)); }));
        readSamples.push_back(TimeMs([&] { allFlat &= ReadsAsFlat(flat); }));
        writeSamples.push_back(TimeMs([&] {
            FileSink sink(path.c_str());
            dhsu::EncodeBmp(Frame(flat), sink);
        }));
    }
    std::filesystem::remove(path);

    constexpr int kOrdinaryChecks = 100000;
    int ordinaryFlat = 0;
    const double ordinaryMs = TimeMs([&] {
        for (int i = 0; i < kOrdinaryChecks; ++i)
            ordinaryFlat += dhsu::IsSingleColour(Frame(ordinary));
    });
    if (!allFlat || ordinaryFlat != 0) {
        std::printf("the check gave a wrong answer\n");
        return 1;
    }
    const double check = MedianMs(checkSamples), read = MedianMs(readSamples),
                 write = MedianMs(writeSamples);
    std::printf("%dx%d flat: check %.2f ms   BMP encode+write %.2f ms   ratio %.3f\n", kWidth,
                kHeight, check, write, check / write);
    std::printf("%dx%d flat: check %.2f ms   bare read of the frame %.2f ms   ratio %.2f\n",
                kWidth, kHeight, check, read, check / read);
    std::printf("%dx%d ordinary: check %.3f us\n", kWidth, kHeight,
                ordinaryMs * 1000 / kOrdinaryChecks);
}
