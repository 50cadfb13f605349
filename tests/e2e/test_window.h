#pragma once
// A window of the test program's own with a known picture in its client area.

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace e2e {

struct Pixel {
    std::uint8_t blue, green, red;
    bool operator==(const Pixel&) const = default;
};

// The colour the test window paints at client position (x, y).
Pixel PatternAt(int x, int y);
// The picture as 32-bit pixels, top row first.
std::vector<std::uint8_t> PatternPixels(int width, int height);
// 32-bit pixels, top row first, as a bitmap for the clipboard (which then owns it).
HBITMAP BitmapOf(int width, int height, const void* bits);
// The picture as such a bitmap.
HBITMAP PatternBitmap(int width, int height);
bool PutOnClipboard(HWND owner, UINT format, HANDLE data);

class TestWindow {
  public:
    enum class Paint { kPattern, kFlat };  // the pattern, or one colour all over
    TestWindow(int left, int top, int clientWidth, int clientHeight, Paint paint = Paint::kPattern);
    ~TestWindow();
    HWND Handle() const { return window_; }
    // Makes it the foreground window with its picture painted.
    bool BringToFront();
    RECT WindowRect() const;
    POINT ClientOrigin() const;  // screen position of client (0, 0)

  private:
    HWND window_ = nullptr;
};

// A 24-bit BMP file as written by the program: size and bottom-up pixel rows.
struct BmpImage {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<std::uint8_t> rows;
    Pixel At(int x, int y) const;  // y from the top
};
bool ReadBmp(const std::filesystem::path& path, BmpImage& image);
// Every pixel of the test picture, width x height, lies at (offsetX, offsetY) in the image.
void ExpectPattern(const BmpImage& image, int offsetX, int offsetY, int width, int height);

}  // namespace e2e
