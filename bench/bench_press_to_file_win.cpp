// What a player waits for: from the shutter key to the BMP of a 1920 x 1080 window complete on
// disk, with dhsu.exe started here (JPEG off, a folder and settings of its own), against the
// least that job takes: a plain BitBlt of the same window into a memory DC and a plain write of
// the same number of bytes. The window painted in one flat colour shows what reading a client
// area twice costs (its own device context and then the screen, since the first read came out
// flat). All are measured in one run, one after the other.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "dhsu_process.h"
#include "registry_settings.h"
#include "ui/main_window_controls_win.h"
#include "window_search.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kWidth = 1920, kHeight = 1080;
constexpr DWORD kHeaderSize = 54;
constexpr DWORD kPixelBytes = kWidth * 3 * kHeight;  // 24-bit rows of 5760 bytes need no padding
constexpr int kWarmUps = 2;
constexpr wchar_t kTargetClass[] = L"PressToFileTarget";

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Sent to the target: paint flat (wParam 1) or busy (0), now.
constexpr UINT kRepaint = WM_APP;

// The window the shots are taken of: a 1920 x 1080 client area with a busy picture, or of one
// colour when its user data says so.
LRESULT CALLBACK PaintTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    if (message == kRepaint) {
        SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
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
// the display (under Wine through the X server), not from memory of one's own.
int RunTarget() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PaintTarget;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTargetClass;
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION;
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Game", style, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

struct Target {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;
};

bool StartTarget(const std::filesystem::path& self, const std::filesystem::path& folder,
                 Target& target) {
    return e2e::StartProcess(self, folder, target.info, L"--target") && e2e::WaitFor([&] {
               target.window = e2e::FindTopWindow(kTargetClass, nullptr, target.info.dwProcessId);
               return target.window != nullptr;
           });
}

void CloseTarget(Target& target) {
    if (target.info.hProcess == nullptr) return;
    PostMessageW(target.window, WM_CLOSE, 0, 0);
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

// The shutter key to the shot's final name on disk with all its bytes; then, untimed, the
// program's count of shots, so that the press has been handled to its end.
double PressToFile(const e2e::DhsuProcess& dhsu, const std::filesystem::path& shot, int number) {
    const auto start = Clock::now();
    e2e::PressKey(VK_ESCAPE);
    while (!IsComplete(shot)) {
        if (MsSince(start) > 30000) return -1;
        std::this_thread::sleep_for(1ms);
    }
    const double ms = MsSince(start);
    const std::string counted = "Shot : " + std::to_string(number);
    return e2e::WaitFor([&] { return dhsu.ControlText(dhsu::Label_Count) == counted; }) ? ms : -1;
}

struct BlitAndWrite {
    double blitMs, writeMs;
};

// (a): what the press does, the plainest way: the client area into a memory DC, those bytes
// (and a header) into a new file.
BlitAndWrite PlainBlitAndWrite(HWND window, const std::filesystem::path& file) {
    const auto start = Clock::now();
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const double blitMs = MsSince(start);
    const auto writeStart = Clock::now();
    HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::vector<std::uint8_t> header(kHeaderSize, 0);
    DWORD written = 0;
    WriteFile(out, header.data(), kHeaderSize, &written, nullptr);
    WriteFile(out, bits, kPixelBytes, &written, nullptr);
    CloseHandle(out);
    const double writeMs = MsSince(writeStart);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return {blitMs, writeMs};
}

struct Samples {
    std::vector<double> blits, writes, plain, press, flatPress;
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

// Alternates (a), (b) and (c), the window repainted before (a) and before (c) only, so that no
// timing includes a repaint; false when a press gave no file.
bool MeasurePresses(const e2e::DhsuProcess& dhsu, HWND target, const std::filesystem::path& folder,
                    int presses, Samples& samples) {
    for (int i = 1; i <= kWarmUps + presses; ++i) {
        SendMessageW(target, kRepaint, FALSE, 0);
        const auto plainFile = folder / "plain.bmp";
        const BlitAndWrite a = PlainBlitAndWrite(target, plainFile);
        std::filesystem::remove(plainFile);
        const double b = TimedShot(dhsu, target, folder / "shots", 2 * i - 1);
        if (b < 0) return false;
        SendMessageW(target, kRepaint, TRUE, 0);
        const double c = TimedShot(dhsu, target, folder / "shots", 2 * i);
        if (c < 0) return false;
        if (i <= kWarmUps) continue;
        samples.blits.push_back(a.blitMs);
        samples.writes.push_back(a.writeMs);
        samples.plain.push_back(a.blitMs + a.writeMs);
        samples.press.push_back(b);
        samples.flatPress.push_back(c);
    }
    return true;
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

void PrintResults(int presses, const Samples& samples) {
    std::printf("%d x %d client area, median of %d presses (min-max)\n", kWidth, kHeight, presses);
    PrintRow("  BitBlt into a memory DC", samples.blits);
    PrintRow("  plain write of the same bytes", samples.writes);
    PrintRow("(a) BitBlt + plain write", samples.plain);
    PrintRow("(b) shutter key to BMP on disk", samples.press);
    PrintRow("(c) the same, flat window", samples.flatPress);
    const double pressMs = SpreadOf(samples.press).median;
    std::printf("ratio (b) / (a)                    %7.2f\n",
                pressMs / SpreadOf(samples.plain).median);
    std::printf("ratio (c) / (b), read twice        %7.2f\n",
                SpreadOf(samples.flatPress).median / pressMs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--target") return RunTarget();
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: bench_press_to_file <dhsu.exe> [presses, at least 21]\n");
        return 2;
    }
    const int presses = std::max(21, argc > 2 ? _wtoi(argv[2]) : 21);
    const auto folder = e2e::FreshFolder("press-to-file");
    std::filesystem::create_directory(folder / "shots");
    WriteSettings(folder / "shots");
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    e2e::DhsuProcess dhsu(folder, false, true, true, argv[1]);
    Target target;
    if (dhsu.Window() == nullptr || !StartTarget(self, folder, target)) {
        std::fprintf(stderr, "dhsu.exe or the target window did not start\n");
        return 1;
    }
    Samples samples;
    const bool measured = MeasurePresses(dhsu, target.window, folder, presses, samples);
    dhsu.Close();
    CloseTarget(target);
    if (!measured) return 1;
    PrintResults(presses, samples);
    return 0;
}
