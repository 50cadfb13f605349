#pragma once
// Windows built from tables: one row a control, laid out in pixels at 96 dpi and scaled to the
// screen's, in the font of the window that holds them.

#include <windows.h>

#include <span>

namespace dhsu {

constexpr int kNoParent = 0;

enum class Sizing { kFixed, kFitText };

struct ControlRow {
    int id;
    const wchar_t* windowClass;
    int parent;  // the group box the position is relative to, or kNoParent
    int left, top, width, height;
    const char* text;  // UTF-8
    DWORD style;
    int itemHeight = 0;              // a list's rows, a drop-down list's too
    Sizing sizing = Sizing::kFixed;  // a label that takes the size of its text
};

// Makes the controls as children of `window`, placed for `dpi` and in `font`, in the table's
// order, which is the tab order: Windows tabs through sibling windows in the order they were
// made. Throws when one fails.
void CreateControls(HWND window, std::span<const ControlRow> rows, HFONT font, UINT dpi);

// Places the controls anew at `dpi` and gives them `font`, when the DPI changes.
void LayoutControls(HWND window, std::span<const ControlRow> rows, HFONT font, UINT dpi);

}  // namespace dhsu
