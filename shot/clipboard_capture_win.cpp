#include "shot/clipboard_capture_win.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "win/handles_win.h"

namespace dhsu {
namespace {

// Long enough for any viewer that is alive; a hung one must not keep the shutter key waiting.
constexpr UINT kPassOnTimeoutMs = 1000;

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

}  // namespace

bool CopyNewClipboardBitmap(HWND owner, DWORD recordedSequence, CaptureBuffer& image,
                            DWORD& sequence) {
    const win::OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    sequence = GetClipboardSequenceNumber();
    // 0 is a clipboard that does not tell its changes: every notification is taken as one.
    if (sequence != 0 && sequence == recordedSequence) return false;
    if (!IsClipboardFormatAvailable(CF_BITMAP) || !LoadClipboardPicture(image)) return false;
    // An empty picture is no shot.
    return image.Width() > 0 && image.Height() > 0;
}

void ClipboardViewer::Join(HWND owner) {
    owner_ = owner;
    const HWND next = SetClipboardViewer(owner);
    next_ = next == owner ? nullptr : next;
}

void ClipboardViewer::Leave() {
    if (owner_ == nullptr) return;  // left already, at the end of the session
    ChangeClipboardChain(owner_, next_);
    owner_ = nullptr;
}

void ClipboardViewer::RepairChain(WPARAM removed, LPARAM following) {
    if (reinterpret_cast<HWND>(removed) == next_) {
        const auto followingViewer = reinterpret_cast<HWND>(following);
        // Ourselves after the one that leaves would be a loop: nothing follows us then.
        next_ = followingViewer == owner_ ? nullptr : followingViewer;
    }
    PassOn(WM_CHANGECBCHAIN, removed, following);
}

bool ClipboardViewer::PassOnChange(WPARAM wParam, LPARAM lParam) {
    return PassOn(WM_DRAWCLIPBOARD, wParam, lParam);
}

// The chain's messages are sent, so they reach the next viewer in the order they came. One that
// does not answer in time still gets the message when it recovers; one that Windows deems hung
// is skipped at once. A new clipboard change that comes meanwhile is a different message.
bool ClipboardViewer::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
    const ChainMessage passing{message, wParam, lParam, GetClipboardSequenceNumber()};
    if (std::find(passingOn_.begin(), passingOn_.end(), passing) != passingOn_.end()) return false;
    if (next_ == nullptr) return true;
    passingOn_.push_back(passing);
    SendMessageTimeoutW(next_, message, wParam, lParam, SMTO_ABORTIFHUNG, kPassOnTimeoutMs,
                        nullptr);
    passingOn_.pop_back();
    return true;
}

}  // namespace dhsu
