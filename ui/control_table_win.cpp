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

}  // namespace

void CreateControls(HWND window, std::span<const ControlRow> rows) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlRow& row : rows) {
        const HWND control = CreateWindowExW(
            0, row.windowClass, win::Wide(row.text).c_str(), row.style, 0, 0, 0, 0, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
        if (!control) throw std::runtime_error("Cannot create the window's controls.");
    }
}

void LayoutControls(HWND window, std::span<const ControlRow> rows, HFONT font, UINT dpi) {
    for (const ControlRow& row : rows) {
        const POINT origin = ParentOrigin(rows, row.parent);
        const HWND control = GetDlgItem(window, row.id);
        SetWindowPos(control, nullptr, Scale(origin.x + row.left, dpi),
                     Scale(origin.y + row.top, dpi), Scale(row.width, dpi), Scale(row.height, dpi),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // After the font, which sets a list's item height from its own size.
        if (row.itemHeight != 0)
            SendMessageW(RowsOf(control), LB_SETITEMHEIGHT, 0, Scale(row.itemHeight, dpi));
    }
}

}  // namespace dhsu
