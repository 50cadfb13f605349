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
    explicit DibPixels(std::optional<bool>& singleColour) : singleColour(singleColour) {}
    bool IsSingleColour() const override {
        if (!singleColour) singleColour = dhsu::IsSingleColour(view);
        return *singleColour;
    }
    std::unique_ptr<WrittenShot> WriteBmp(const std::string& path) const override {
        auto file = std::make_unique<TemporaryShotFile>(path);
        FileSink sink(path, file->Handle());
        EncodeBmp(view, sink);
        return file;
    }

    BitmapView view;
    std::vector<std::uint8_t> bits;     // empty when the view shows the capture buffer's section
    std::optional<bool>& singleColour;  // the capture buffer's, for the picture it holds now
};

// Device-independent pixels of the bitmap: palettised depths as they are, 16 and 32 bits as
// 32-bit pixels (which keeps a 5-6-5 screen's sixth green bit), 24 as 24.
std::unique_ptr<DibPixels> ReadDib(HBITMAP bitmap, HPALETTE palette,
                                   std::optional<bool>& singleColour) {
    const BITMAP info = BitmapInfo(bitmap);
    const int depth = info.bmBitsPixel * info.bmPlanes;
    const int dibDepth = depth <= 8 ? (depth <= 1 ? 1 : depth <= 4 ? 4 : 8) : depth == 24 ? 24 : 32;
    const int colours = dibDepth <= 8 ? 1 << dibDepth : 0;
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    bmi->bmiHeader = {sizeof(BITMAPINFOHEADER),    info.bmWidth, info.bmHeight, 1,
                      static_cast<WORD>(dibDepth), BI_RGB};
    auto result = std::make_unique<DibPixels>(singleColour);
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

// A section holds the screen's pixels as the BMP stores them: 24 and 32-bit screens in 24 bits,
// so the copy from the screen is the only pass over them before the write. A 16-bit screen
// keeps the 32 bits ReadDib gives it, which expand its 5-6-5 pixels as before. A palettised
// screen's colours mean something only with its palette, and a picture without pixels cannot be
// a section: both keep a screen-compatible bitmap. 0 then.
int SectionDepth(HDC display, int width, int height) {
    const int depth = GetDeviceCaps(display, BITSPIXEL) * GetDeviceCaps(display, PLANES);
    if (depth <= 8 || width <= 0 || height <= 0) return 0;
    return depth == 16 ? 32 : 24;
}

// A section laid out as a BMP stores its rows, bottom-up; `view` shows its memory.
win::GdiObject CreateSection(HDC display, int width, int height, int depth, BitmapView& view) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(depth), BI_RGB};
    void* bits = nullptr;
    win::GdiObject section(CreateDIBSection(display, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) return section;
    view = {width, height, depth};
    view.bits = static_cast<const std::uint8_t*>(bits);
    view.stride = StoredRowSize(width, depth);
    return section;
}

}  // namespace

void CaptureBuffer::Resize(HDC like, int width, int height) {
    singleColour_.reset();
    const int depth = SectionDepth(like, width, height);
    // The last capture's section is drawn over when it fits: its memory is mapped already, while
    // a new one's pages would each be faulted in during the copy.
    if (depth != 0 && section_.bits != nullptr && section_.width == width &&
        section_.height == height && section_.bitsPerPixel == depth)
        return;
    section_ = {};
    palette_.Reset();
    if (depth != 0)
        bitmap_ = CreateSection(like, width, height, depth, section_);
    else
        bitmap_.Reset(CreateCompatibleBitmap(like, width, height));
    if (!bitmap_)
        throw std::runtime_error("Cannot make a picture of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels.");
}

void CaptureBuffer::CopyFrom(HDC source, const CaptureRect& rect) {
    Resize(source, rect.w, rect.h);
    const win::MemoryDc target(CreateCompatibleDC(source));
    const win::SelectedObject selected(target.Get(), Bitmap());
    // A copy that fails leaves black, as a new picture would be, not the last shot's pixels.
    if (!BitBlt(target.Get(), 0, 0, rect.w, rect.h, source, rect.x, rect.y, SRCCOPY))
        PatBlt(target.Get(), 0, 0, rect.w, rect.h, BLACKNESS);
}

void CaptureBuffer::Assign(win::GdiObject bitmap, win::GdiObject palette) {
    singleColour_.reset();
    section_ = {};
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
    if (section_.bits != nullptr) {
        // The section's own memory, once GDI has finished drawing into it.
        GdiFlush();
        auto pixels = std::make_unique<DibPixels>(singleColour_);
        pixels->view = section_;
        return pixels;
    }
    return ReadDib(Bitmap(), static_cast<HPALETTE>(palette_.Get()), singleColour_);
}

}  // namespace dhsu
