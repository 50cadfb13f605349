// What a player waits for: from the shutter key to the BMP of a 1920 x 1080 window complete on
// disk, with dhsu.exe started here (JPEG off, a folder and settings of its own), against the
// least that job takes: a BitBlt of the same window, from a device context obtained as the
// program obtains it, into a section of the program's format made once, and the same file
// written as the program writes it. The window painted in one flat colour shows what reading a
// client area twice costs (its own device context and then the screen, since the first read
// came out flat). Then dhsu_black_window_dc.exe, whose window device context reads black as a
// GPU-drawn window's does on Windows, over the same busy window (its presses after the first),
// against its presses over a busy window it reads as the program reads any. All are measured in
// one run, one after the other.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dhsu_process.h"
#include "registry_settings.h"
#include "shot/bmp.h"
#include "twin_log.h"
#include "ui/main_window_controls_win.h"
#include "win/handles_win.h"
#include "window_search.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1920, kHeight = 1080;
constexpr DWORD kHeaderSize = 54;
constexpr DWORD kPixelBytes = kWidth * 3 * kHeight;  // 24-bit rows of 5760 bytes need no padding
constexpr int kWarmUps = 2;
constexpr wchar_t kTargetClass[] = L"PressToFileTarget";
constexpr wchar_t kBusyCaption[] = L"Game";
constexpr wchar_t kFlatCaption[] = L"Flat game";

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Sent to the flat window before the twin's presses: paint the busy picture, and be read by the
// twin as the program reads any window, as a yardstick for the twin's presses.
constexpr UINT kPaintBusyThroughGdi = WM_APP;

// The windows the shots are taken of: a 1920 x 1080 client area with a busy picture, or of one
// colour when its user data says so.
LRESULT CALLBACK PaintTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    if (message == kPaintBusyThroughGdi) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        SetPropW(window, e2e::kGdiDrawnProperty, window);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return 0;
    }
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    const bool flat = GetWindowLongPtrW(window, GWLP_USERDATA) != 0;
    std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight, 0x00405060u);
    for (int y = 0; y < kHeight && !flat; ++y)
        for (int x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = x * 0x010203u ^ y * 0x030201u;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB};
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SetDIBitsToDevice(dc, 0, 0, kWidth, kHeight, 0, 0, 0, kHeight, pixels.data(), &info,
                      DIB_RGB_COLORS);
    EndPaint(window, &paint);
    return 0;
}

// Runs in a process of its own, as a game does: a window of another process is read through
// the display (under Wine through the X server), not from memory of one's own. The busy window
// and the flat one stand side by side and are painted once: a repaint just before a timed read
// slowed that read, as the new frame reached the X server after the paint had returned.
int RunTarget() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PaintTarget;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTargetClass;
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION;
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    const int frameWidth = frame.right - frame.left;
    for (const bool flat : {true, false}) {
        HWND window = CreateWindowExW(
            WS_EX_TOPMOST, windowClass.lpszClassName, flat ? kFlatCaption : kBusyCaption, style,
            flat ? frameWidth : 0, 0, frameWidth, frame.bottom - frame.top, nullptr, nullptr,
            windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, flat);
        ShowWindow(window, SW_SHOW);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

struct Target {
    PROCESS_INFORMATION info{};
    HWND busy = nullptr, flat = nullptr;
};

bool StartTarget(const std::filesystem::path& self, const std::filesystem::path& folder,
                 Target& target) {
    const DWORD& id = target.info.dwProcessId;
    return e2e::StartProcess(self, folder, target.info, L"--target") && e2e::WaitFor([&] {
               target.busy = e2e::FindTopWindow(kTargetClass, kBusyCaption, id);
               target.flat = e2e::FindTopWindow(kTargetClass, kFlatCaption, id);
               return target.busy != nullptr && target.flat != nullptr;
           });
}

// Closing one window ends the target's message loop, and the process with both.
void CloseTarget(Target& target) {
    if (target.info.hProcess == nullptr) return;
    PostMessageW(target.busy, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(target.info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(target.info.hProcess, 1);
    CloseHandle(target.info.hThread);
    CloseHandle(target.info.hProcess);
}

bool BringToFront(HWND window) {
    return e2e::WaitFor([&] {
        if (GetForegroundWindow() == window) return true;
        e2e::AskForeground(window);
        return false;
    });
}

// The settings dhsu reads at start: plain BMP shots, numbered, into `shots`.
void WriteSettings(const std::filesystem::path& shots) {
    e2e::ClearSettings();
    e2e::WriteStringSetting(L"ScreenShot Folder", shots.wstring());
    e2e::WriteStringSetting(L"FilePrefix", L"DH");
    e2e::WriteDwordSetting(L"FileSuffix", 1);
    e2e::WriteDwordSetting(L"Shutter", VK_ESCAPE);
    e2e::WriteDwordSetting(L"ClientRect", 1);
    e2e::WriteDwordSetting(L"JpegCompression", 0);
}

bool IsComplete(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) &&
           data.nFileSizeHigh == 0 && data.nFileSizeLow == kHeaderSize + kPixelBytes;
}

struct ChangeNotificationTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindCloseChangeNotification(h); }
};
using ChangeNotification = dhsu::win::Owned<HANDLE, ChangeNotificationTraits>;

