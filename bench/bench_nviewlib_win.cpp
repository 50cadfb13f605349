// The shipped NviewLib.dll against a plain use of the same static TurboJPEG, linked into this
// program: each reads the same BMP file and writes the same JPEG file. The library is opened
// once for all files ("kept loaded") and anew for every file ("loaded per file", as the program
// does); the plain conversion has nothing to load and keeps its memory from file to file. All
// three take turns in one run, and their JPEG files must be the same bytes.
//
//   bench_nviewlib [REPETITIONS]   default 9; run under Wine beside NviewLib.dll.

#include <windows.h>

#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bench/bench_screen.h"
#include "bench/bench_timing.h"
#include "nviewlib/nviewlib.h"
#include "win/entry_point_win.h"
#include "win/handles_win.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "bench_nviewlib: %s\n", message.c_str());
    std::exit(1);
}

class NviewLibrary {
  public:
    NviewLibrary() : module_(LoadLibraryW(L"NviewLib.dll")) {
        load_ = dhsu::win::FindEntry<decltype(&NViewLibLoad)>(module_.Get(), "NViewLibLoad");
        save_ =
            dhsu::win::FindEntry<decltype(&NViewLibSaveAsJPG)>(module_.Get(), "NViewLibSaveAsJPG");
        if (!load_ || !save_) Fail("NviewLib.dll or its entry points missing");
    }
    bool Convert(const fs::path& bmp, int quality, const fs::path& jpg) const {
        return load_(bmp.string().c_str(), 0) && save_(quality, jpg.string().c_str());
    }

  private:
    dhsu::win::Library module_;
    decltype(&NViewLibLoad) load_ = nullptr;
    decltype(&NViewLibSaveAsJPG) save_ = nullptr;
};

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::int32_t Field(const std::uint8_t* file, std::size_t at) {
    return std::int32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24);
}

// The same conversion as plainly as TurboJPEG allows, and as fast: a 24-bit bottom-up BMP as
// the program writes its shots, read in one call into memory kept from the last file; the
// library's own settings (4:2:0, the accurate DCT) into an output buffer of the worst-case
// size, also kept; a new file written in one call.
class DirectConverter {
  public:
    DirectConverter() : compressor_(tjInitCompress()) {}
    ~DirectConverter() {
        tjFree(jpeg_);
        tjDestroy(compressor_);
    }
    DirectConverter(const DirectConverter&) = delete;
    DirectConverter& operator=(const DirectConverter&) = delete;

    bool Convert(const fs::path& bmp, int quality, const fs::path& jpg) {
        if (!Read(bmp) || file_.size() < 54 || Field(file_.data(), 28) % 65536 != 24) return false;
        const int width = Field(file_.data(), 18), height = Field(file_.data(), 22);
        const int pitch = (width * 3 + 3) & ~3;
        const std::int64_t pixels = Field(file_.data(), 10);
        if (width <= 0 || height <= 0 ||
            pixels + std::int64_t(pitch) * height > std::int64_t(file_.size()))
            return false;
        const unsigned long capacity = tjBufSize(width, height, TJSAMP_420);
        if (capacity > capacity_) {
            tjFree(jpeg_);
            jpeg_ = tjAlloc(static_cast<int>(capacity));
            capacity_ = jpeg_ ? capacity : 0;
        }
        unsigned long size = capacity_;
        if (tjCompress2(compressor_, &file_[pixels], width, pitch, height, TJPF_BGR, &jpeg_, &size,
                        TJSAMP_420, quality,
                        TJFLAG_ACCURATEDCT | TJFLAG_BOTTOMUP | TJFLAG_NOREALLOC) != 0)
            return false;
        const dhsu::win::FileHandle out(CreateFileW(jpg.c_str(), GENERIC_WRITE, 0, nullptr,
                                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD done = 0;
        return out && WriteFile(out.Get(), jpeg_, size, &done, nullptr) && done == size;
    }

  private:
    bool Read(const fs::path& path) {
        const dhsu::win::FileHandle in(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                   nullptr));
        LARGE_INTEGER length{};
        if (!in || !GetFileSizeEx(in.Get(), &length) || length.QuadPart > MAXDWORD) return false;
        file_.resize(static_cast<std::size_t>(length.QuadPart));
        DWORD done = 0;
        return ReadFile(in.Get(), file_.data(), static_cast<DWORD>(file_.size()), &done, nullptr) &&
               done == file_.size();
    }

    tjhandle compressor_;
    std::vector<std::uint8_t> file_;
    unsigned char* jpeg_ = nullptr;
    unsigned long capacity_ = 0;
};

using Converter = std::function<bool()>;

// Median milliseconds of each converter, taking turns so that load from other processes falls
// on all alike; one unmeasured run of each first. Both write only new files: the previous
// run's goes first.
std::vector<double> TimeInTurns(const std::vector<Converter>& converters,
                                const std::vector<fs::path>& outputs, int repetitions) {
    std::vector<std::vector<double>> samples(converters.size());
    for (int i = -1; i < repetitions; ++i) {
        for (std::size_t c = 0; c < converters.size(); ++c) {
            fs::remove(outputs[c]);
            bool converted = false;
            const double ms = bench::TimeMs([&] { converted = converters[c](); });
            if (!converted) Fail("a conversion failed");
            if (i >= 0) samples[c].push_back(ms);
        }
    }
    std::vector<double> medians;
    for (const std::vector<double>& s : samples) medians.push_back(bench::MedianMs(s));
    return medians;
}

void BenchQuality(const fs::path& bmp, int quality, int repetitions) {
    const std::string stem = bmp.stem().string() + "_q" + std::to_string(quality);
    const fs::path kept = bmp.parent_path() / (stem + "_kept.jpg");
    const fs::path perFile = bmp.parent_path() / (stem + "_per_file.jpg");
    const fs::path direct = bmp.parent_path() / (stem + "_direct.jpg");
    const NviewLibrary library;
    DirectConverter plain;
    const std::vector<double> ms =
        TimeInTurns({[&] { return library.Convert(bmp, quality, kept); },
                     [&] { return NviewLibrary().Convert(bmp, quality, perFile); },
                     [&] { return plain.Convert(bmp, quality, direct); }},
                    {kept, perFile, direct}, repetitions);
    const std::vector<std::uint8_t> directBytes = FileBytes(direct);
    const bool identical = FileBytes(kept) == directBytes && FileBytes(perFile) == directBytes;
    std::printf("%-22s q%-3d %6.2f ms %6.2f ms %6.2f ms   %5.2f   %5.2f   %s\n",
                bmp.stem().string().c_str(), quality, ms[0], ms[1], ms[2], ms[0] / ms[2],
                ms[1] / ms[2], identical ? "identical" : "DIFFERENT");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 9;
    const fs::path dir =
        fs::temp_directory_path() / ("bench_nviewlib_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
    std::printf("median of %d runs per file, BMP read + JPEG encode + write\n", repetitions);
    std::printf("%-27s %9s %9s %9s   %s  %s  JPEG bytes\n", "file", "kept", "per file", "direct",
                "kept/d", "file/d");
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        const fs::path bmp =
            dir / ("screen_" + std::to_string(width) + "x" + std::to_string(height) + ".bmp");
        WriteScreenBmp(bmp, width, height);
        for (const int quality : {75, 95}) BenchQuality(bmp, quality, repetitions);
    }
    fs::remove_all(dir);
    return 0;
}
