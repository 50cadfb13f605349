#include "ui/window_dpi_win.h"

#include "win/entry_point_win.h"
#include "win/handles_win.h"

namespace dhsu {
namespace {

constexpr LANGID kJapanese = 17;
constexpr UINT kLowestDpi = 96;    // 100 %
constexpr UINT kHighestDpi = 480;  // 500 %, the most Windows offers

using GetDpiForWindowEntry = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiEntry = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Entry>
Entry FindUser32Entry(const char* name) {
    return win::FindEntry<Entry>(GetModuleHandleW(L"user32.dll"), name);
}

// Newer than Windows 7, which the program still runs on: looked up rather than linked.
struct DpiEntries {
    GetDpiForWindowEntry getDpiForWindow = FindUser32Entry<GetDpiForWindowEntry>("GetDpiForWindow");
    AdjustWindowRectExForDpiEntry adjustWindowRectExForDpi =
        FindUser32Entry<AdjustWindowRectExForDpiEntry>("AdjustWindowRectExForDpi");
};

const DpiEntries& Entries() {
    static const DpiEntries entries;
    return entries;
}

}  // namespace

win::GdiObject CreateWindowFont(UINT dpi) {
    const bool japanese = PRIMARYLANGID(GetUserDefaultLangID()) == kJapanese;
    return win::GdiObject(CreateFontW(-Scale(12, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                      japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH, japanese ? L"ＭＳ Ｐゴシック" : L"Arial"));
}

void DrawLogo(const DRAWITEMSTRUCT& item, HFONT font, UINT dpi) {
    const RECT& r = item.rcItem;
    const win::GdiObject back(CreateSolidBrush(RGB(24, 36, 64)));
    FillRect(item.hDC, &r, static_cast<HBRUSH>(back.Get()));
    const win::GdiObject ring(CreatePen(PS_SOLID, Scale(3, dpi), RGB(230, 180, 60)));
    const win::SelectedObject pen(item.hDC, ring.Get());
    const win::SelectedObject hollow(item.hDC, GetStockObject(HOLLOW_BRUSH));
    const int h = r.bottom - r.top;
    Ellipse(item.hDC, r.left + h / 6, r.top + h / 6, r.left + h - h / 6, r.bottom - h / 6);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(240, 240, 240));
    RECT text{r.left + h, r.top, r.right, r.bottom};
    const win::SelectedObject selectedFont(item.hDC, font);
    DrawTextW(item.hDC, L"DH\nScreenshot\nUtility", -1, &text, DT_LEFT);
}

UINT ScreenDpi() {
    const win::ScreenDc screen;
    return static_cast<UINT>(GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

UINT WindowDpi(HWND window, WPARAM reportedDpi) {
    if (Entries().getDpiForWindow) return Entries().getDpiForWindow(window);
    const UINT dpi = HIWORD(reportedDpi);
    const bool plausible = LOWORD(reportedDpi) == dpi && dpi >= kLowestDpi && dpi <= kHighestDpi;
    return plausible ? dpi : 0;
}

SIZE FrameSize(DWORD style, DWORD exStyle, SIZE client, UINT dpi) {
    RECT frame{0, 0, client.cx, client.cy};
    if (Entries().adjustWindowRectExForDpi)
        Entries().adjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT FrameAroundCentre(HWND window, DWORD style, SIZE client, UINT dpi) {
    const SIZE size = FrameSize(style, 0, client, dpi);
    RECT now{};
    GetWindowRect(window, &now);
    const LONG width = size.cx, height = size.cy;
    const LONG left = (now.left + now.right - width) / 2, top = (now.top + now.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace dhsu
