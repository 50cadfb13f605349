// A player's game beside the program converting shots: a CPU-bound loop at normal priority and
// dhsu.exe pinned to the same core, while dhsu takes and converts 20 shots of a 1200 x 900
// window, against the same loop on that core with dhsu idle, just before and just after. The
// share the loop keeps is what the game keeps. The same with JPEG off tells the captures' part.
//
//   bench_game_share   run under Wine in a virtual display, beside dhsu.exe and NviewLib.dll.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "tests/e2e/dhsu_process.h"
#include "tests/e2e/registry_settings.h"
#include "tests/e2e/test_window.h"
#include "win/handles_win.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr DWORD_PTR kSharedCore = 1;
constexpr DWORD_PTR kDriverCore = 2;  // the presses and file checks stay off the shared core
constexpr int kShots = 20;
constexpr int kQueueLimit = 3;

// The game: rounds of arithmetic, counted, until it is stopped.
class GameLoop {
  public:
    GameLoop() : thread_([this] { Run(); }) {}
    ~GameLoop() {
        stop_ = true;
        thread_.join();
    }
    GameLoop(const GameLoop&) = delete;
    GameLoop& operator=(const GameLoop&) = delete;
    std::uint64_t Rounds() const { return rounds_.load(std::memory_order_relaxed); }

  private:
    void Run() {
        SetThreadAffinityMask(GetCurrentThread(), kSharedCore);
        std::uint32_t state = 1;
        while (!stop_) {
            for (int i = 0; i < 20000; ++i) state = state * 1664525u + 1013904223u;
            result_ = state;
            rounds_.fetch_add(1, std::memory_order_relaxed);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> rounds_{0};
    volatile std::uint32_t result_ = 0;
    std::thread thread_;
};

struct Throughput {
    double roundsPerMs = 0, ms = 0;
};

template <typename Work>
Throughput Measure(const GameLoop& game, Work work) {
    const std::uint64_t startRounds = game.Rounds();
    const auto start = Clock::now();
    work();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return {double(game.Rounds() - startRounds) / ms, ms};
}

int Count(const std::filesystem::path& folder, const std::string& extension) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().extension() == extension;
    return count;
}

// Shot n on disk, still a BMP or converted already.
bool ShotExists(const std::filesystem::path& folder, int n) {
    char name[16];
    std::snprintf(name, sizeof name, "DH%04d", n);
    return std::filesystem::exists(folder / (std::string(name) + ".bmp")) ||
           std::filesystem::exists(folder / (std::string(name) + ".jpg"));
}

// With JPEG off every shot stays a BMP; with it on, a press while three files wait would be
// ignored, so each waits for the queue to have room.
bool TakeShots(const std::filesystem::path& folder, e2e::TestWindow& window, bool jpeg) {
    for (int n = 1; n <= kShots; ++n) {
        if (jpeg && !e2e::WaitFor([&] { return Count(folder, ".bmp") < kQueueLimit; }))
            return false;
        if (!window.BringToFront()) return false;
        e2e::PressKey(VK_ESCAPE);
        if (!e2e::WaitFor([&] { return ShotExists(folder, n); }, 5s)) return false;
    }
    return e2e::WaitFor([&] {
        return Count(folder, jpeg ? ".jpg" : ".bmp") == kShots &&
               Count(folder, jpeg ? ".bmp" : ".jpg") == 0;
    });
}

bool PinToSharedCore(DWORD processId) {
    const dhsu::win::KernelHandle process(
        OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_INFORMATION, FALSE, processId));
    return process && SetProcessAffinityMask(process.Get(), kSharedCore);
}

// The loop's throughput with dhsu idle just before and after, and while dhsu takes the shots.
struct Share {
    Throughput alone, shared;
};

std::optional<Share> MeasureShare(const GameLoop& game, bool jpeg) {
    const std::filesystem::path folder = e2e::FreshFolder(jpeg ? "game_share_jpeg" : "game_share");
    e2e::ClearSettings();
    e2e::WriteDwordSetting(L"JpegCompression", jpeg ? 1 : 0);
    e2e::DhsuProcess dhsu(folder, true, true);
    if (!dhsu.Window() || !PinToSharedCore(dhsu.Id())) return std::nullopt;
    e2e::TestWindow window(20, 20, 1200, 900);
    const auto idle = [] { std::this_thread::sleep_for(3s); };
    const Throughput before = Measure(game, idle);
    bool taken = false;
    const Throughput shared = Measure(game, [&] { taken = TakeShots(folder, window, jpeg); });
    const Throughput after = Measure(game, idle);
    if (!taken || dhsu.Close() != 0) return std::nullopt;
    return Share{{(before.roundsPerMs + after.roundsPerMs) / 2, before.ms + after.ms}, shared};
}

void PrintShare(const char* what, const Share& share) {
    std::printf("%-34s %6.1f rounds/ms over %5.0f ms, alone %6.1f: kept %5.1f %%\n", what,
                share.shared.roundsPerMs, share.shared.ms, share.alone.roundsPerMs,
                100 * share.shared.roundsPerMs / share.alone.roundsPerMs);
}

}  // namespace

int wmain() {
    SetThreadAffinityMask(GetCurrentThread(), kDriverCore);
    const GameLoop game;
    std::this_thread::sleep_for(500ms);  // the loop under way
    // The shots alone show what the captures take from the game; the conversions come on top.
    const std::optional<Share> shots = MeasureShare(game, false);
    const std::optional<Share> converted = MeasureShare(game, true);
    if (!shots || !converted) {
        std::fprintf(stderr, "bench_game_share: dhsu did not take and keep all %d shots\n", kShots);
        return 1;
    }
    std::printf("a game loop on dhsu's core, %d shots of 1200 x 900, against the loop alone\n",
                kShots);
    PrintShare("shots kept as BMP (JPEG off)", *shots);
    PrintShare("shots converted to JPEG", *converted);
    return 0;
}
