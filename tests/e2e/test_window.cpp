#include "test_window.h"

#include <gtest/gtest.h>

#include <fstream>

#include "dhsu_process.h"
#include "window_search.h"

namespace e2e {
namespace {

constexpr wchar_t kClass[] = L"DhsuE2eTestWindow";
constexpr COLORREF kFlatColour = RGB(40, 60, 80);

void PaintPattern(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const int w = client.right, h = client.bottom;
    const std::vector<std::uint8_t> bits = PatternPixels(w, h);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
    SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, h, bits.data(), &info, DIB_RGB_COLORS);
    EndPaint(window, &paint);
}

void PaintFlat(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(kFlatColour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        if (GetWindowLongPtrW(window, GWLP_USERDATA) == LONG_PTR(TestWindow::Paint::kFlat))
            PaintFlat(window);
        else
            PaintPattern(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<std::uint8_t> PatternPixels(int width, int height) {
    std::vector<std::uint8_t> bits(std::size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Pixel p = PatternAt(x, y);
            std::uint8_t* out = &bits[(std::size_t(y) * width + x) * 4];
            out[0] = p.blue, out[1] = p.green, out[2] = p.red;
        }
    return bits;
}

HBITMAP BitmapOf(int width, int height, const void* bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap =
        CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, bits, &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HBITMAP PatternBitmap(int width, int height) {
    return BitmapOf(width, height, PatternPixels(width, height).data());
}

bool PutOnClipboard(HWND owner, UINT format, HANDLE data) {
    if (!WaitFor([&] { return OpenClipboard(owner) != FALSE; })) return false;
    EmptyClipboard();
    const bool put = SetClipboardData(format, data) != nullptr;
    CloseClipboard();
    return put;
}

Pixel PatternAt(int x, int y) {
    return {std::uint8_t(x * 2), std::uint8_t(y * 3), std::uint8_t(x * 5 + y * 7)};
}

TestWindow::TestWindow(int left, int top, int clientWidth, int clientHeight, Paint paint) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST);
    window_ = CreateWindowExW(WS_EX_TOPMOST, kClass, L"Known picture", style, left, top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(paint));
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
}

bool TestWindow::BringToFront() {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    // Asked again while waiting: a message box of the program's that opens meanwhile takes the
    // foreground for itself.
    return WaitFor([&] {
        if (GetForegroundWindow() == window_) return true;
        AskForeground(window_);
        return false;
    });
}

RECT TestWindow::WindowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
}

POINT TestWindow::ClientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    return origin;
}

Pixel BmpImage::At(int x, int y) const {
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    const std::uint8_t* p = &rows[std::size_t(height - 1 - y) * stride + std::size_t(x) * 3];
    return {p[0], p[1], p[2]};
}

bool ReadBmp(const std::filesystem::path& path, BmpImage& image) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') return false;
    auto le = [&](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | file[at + i];
        return v;
    };
    image.width = static_cast<int>(le(18, 4));
    image.height = static_cast<int>(le(22, 4));
    image.bitsPerPixel = static_cast<int>(le(28, 2));
    const std::size_t offset = le(10, 4);
    if (le(2, 4) != file.size() || offset > file.size()) return false;
    image.rows.assign(file.begin() + offset, file.end());
    return true;
}

void ExpectPattern(const BmpImage& image, int offsetX, int offsetY, int width, int height) {
    int mismatches = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (!(image.At(offsetX + x, offsetY + y) == PatternAt(x, y)) && mismatches++ < 3)
                ADD_FAILURE() << "pixel " << x << "," << y << " differs";
    EXPECT_EQ(mismatches, 0);
}

}  // namespace e2e