// The shutter key to the shot's final name on disk with all its bytes; then, untimed, the
// program's count of shots, so that the press has been handled to its end. The folder's change
// notifications wake the wait as the file lands: a polling sleep would add up to a timer tick,
// about a twentieth of a press, to every press and to none of the yardstick.
double PressToFile(const e2e::DhsuProcess& dhsu, const std::filesystem::path& shot, int number) {
    const ChangeNotification changes(FindFirstChangeNotificationW(
        shot.parent_path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE));
    if (!changes) return -1;
    const auto start = Clock::now();
    e2e::PressKey(VK_ESCAPE);
    while (!IsComplete(shot)) {
        if (MsSince(start) > 30000) return -1;
        if (WaitForSingleObject(changes.Get(), 100) == WAIT_OBJECT_0)
            FindNextChangeNotification(changes.Get());
    }
    const double ms = MsSince(start);
    const std::string counted = "Shot : " + std::to_string(number);
    return e2e::WaitFor([&] { return dhsu.ControlText(dhsu::Label_Count) == counted; }) ? ms : -1;
}

struct BlitAndWrite {
    double blitMs, writeMs;
};

class FileSink : public dhsu::ByteSink {
  public:
    explicit FileSink(HANDLE file) : file_(file) {}
    void Write(const std::uint8_t* data, std::size_t size) override {
        DWORD written = 0;
        WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr);
    }

  private:
    HANDLE file_;
};

// (a): what the press does, the plainest way known: the client area from a device context
// obtained with the program's flags, into a 24-bit bottom-up section (the BMP's own rows, as the
// program's) made once and kept selected, then the BMP's header and rows into a new file opened
// as the program opens its own. What the press adds is the key, the name and the rename.
class PlainBlitAndWrite {
  public:
    explicit PlainBlitAndWrite(HWND window) : window_(window) {
        const dhsu::win::WindowDc screen(window, GetDC(window));
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB};
        void* bits = nullptr;
        section_.Reset(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        view_ = {kWidth, kHeight, 24, {}, static_cast<const std::uint8_t*>(bits), kWidth * 3};
        memory_.Reset(CreateCompatibleDC(screen.Get()));
        previous_ = SelectObject(memory_.Get(), section_.Get());
    }
    ~PlainBlitAndWrite() { SelectObject(memory_.Get(), previous_); }
    PlainBlitAndWrite(const PlainBlitAndWrite&) = delete;
    PlainBlitAndWrite& operator=(const PlainBlitAndWrite&) = delete;

