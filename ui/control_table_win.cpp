#include "ui/control_table_win.h"

#include <algorithm>
#include <stdexcept>

#include "ui/window_dpi_win.h"
#include "win/text_win.h"

namespace dhsu {
namespace {

POINT ParentOrigin(std::span<const ControlRow> rows, int parent) {
    if (parent == kNoParent) return {0, 0};
    const auto box = std::find_if(rows.begin(), rows.end(),
                                  [parent](const ControlRow& row) { return row.id == parent; });
    return box == rows.end() ? POINT{0, 0} : POINT{box->left, box->top};
}

// A drop-down list keeps its rows in a list window of its own, which takes a row height only
// from the list itself unless the drop-down draws its items.
HWND RowsOf(HWND control) {
    COMBOBOXINFO parts{sizeof parts};
    return GetComboBoxInfo(control, &parts) ? parts.hwndList : control;
}

RECT PlaceOf(std::span<const ControlRow> rows, const ControlRow& row, UINT dpi) {
    const POINT origin = ParentOrigin(rows, row.parent);
    const int left = Scale(origin.x + row.left, dpi), top = Scale(origin.y + row.top, dpi);
    return {left, top, left + Scale(row.width, dpi), top + Scale(row.height, dpi)};
}

void SetFont(HWND control, const ControlRow& row, HFONT font, UINT dpi) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // After the font, which sets a list's item height from its own size.
    if (row.itemHeight != 0)
        SendMessageW(RowsOf(control), LB_SETITEMHEIGHT, 0, Scale(row.itemHeight, dpi));
}

}  // namespace

void CreateControls(HWND window, std::span<const ControlRow> rows, HFONT font, UINT dpi) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlRow& row : rows) {
        // Made in place rather than moved there: under Wine every move of a control is a round
        // trip to the server, and the drive box's moves reach the X server too.
        const RECT place = PlaceOf(rows, row, dpi);
        const HWND control = CreateWindowExW(
            0, row.windowClass, win::Wide(row.text).c_str(), row.style, place.left, place.top,
            place.right - place.left, place.bottom - place.top, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
        if (!control) throw std::runtime_error("Cannot create the window's controls.");
        SetFont(control, row, font, dpi);
    }
}

void LayoutControls(HWND window, std::span<const ControlRow> rows, HFONT font, UINT dpi) {
    for (const ControlRow& row : rows) {
        const RECT place = PlaceOf(rows, row, dpi);
        const HWND control = GetDlgItem(window, row.id);
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SetFont(control, row, font, dpi);
    }
}

}  // namespace dhsu
