// What a player waits for: from the shutter key to the BMP of a 1920 x 1080 window complete on
// disk, with dhsu.exe started here (JPEG off, a folder and settings of its own), against the
// least that job takes: a plain BitBlt of the same window into a memory DC and a plain write of
// the same number of bytes. Both are measured in one run, one after the other.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kWidth = 1920, kHeight = 1080;
constexpr DWORD kHeaderSize = 54;
constexpr DWORD kPixelBytes = kWidth * 3 * kHeight;  // 24-bit rows of 5760 bytes need no padding
constexpr int kWarmUps = 2;
constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwick\\DH ScreenShot Utility";
constexpr int kShotCountLabel = 106;  // Label_Count of the main window
constexpr wchar_t kTargetClass[] = L"PressToFileTarget";

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool WaitFor(const auto& done, std::chrono::milliseconds timeout = 30s) {
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() > deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// The window the shots are taken of: a 1920 x 1080 client area with a busy picture.
LRESULT CALLBACK PaintGradient(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    std::vector<std::uint32_t> pixels(std::size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
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
    windowClass.lpfnWndProc = PaintGradient;
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

bool StartProcess(const std::filesystem::path& exe, const std::wstring& arguments,
                  const std::filesystem::path& folder, PROCESS_INFORMATION& info) {
    STARTUPINFOW startup{sizeof startup};
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info);
}

void Close(PROCESS_INFORMATION& info, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

bool BringToFront(HWND window) {
    return WaitFor([&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
    });
}

void WriteSetting(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// The settings dhsu reads at start: plain BMP shots, numbered, into `shots`.
void WriteSettings(const std::filesystem::path& shots) {
    HKEY key = nullptr;
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
    RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    const std::wstring folder = shots.wstring();
    RegSetValueExW(key, L"ScreenShot Folder", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"FilePrefix", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"DH"),
                   3 * sizeof(wchar_t));
    WriteSetting(key, L"FileSuffix", 1);
    WriteSetting(key, L"Shutter", VK_ESCAPE);
    WriteSetting(key, L"ClientRect", 1);
    WriteSetting(key, L"JpegCompression", 0);
    RegCloseKey(key);
}

struct Program {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    auto* program = reinterpret_cast<Program*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner != program->info.dwProcessId || std::wstring(className) != L"TForm1") return TRUE;
    program->window = window;
    return FALSE;
}

bool StartDhsu(const std::filesystem::path& exe, const std::filesystem::path& folder,
               Program& program) {
    const auto copy = folder / "dhsu.exe";
    if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE) ||
        !StartProcess(copy, L"", folder, program.info))
        return false;
    // Idle: its own window has been shown and activated, so it no longer takes the foreground.
    WaitForInputIdle(program.info.hProcess, 30000);
    return WaitFor([&] {
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&program));
        return program.window != nullptr;
    });
}

std::wstring LabelText(HWND label) {
    wchar_t text[64] = {};
    SendMessageTimeoutW(label, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 30000, nullptr);
    return text;
}

bool IsComplete(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) &&
           data.nFileSizeHigh == 0 && data.nFileSizeLow == kHeaderSize + kPixelBytes;
}

// (b): the shutter key to the shot's final name on disk with all its bytes; then, untimed, the
// program's count of shots, so that the press has been handled to its end.
double PressToFile(const Program& program, const std::filesystem::path& shot, int number) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const auto start = Clock::now();
    SendInput(2, keys, sizeof(INPUT));
    while (!IsComplete(shot)) {
        if (MsSince(start) > 30000) return -1;
        std::this_thread::sleep_for(1ms);
    }
    const double ms = MsSince(start);
    HWND label = GetDlgItem(program.window, kShotCountLabel);
    const std::wstring counted = L"Shot : " + std::to_wstring(number);
    return WaitFor([&] { return LabelText(label) == counted; }) ? ms : -1;
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
    std::vector<double> blits, writes, plain, press;
};

void ReportMissingShot(const std::filesystem::path& shots, const char* name) {
    wchar_t foreground[64] = {};
    GetClassNameW(GetForegroundWindow(), foreground, 64);
    std::fprintf(stderr, "no complete %s; the foreground window is a %ls; the folder holds:\n",
                 name, foreground);
    for (const auto& entry : std::filesystem::directory_iterator(shots))
        std::fprintf(stderr, "  %s, %ju bytes\n", entry.path().filename().string().c_str(),
                     static_cast<std::uintmax_t>(entry.file_size()));
}

// Alternates (a) and (b); false when a press gave no file.
bool MeasurePresses(const Program& program, HWND target, const std::filesystem::path& folder,
                    int presses, Samples& samples) {
    for (int i = 1; i <= kWarmUps + presses; ++i) {
        const auto plainFile = folder / "plain.bmp";
        const BlitAndWrite a = PlainBlitAndWrite(target, plainFile);
        std::filesystem::remove(plainFile);
        char name[16];
        std::snprintf(name, sizeof name, "DH%04d.bmp", i);
        const double b =
            BringToFront(target) ? PressToFile(program, folder / "shots" / name, i) : -1;
        if (b < 0) {
            ReportMissingShot(folder / "shots", name);
            return false;
        }
        std::filesystem::remove(folder / "shots" / name);
        if (i <= kWarmUps) continue;
        samples.blits.push_back(a.blitMs);
        samples.writes.push_back(a.writeMs);
        samples.plain.push_back(a.blitMs + a.writeMs);
        samples.press.push_back(b);
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

std::filesystem::path FreshFolder(const std::filesystem::path& folder) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "shots");
    return folder;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--target") return RunTarget();
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: bench_press_to_file <dhsu.exe> [presses, at least 21]\n");
        return 2;
    }
    const int presses = std::max(21, argc > 2 ? _wtoi(argv[2]) : 21);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const auto folder = FreshFolder(std::filesystem::path(self).parent_path() / "press-to-file");
    WriteSettings(folder / "shots");
    Program program;
    PROCESS_INFORMATION targetProcess{};
    HWND target = nullptr;
    if (!StartDhsu(argv[1], folder, program) ||
        !StartProcess(self, L"--target", folder, targetProcess) ||
        !WaitFor([&] { return (target = FindWindowW(kTargetClass, nullptr)) != nullptr; })) {
        std::fprintf(stderr, "dhsu.exe or the target window did not start\n");
        return 1;
    }
    Samples samples;
    const bool measured = MeasurePresses(program, target, folder, presses, samples);
    Close(program.info, program.window);
    Close(targetProcess, target);
    if (!measured) return 1;
    std::printf("%d x %d client area, median of %d presses (min-max)\n", kWidth, kHeight, presses);
    PrintRow("  BitBlt into a memory DC", samples.blits);
    PrintRow("  plain write of the same bytes", samples.writes);
    PrintRow("(a) BitBlt + plain write", samples.plain);
    PrintRow("(b) shutter key to BMP on disk", samples.press);
    std::printf("ratio (b) / (a)                    %7.2f\n",
                SpreadOf(samples.press).median / SpreadOf(samples.plain).median);
    return 0;
}
