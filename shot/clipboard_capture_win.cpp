#include "shot/clipboard_capture_win.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "win/handles.h"

namespace dhsu {
namespace {

HPALETTE CopyPalette(const PALETTEENTRY* entries, UINT count) {
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    std::copy_n(entries, count, palette->palPalEntry);
    return CreatePalette(palette);
}

// The clipboard owns its bitmap and palette, so the buffer takes copies.
bool LoadClipboardPicture(CaptureBuffer& image) {
    const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    if (bitmap == nullptr) return false;
    win::GdiObject copy(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
    win::GdiObject palette;
    if (IsClipboardFormatAvailable(CF_PALETTE)) {
        const auto shared = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
        PALETTEENTRY entries[256];
        const UINT count = shared ? GetPaletteEntries(shared, 0, 256, entries) : 0;
        if (count > 0) palette.Reset(CopyPalette(entries, count));
    }
    image.Assign(std::move(copy), std::move(palette));
    return true;
}

void RecordClipboardBitmap(CaptureBuffer& image, ShotRecorder& recorder) {
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !LoadClipboardPicture(image)) return;
    // An empty picture is no shot.
    if (image.Width() <= 0 || image.Height() <= 0) return;
    recorder.RecordShot(&image);
}

}  // namespace

void DiscardClipboardBitmap(HWND owner) {
    const win::OpenClipboardScope clipboard(owner);
    if (clipboard.IsOpen() && IsClipboardFormatAvailable(CF_BITMAP)) EmptyClipboard();
}

void RepairClipboardChain(HWND& nextViewer, WPARAM removed, LPARAM following) {
    if (reinterpret_cast<HWND>(removed) == nextViewer)
        nextViewer = reinterpret_cast<HWND>(following);
    if (nextViewer) SendMessageW(nextViewer, WM_CHANGECBCHAIN, removed, following);
}

void CaptureClipboard(HWND owner, HWND nextViewer, WPARAM wParam, LPARAM lParam,
                      const ConversionQueue& queue, CaptureBuffer& image, ShotRecorder& recorder) {
    if (nextViewer) SendMessageW(nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    if (QueueIsFull(queue)) return;
    const win::OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return;
    try {
        RecordClipboardBitmap(image, recorder);
    } catch (...) {
        // A clipboard shot that fails is skipped without a word; the next change is handled anew.
    }
}

}  // namespace dhsu
