#include "shot/capture_buffer_win.h"

#include <stdexcept>
#include <vector>

#include "shot/bmp.h"
#include "win/text.h"

namespace dhsu {
namespace {

class FileSink : public ByteSink {
  public:
    FileSink(const std::string& path, HANDLE file) : path_(path), file_(file) {}
    void Write(const std::uint8_t* data, std::size_t size) override {
        DWORD written = 0;
        if (!WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) || written != size)
            throw std::runtime_error(WriteError(path_, GetLastError()));
    }
    static std::string WriteError(const std::string& path, DWORD error) {
        return "Cannot save the shot to \"" + path + "\".\n" + win::SystemErrorText(error);
    }

  private:
    const std::string& path_;
    HANDLE file_;
};

BITMAP BitmapInfo(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return info;
}

struct DibPixels {
    BitmapView view;
    std::vector<std::uint8_t> bits;
};

// Device-independent pixels of the bitmap: palettised depths as they are, 16 and 32 bits as
// 32-bit pixels (which keeps a 5-6-5 screen's sixth green bit), 24 as 24.
DibPixels ReadPixels(HBITMAP bitmap, HPALETTE palette) {
    const BITMAP info = BitmapInfo(bitmap);
    const int depth = info.bmBitsPixel * info.bmPlanes;
    const int dibDepth = depth <= 8 ? (depth <= 1 ? 1 : depth <= 4 ? 4 : 8) : depth == 24 ? 24 : 32;
    const int colours = dibDepth <= 8 ? 1 << dibDepth : 0;
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    bmi->bmiHeader = {sizeof(BITMAPINFOHEADER),    info.bmWidth, info.bmHeight, 1,
                      static_cast<WORD>(dibDepth), BI_RGB};
    DibPixels result;
    result.view.width = info.bmWidth;
    result.view.height = info.bmHeight;
    result.view.bitsPerPixel = dibDepth;
    result.view.stride = StoredRowSize(info.bmWidth, dibDepth);
    result.bits.resize(result.view.stride * info.bmHeight);
    const win::WindowDc screen(nullptr, GetDC(nullptr));
    const HPALETTE previous = palette ? SelectPalette(screen.Get(), palette, FALSE) : nullptr;
    if (palette) RealizePalette(screen.Get());
    const int lines =
        GetDIBits(screen.Get(), bitmap, 0, info.bmHeight, result.bits.data(), bmi, DIB_RGB_COLORS);
    if (previous) SelectPalette(screen.Get(), previous, FALSE);
    if (lines != info.bmHeight) throw std::runtime_error("Cannot read the captured picture.");
    for (int i = 0; i < colours; ++i) {
        const RGBQUAD& c = bmi->bmiColors[i];
        result.view.palette.push_back({c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
    }
    result.view.bits = result.bits.data();
    return result;
}

}  // namespace

void CaptureBuffer::Resize(int width, int height) {
    const win::WindowDc screen(nullptr, GetDC(nullptr));
    bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    palette_.Reset();
    if (!bitmap_)
        throw std::runtime_error("Cannot make a picture of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels.");
}

void CaptureBuffer::Assign(win::GdiObject bitmap, win::GdiObject palette) {
    bitmap_ = std::move(bitmap);
    palette_ = std::move(palette);
}

int CaptureBuffer::Width() const {
    return bitmap_ ? BitmapInfo(Bitmap()).bmWidth : 0;
}

int CaptureBuffer::Height() const {
    return bitmap_ ? BitmapInfo(Bitmap()).bmHeight : 0;
}

void CaptureBuffer::SaveBmp(const std::string& path) const {
    const DibPixels pixels = ReadPixels(Bitmap(), static_cast<HPALETTE>(palette_.Get()));
    const std::wstring widePath = win::Wide(path);
    // CREATE_NEW: a shot never replaces a file that appeared after its name was chosen.
    win::FileHandle file(CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw std::runtime_error(FileSink::WriteError(path, GetLastError()));
    try {
        FileSink sink(path, file.Get());
        EncodeBmp(pixels.view, sink);
    } catch (...) {
        file.Reset();
        DeleteFileW(widePath.c_str());
        throw;
    }
}

}  // namespace dhsu