    void Blit() {
        const dhsu::win::WindowDc window(
            window_,
            GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE));
        BitBlt(memory_.Get(), 0, 0, kWidth, kHeight, window.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }

    BlitAndWrite Run(const std::filesystem::path& file) {
        const auto start = Clock::now();
        Blit();
        const double blitMs = MsSince(start);
        const auto writeStart = Clock::now();
        {
            const dhsu::win::FileHandle out(CreateFileW(
                file.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            FileSink sink(out.Get());
            dhsu::EncodeBmp(view_, sink);
        }
        return {blitMs, MsSince(writeStart)};
    }

  private:
    HWND window_;
    dhsu::win::GdiObject section_;
    dhsu::win::MemoryDc memory_;
    HGDIOBJ previous_ = nullptr;
    dhsu::BitmapView view_;
};

struct Samples {
    std::vector<double> blits, writes, plain, press, flatPress, twinPlain, twinOrdinary, twinPress;
};

void ReportMissingShot(const std::filesystem::path& shots, const std::string& name) {
    wchar_t foreground[64] = {};
    GetClassNameW(GetForegroundWindow(), foreground, 64);
    std::fprintf(stderr, "no complete %s; the foreground window is a %ls; the folder holds:\n",
                 name.c_str(), foreground);
    for (const auto& entry : std::filesystem::directory_iterator(shots))
        std::fprintf(stderr, "  %s, %ju bytes\n", entry.path().filename().string().c_str(),
                     static_cast<std::uintmax_t>(entry.file_size()));
}

// Shot `number` of `target`, timed; the file is removed after. Negative when no file came.
double TimedShot(const e2e::DhsuProcess& dhsu, HWND target, const std::filesystem::path& shots,
                 int number) {
    char name[16];
    std::snprintf(name, sizeof name, "DH%04d.bmp", number);
    const double ms = BringToFront(target) ? PressToFile(dhsu, shots / name, number) : -1;
    if (ms < 0) ReportMissingShot(shots, name);
    std::filesystem::remove(shots / name);
    return ms;
}

// Each round: (a) over the busy window, then a press over `first` and one over `second`, each
// brought to the front untimed; `keep` takes the rounds after the warm-ups. False when a press
// gave no file.
template <typename Keep>
bool AlternatePresses(const e2e::DhsuProcess& dhsu, const Target& target, HWND first,
                      HWND second, const std::filesystem::path& folder, int presses, Keep keep) {
    PlainBlitAndWrite plain(target.busy);
    for (int i = 1; i <= kWarmUps + presses; ++i) {
        if (!BringToFront(target.busy)) return false;
        const auto plainFile = folder / "plain.bmp";
        const BlitAndWrite a = plain.Run(plainFile);
        std::filesystem::remove(plainFile);
        const double one = TimedShot(dhsu, first, folder / "shots", 2 * i - 1);
        if (one < 0) return false;
        const double two = TimedShot(dhsu, second, folder / "shots", 2 * i);
        if (two < 0) return false;
        if (i > kWarmUps) keep(a, one, two);
    }
    return true;
}

// Alternates (a) and (b) over the busy window and (c) over the flat one.
bool MeasurePresses(const e2e::DhsuProcess& dhsu, const Target& target,
                    const std::filesystem::path& folder, int presses, Samples& samples) {
    return AlternatePresses(dhsu, target, target.busy, target.flat, folder, presses,
                            [&](const BlitAndWrite& a, double b, double c) {
                                samples.blits.push_back(a.blitMs);
                                samples.writes.push_back(a.writeMs);
                                samples.plain.push_back(a.blitMs + a.writeMs);
                                samples.press.push_back(b);
                                samples.flatPress.push_back(c);
                            });
}

// Alternates (a), (d) (the twin over the busy window, whose own device context it reads black)
// and (b') (the twin over the window it reads as the program reads any); the warm-ups include
// the first press of (d), which reads the window's own device context before the screen.
bool MeasureTwinPresses(const e2e::DhsuProcess& twin, const Target& target,
                        const std::filesystem::path& folder, int presses, Samples& samples) {
    SendMessageW(target.flat, kPaintBusyThroughGdi, 0, 0);
    return AlternatePresses(twin, target, target.busy, target.flat, folder, presses,
                            [&](const BlitAndWrite& a, double d, double b) {
                                samples.twinPlain.push_back(a.blitMs + a.writeMs);
                                samples.twinOrdinary.push_back(b);
                                samples.twinPress.push_back(d);
                            });
}

struct Spread {
    double median, low, high;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

void PrintRow(const char* name, const std::vector<double>& samples) {
    const Spread s = SpreadOf(samples);
    std::printf("%-34s %7.1f ms (%.1f-%.1f)\n", name, s.median, s.low, s.high);
}

void PrintRatio(const char* name, const std::vector<double>& over,
                const std::vector<double>& under) {
    std::printf("%-34s %7.2f\n", name, SpreadOf(over).median / SpreadOf(under).median);
}

void PrintResults(int presses, const Samples& samples) {
    std::printf("%d x %d client area, median of %d presses (min-max)\n", kWidth, kHeight, presses);
    PrintRow("  BitBlt into a memory DC", samples.blits);
    PrintRow("  plain write of the same bytes", samples.writes);
    PrintRow("(a) BitBlt + plain write", samples.plain);
    PrintRow("(b) shutter key to BMP on disk", samples.press);
    PrintRow("(c) the same, flat window", samples.flatPress);
    PrintRatio("ratio (b) / (a)", samples.press, samples.plain);
    PrintRatio("ratio (c) / (b), read twice", samples.flatPress, samples.press);
    if (samples.twinPress.empty()) return;
    PrintRow("(a') the same as (a), beside (d)", samples.twinPlain);
    PrintRow("(b') the twin, read as (b)", samples.twinOrdinary);
    PrintRow("(d) the twin, black DC, later", samples.twinPress);
    PrintRatio("ratio (d) / (b')", samples.twinPress, samples.twinOrdinary);
    PrintRatio("ratio (d) / (a')", samples.twinPress, samples.twinPlain);
}

// dhsu.exe's rows, then the twin's, which cannot run beside it (one instance at a time).
bool MeasureAll(const std::filesystem::path& program, const std::filesystem::path& twinProgram,
                int presses, Samples& samples) {
    const auto folder = e2e::FreshFolder("press-to-file");
    std::filesystem::create_directory(folder / "shots");
    WriteSettings(folder / "shots");
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    Target target;
    bool measured = false;
    {
        e2e::DhsuProcess dhsu(folder, false, true, true, program);
        if (dhsu.Window() == nullptr || !StartTarget(self, folder, target)) {
            std::fprintf(stderr, "dhsu.exe or the target window did not start\n");
            return false;
        }
        measured = MeasurePresses(dhsu, target, folder, presses, samples);
        dhsu.Close();
    }
    if (measured && !twinProgram.empty()) {
        WriteSettings(folder / "shots");
        e2e::DhsuProcess twin(folder, false, true, true, twinProgram);
        measured =
            twin.Window() != nullptr && MeasureTwinPresses(twin, target, folder, presses, samples);
        twin.Close();
    }
    CloseTarget(target);
    return measured;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--target") return RunTarget();
    if (argc < 2) {
        std::fwprintf(stderr,
                      L"usage: bench_press_to_file <dhsu.exe> [presses, at least 21] "
                      L"[dhsu_black_window_dc.exe]\n");
        return 2;
    }
    const int presses = std::max(21, argc > 2 ? _wtoi(argv[2]) : 21);
    Samples samples;
    if (!MeasureAll(argv[1], argc > 3 ? argv[3] : L"", presses, samples)) return 1;
    PrintResults(presses, samples);
    return 0;
}
