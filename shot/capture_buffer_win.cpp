#include "shot/capture_buffer_win.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "shot/bmp.h"
#include "shot/shot_file.h"
#include "shot/single_colour.h"
#include "shot/temporary_shot_file_win.h"

namespace dhsu {
namespace {

class FileSink : public ByteSink {
  public:
    FileSink(const std::string& shotPath, HANDLE file) : shotPath_(shotPath), file_(file) {}
    void Write(const std::uint8_t* data, std::size_t size) override {
        // A success that took nothing can only mean the disk has no room left.
        const std::uint32_t error = WriteAll(
            data, size,
            [this](const std::uint8_t* part, std::size_t n) { return WriteSome(part, n); },
            ERROR_DISK_FULL);
        if (error != 0) throw ShotSaveError(shotPath_, error);
    }

  private:
    WriteResult WriteSome(const std::uint8_t* data, std::size_t size) const {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
        if (!WriteFile(file_, data, chunk, &written, nullptr)) return {written, GetLastError()};
        return {written, 0};
    }

    const std::string& shotPath_;
    HANDLE file_;
};

BITMAP BitmapInfo(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return info;
}

struct DibPixels : ShotPixels {
    bool IsSingleColour() const override { return dhsu::IsSingleColour(view); }
    std::unique_ptr<WrittenShot> WriteBmp(const std::string& path) const override {
        auto file = std::make_unique<TemporaryShotFile>(path);
        FileSink sink(path, file->Handle());
        EncodeBmp(view, sink);
        return file;
    }

    BitmapView view;
    std::vector<std::uint8_t> bits;
};

// Device-independent pixels of the bitmap: palettised depths as they are, 16 and 32 bits as
// 32-bit pixels (which keeps a 5-6-5 screen's sixth green bit), 24 as 24.
std::unique_ptr<DibPixels> ReadDib(HBITMAP bitmap, HPALETTE palette) {
    const BITMAP info = BitmapInfo(bitmap);
    const int depth = info.bmBitsPixel * info.bmPlanes;
    const int dibDepth = depth <= 8 ? (depth <= 1 ? 1 : depth <= 4 ? 4 : 8) : depth == 24 ? 24 : 32;
    const int colours = dibDepth <= 8 ? 1 << dibDepth : 0;
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    bmi->bmiHeader = {sizeof(BITMAPINFOHEADER),    info.bmWidth, info.bmHeight, 1,
                      static_cast<WORD>(dibDepth), BI_RGB};
    auto result = std::make_unique<DibPixels>();
    result->view.width = info.bmWidth;
    result->view.height = info.bmHeight;
    result->view.bitsPerPixel = dibDepth;
    result->view.stride = StoredRowSize(info.bmWidth, dibDepth);
    result->bits.resize(result->view.stride * info.bmHeight);
    const win::ScreenDc screen;
    const HPALETTE previous = palette ? SelectPalette(screen.Get(), palette, FALSE) : nullptr;
    if (palette) RealizePalette(screen.Get());
    const int lines =
        GetDIBits(screen.Get(), bitmap, 0, info.bmHeight, result->bits.data(), bmi, DIB_RGB_COLORS);
    if (previous) SelectPalette(screen.Get(), previous, FALSE);
    if (lines != info.bmHeight) throw std::runtime_error("Cannot read the captured picture.");
    for (int i = 0; i < colours; ++i) {
        const RGBQUAD& c = bmi->bmiColors[i];
        result->view.palette.push_back({c.rgbBlue, c.rgbGreen, c.rgbRed, 0});
    }
    result->view.bits = result->bits.data();
    return result;
}

}  // namespace

void CaptureBuffer::Resize(int width, int height) {
    const win::ScreenDc screen;
    bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    palette_.Reset();
    if (!bitmap_)
        throw std::runtime_error("Cannot make a picture of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels.");
}

void CaptureBuffer::CopyFrom(HDC source, const CaptureRect& rect) {
    Resize(rect.w, rect.h);
    const win::MemoryDc target(CreateCompatibleDC(source));
    const win::SelectedObject selected(target.Get(), Bitmap());
    BitBlt(target.Get(), 0, 0, rect.w, rect.h, source, rect.x, rect.y, SRCCOPY);
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

std::unique_ptr<ShotPixels> CaptureBuffer::ReadPixels() const {
    return ReadDib(Bitmap(), static_cast<HPALETTE>(palette_.Get()));
}

}  // namespace dhsu
