// Times NviewLib's BMP to JPEG conversion (NViewLibLoad + NViewLibSaveAsJPG) against
// libjpeg-turbo's own cjpeg on the same screenshot-like BMP files, at qualities 75 and 95.
//
//   bench_nviewlib [REPETITIONS [DIR]]   default 9 repetitions; cjpeg must be on the PATH.
// The files are written to a temporary folder and removed, or to DIR and kept there.
//
// The library is opened at run time like NviewLib.dll: once for all files ("kept loaded"), and
// anew for every file ("loaded per file"), as a caller that frees it after each file does.

#include <dlfcn.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_screen.h"
#include "nviewlib/nviewlib.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "bench_nviewlib: %s\n", message.c_str());
    std::exit(1);
}

class NviewLibrary {
  public:
    NviewLibrary() : handle_(dlopen(NVIEWLIB_PATH, RTLD_NOW | RTLD_LOCAL)) {
        if (!handle_) Fail(dlerror());
        load_ = reinterpret_cast<decltype(&NViewLibLoad)>(dlsym(handle_, "NViewLibLoad"));
        save_ = reinterpret_cast<decltype(&NViewLibSaveAsJPG)>(dlsym(handle_, "NViewLibSaveAsJPG"));
        if (!load_ || !save_) Fail("entry points missing in " NVIEWLIB_PATH);
    }
    NviewLibrary(const NviewLibrary&) = delete;
    NviewLibrary& operator=(const NviewLibrary&) = delete;
    ~NviewLibrary() { dlclose(handle_); }

    // The library writes only new files: the previous run's goes first.
    bool Convert(const fs::path& bmp, int quality, const fs::path& jpg) const {
        fs::remove(jpg);
        return load_(bmp.c_str(), 0) && save_(quality, jpg.c_str());
    }

  private:
    void* handle_;
    decltype(&NViewLibLoad) load_ = nullptr;
    decltype(&NViewLibSaveAsJPG) save_ = nullptr;
};

double Milliseconds(const timeval& time) {
    return time.tv_sec * 1e3 + time.tv_usec / 1e3;
}

double ProcessCpuMilliseconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

// A converter does one conversion and returns the CPU time it took, in milliseconds, or nothing
// when it failed.
using Converter = std::function<std::optional<double>()>;

template <typename Convert>
std::optional<double> CpuMillisecondsOf(Convert convert) {
    const double start = ProcessCpuMilliseconds();
    if (!convert()) return std::nullopt;
    return ProcessCpuMilliseconds() - start;
}

std::optional<double> ConvertWithCjpeg(const fs::path& bmp, int quality, const fs::path& jpg) {
    std::vector<std::string> args = {"cjpeg",    "-quality",   std::to_string(quality),
                                     "-outfile", jpg.string(), bmp.string()};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "cjpeg", nullptr, nullptr, argv.data(), environ) != 0)
        return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
}

struct Cost {
    double wallMs = 0, cpuMs = 0;
};

Cost Measure(const Converter& convert) {
    const Clock::time_point start = Clock::now();
    const std::optional<double> cpuMs = convert();
    const double wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!cpuMs) Fail("a conversion failed");
    return {wallMs, *cpuMs};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median costs, the converters taking turns so that load from other processes falls on all
// alike; one unmeasured run of each first.
std::vector<Cost> TimeInTurns(const std::vector<Converter>& converters, int repetitions) {
    for (const Converter& convert : converters) Measure(convert);
    std::vector<std::vector<double>> wallMs(converters.size()), cpuMs(converters.size());
    for (int i = 0; i < repetitions; ++i) {
        for (std::size_t c = 0; c < converters.size(); ++c) {
            const Cost cost = Measure(converters[c]);
            wallMs[c].push_back(cost.wallMs);
            cpuMs[c].push_back(cost.cpuMs);
        }
    }
    std::vector<Cost> medians;
    for (std::size_t c = 0; c < converters.size(); ++c)
        medians.push_back({Median(wallMs[c]), Median(cpuMs[c])});
    return medians;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void PrintLine(const char* mode, const std::vector<Cost>& costs, double megapixels) {
    const Cost& ours = costs[0];
    const Cost& cjpeg = costs[1];
    std::printf(
        "  %-25s %6.2f ms (cpu %6.2f) %6.1f MP/s | cjpeg %6.2f ms (cpu %6.2f) %6.1f MP/s"
        " | ratio %.2f (cpu %.2f)\n",
        mode, ours.wallMs, ours.cpuMs, megapixels / ours.wallMs * 1e3, cjpeg.wallMs, cjpeg.cpuMs,
        megapixels / cjpeg.wallMs * 1e3, ours.wallMs / cjpeg.wallMs, ours.cpuMs / cjpeg.cpuMs);
}

// Each way of opening the library takes turns with cjpeg; a library kept open would make every
// later opening a mere reference, so the two ways run one after the other.
void BenchQuality(const fs::path& bmp, int quality, double megapixels, int repetitions) {
    const std::string stem = bmp.stem().string() + "_q" + std::to_string(quality);
    const fs::path ours = bmp.parent_path() / (stem + "_nviewlib.jpg");
    const fs::path theirs = bmp.parent_path() / (stem + "_cjpeg.jpg");
    const Converter cjpeg = [&] { return ConvertWithCjpeg(bmp, quality, theirs); };
    std::vector<Cost> keptCosts;
    {
        const NviewLibrary kept;
        keptCosts = TimeInTurns(
            {[&] { return CpuMillisecondsOf([&] { return kept.Convert(bmp, quality, ours); }); },
             cjpeg},
            repetitions);
    }
    const std::vector<Cost> perFileCosts = TimeInTurns(
        {[&] {
             return CpuMillisecondsOf([&] { return NviewLibrary().Convert(bmp, quality, ours); });
         },
         cjpeg},
        repetitions);
    const bool identical = ReadFile(ours) == ReadFile(theirs);
    std::printf("%s q%d: JPEG %ju bytes, %s cjpeg's\n", bmp.stem().string().c_str(), quality,
                std::uintmax_t(fs::file_size(ours)), identical ? "identical to" : "DIFFERENT from");
    PrintLine("NviewLib, kept loaded", keptCosts, megapixels);
    PrintLine("NviewLib, loaded per file", perFileCosts, megapixels);
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const bool keep = argc > 2;
    const fs::path dir =
        keep ? fs::path(argv[2])
             : fs::temp_directory_path() / ("bench_nviewlib_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::printf(
        "median of %d runs, wall and CPU time per file: load + encode + write; cjpeg's "
        "include its process start\n",
        repetitions);
    for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        const fs::path bmp =
            dir / ("screen_" + std::to_string(width) + "x" + std::to_string(height) + ".bmp");
        WriteScreenBmp(bmp, width, height);
        for (const int quality : {75, 95})
            BenchQuality(bmp, quality, width * height / 1e6, repetitions);
    }
    if (!keep) fs::remove_all(dir);
    return 0;
}
